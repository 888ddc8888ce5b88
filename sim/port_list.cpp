#include "sim/port_list.h"

#include <charconv>

namespace sim {

std::size_t portListOctets(int portCount) { return portCount > 32 ? 8 : 4; }

std::string encodePortList(const PortSet& ports, int portCount)
{
    std::string octets(portListOctets(portCount), '\0');
    for (int port : ports) {
        const auto bit = static_cast<std::size_t>(port - 1);
        if (port >= 1 && bit / 8 < octets.size())
            octets[bit / 8] = static_cast<char>(static_cast<unsigned char>(octets[bit / 8]) | (0x80u >> (bit % 8)));
    }
    return octets;
}

PortSet decodePortList(std::string_view octets)
{
    PortSet ports;
    for (std::size_t i = 0; i < octets.size(); ++i)
        for (int bit = 0; bit < 8; ++bit)
            if (static_cast<unsigned char>(octets[i]) & (0x80u >> bit))
                ports.insert(static_cast<int>(i * 8) + bit + 1);
    return ports;
}

PortSet allPorts(int portCount)
{
    PortSet ports;
    for (int p = 1; p <= portCount; ++p)
        ports.insert(p);
    return ports;
}

namespace {
bool parseNumber(std::string_view text, int& out)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && end == text.data() + text.size() && out > 0;
}
} // namespace

bool parsePortRanges(std::string_view text, PortSet& out)
{
    PortSet ports;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        const std::size_t dash = part.find('-');
        int first = 0;
        int last = 0;
        if (!parseNumber(part.substr(0, dash), first))
            return false;
        last = first;
        if (dash != std::string_view::npos && !parseNumber(part.substr(dash + 1), last))
            return false;
        if (last < first)
            return false;
        for (int p = first; p <= last; ++p)
            ports.insert(p);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    out = std::move(ports);
    return true;
}

} // namespace sim
