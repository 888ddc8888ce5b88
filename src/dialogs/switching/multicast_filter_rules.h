#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <optional>
#include <string>
#include <vector>

namespace dialogs::switching {

const std::vector<std::string>& multicastFilterHeaders();
const std::vector<int>& multicastFilterColumnWidths();
// Index 0 forwards unregistered groups, index 1 filters them.
const std::vector<std::string>& multicastModeItems();

// The VLAN id and mode of the multicast filtering table, with the VLAN
// table's name column walked beside them.
WalkRequest multicastFilterRead();

struct MulticastRow {
    std::string vid;
    std::string name;
    std::string mode;
};
// The two tables need not hold the same VLANs: the name is shown only when
// it was answered for the row's own VLAN. Nothing for a VID that is no VLAN
// id, since Apply would address it.
std::optional<MulticastRow> decodeMulticastRow(const WalkRow& row);

// One binding per VID, in order, all with the chosen mode.
Bindings multicastFilterSet(const std::vector<std::string>& vids, int modeIndex);

} // namespace dialogs::switching
