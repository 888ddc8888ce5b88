#pragma once
// Port sets and aggregated links that the rules tables start from.
#include "dialogs/aggregated_links.h"
#include "snmp/encodings.h"

#include <initializer_list>
#include <vector>

namespace rules_test {

// One flag per port, port 1 first; `ports` ticked.
inline std::vector<bool> portsTicked(std::initializer_list<int> ports, int portCount = 28)
{
    std::vector<bool> flags(static_cast<std::size_t>(portCount));
    for (int port : ports)
        flags[static_cast<std::size_t>(port - 1)] = true;
    return flags;
}

// Link 1 holds `ports`, as its member column answers it.
inline dialogs::AggregatedLinks linkOf(std::initializer_list<int> ports, int portCount = 28)
{
    dialogs::AggregatedLinks links(portCount);
    links.add({{snmp::portFlagsToBitmap(portsTicked(ports, portCount), portCount).octets}, ".1"});
    return links;
}

} // namespace rules_test
