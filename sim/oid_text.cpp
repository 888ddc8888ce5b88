#include "sim/oid_text.h"

#include <charconv>

namespace sim {

std::string dottedOid(const snmp::Oid& oid)
{
    std::string text;
    for (std::uint32_t arc : oid) {
        text += '.';
        text += std::to_string(arc);
    }
    return text;
}

bool parseDottedOid(std::string_view text, snmp::Oid& out)
{
    if (text.starts_with('.'))
        text.remove_prefix(1);
    snmp::Oid arcs;
    while (!text.empty()) {
        const std::size_t dot = text.find('.');
        const std::string_view part = text.substr(0, dot);
        std::uint32_t arc = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), arc);
        if (part.empty() || ec != std::errc() || end != part.data() + part.size())
            return false;
        arcs.push_back(arc);
        if (dot == std::string_view::npos)
            break;
        text.remove_prefix(dot + 1);
        if (text.empty())
            return false;
    }
    if (arcs.empty())
        return false;
    out = std::move(arcs);
    return true;
}

} // namespace sim
