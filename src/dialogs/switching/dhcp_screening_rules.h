#pragma once

#include "dialogs/aggregated_links.h"
#include "dialogs/binding.h"

#include <optional>
#include <string>
#include <vector>

namespace dialogs::switching {

inline constexpr int kScreeningEnabled = 1;
inline constexpr int kScreeningDisabled = 2;

// "Disabled", "Enabled": the state combo's items, in this order.
const std::vector<std::string>& dhcpScreeningStateItems();
std::string dhcpScreeningStateText(int state);

// The one scalar: the bitmap of the ports with screening enabled.
Bindings dhcpScreeningRead();
// Every port Disabled, then Enabled for each port in the answered bitmap;
// octets past the switch's ports are ignored. Nothing when the answer is
// shorter than the ports need.
std::optional<std::vector<int>> decodeDhcpScreening(const std::vector<std::string>& values, int portCount);

struct DhcpScreeningChange {
    std::vector<int> states; // what the switch is to hold
    std::string refusal;     // "" when the change may be written
};
// Ports from..to get `state`; refused, with the states untouched, when the
// ports of an aggregated link would differ.
DhcpScreeningChange changeDhcpScreening(const std::vector<int>& states, int from, int to, int state,
                                        const AggregatedLinks& links);

// The whole bitmap of `states`.
Bindings dhcpScreeningSet(const std::vector<int>& states, int portCount);

} // namespace dialogs::switching
