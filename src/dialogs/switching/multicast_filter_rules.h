#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace dialogs::switching {

const std::vector<std::string>& multicastFilterHeaders();
const std::vector<int>& multicastFilterColumnWidths();
// Index 0 forwards unregistered groups, index 1 filters them.
const std::vector<std::string>& multicastModeItems();

// The VLAN table's name column, walked first: the two tables need not hold
// the same VLANs, so each multicast row finds its name by VID.
WalkRequest vlanNameRead();
using VlanNames = std::map<std::int64_t, std::string>;
void addVlanName(VlanNames& names, const WalkRow& row);

// The VLAN id and mode of the multicast filtering table.
WalkRequest multicastFilterRead();

struct MulticastRow {
    std::string vid;
    std::string name;
    std::string mode;
};
// Nothing for a VID that is no VLAN id, since Apply would address it.
std::optional<MulticastRow> decodeMulticastRow(const WalkRow& row, const VlanNames& names);

// One binding per VID, in order, all with the chosen mode.
Bindings multicastFilterSet(const std::vector<std::string>& vids, int modeIndex);

} // namespace dialogs::switching
