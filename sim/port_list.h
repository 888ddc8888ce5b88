#pragma once

#include <set>
#include <string>
#include <string_view>

// Port-list bitmaps as the switch keeps them: port 1 is the most significant
// bit of the first octet; 4 octets up to 32 ports, 8 octets above.
namespace sim {

using PortSet = std::set<int>;

std::size_t portListOctets(int portCount);
std::string encodePortList(const PortSet& ports, int portCount);
PortSet decodePortList(std::string_view octets);
PortSet allPorts(int portCount);

// "1-4,7" as written in the model files; false on anything else.
bool parsePortRanges(std::string_view text, PortSet& out);

} // namespace sim
