#include "dialogs/switching/dhcp_screening_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <sstream>

namespace dialogs::switching {
namespace {

constexpr const char* kPorts = "1.3.6.1.4.1.32473.10.75.7.14.7.1.0";

std::vector<bool> enabledFlags(const std::vector<int>& states)
{
    std::vector<bool> flags;
    for (const int state : states)
        flags.push_back(state == kScreeningEnabled);
    return flags;
}

} // namespace

const std::vector<std::string>& dhcpScreeningStateItems()
{
    static const std::vector<std::string> kItems{"Disabled", "Enabled"};
    return kItems;
}

std::string dhcpScreeningStateText(int state)
{
    return state == kScreeningEnabled ? "Enabled" : "Disabled";
}

Bindings dhcpScreeningRead()
{
    return nullBindings({kPorts});
}

std::optional<std::vector<int>> decodeDhcpScreening(const std::vector<std::string>& values, int portCount)
{
    // A shorter answer leaves ports nobody saw, which Apply would write back.
    if (values.empty() || !snmp::coversPorts(values[0], portCount))
        return std::nullopt;
    std::vector<int> states(static_cast<std::size_t>(portCount), kScreeningDisabled);
    std::istringstream list(snmp::bitmapToPortList(values[0], portCount).text);
    // The padding bits past the last port hold no port.
    for (std::string text; std::getline(list, text, ',');)
        if (const std::int64_t port = leadingNumber(text); port >= 1 && port <= portCount)
            states[static_cast<std::size_t>(port - 1)] = kScreeningEnabled;
    return states;
}

DhcpScreeningChange changeDhcpScreening(const std::vector<int>& states, int from, int to, int state,
                                        const AggregatedLinks& links)
{
    std::vector<int> changed = states;
    for (int port = from; port <= to && port <= static_cast<int>(changed.size()); ++port)
        if (port >= 1)
            changed[static_cast<std::size_t>(port - 1)] = state;
    if (!links.treatsLinksAlike(changed))
        return {states, "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."};
    return {std::move(changed), {}};
}

Bindings dhcpScreeningSet(const std::vector<int>& states, int portCount)
{
    return {{kPorts, snmp::kTypeOctetString, snmp::portFlagsToBitmap(enabledFlags(states), portCount).octets}};
}

} // namespace dialogs::switching
