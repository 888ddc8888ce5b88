#include "snmp/pdu.h"

#include <charconv>

namespace snmp {

std::string oidToText(const Oid& oid)
{
    std::string text;
    for (std::uint32_t arc : oid) {
        if (!text.empty())
            text += '.';
        text += std::to_string(arc);
    }
    return text;
}

bool oidFromText(std::string_view text, Oid& out)
{
    if (!text.empty() && text.front() == '.')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    Oid arcs;
    while (true) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        std::uint32_t arc = 0;
        const char* end = part.data() + part.size();
        // from_chars alone would accept a sign-less prefix; the whole part must be digits.
        if (part.empty() || part.front() < '0' || part.front() > '9')
            return false;
        const auto [ptr, ec] = std::from_chars(part.data(), end, arc);
        if (ec != std::errc() || ptr != end)
            return false;
        arcs.push_back(arc);
        if (dot == std::string_view::npos)
            break;
        text.remove_prefix(dot + 1);
    }
    out = std::move(arcs);
    return true;
}

} // namespace snmp
