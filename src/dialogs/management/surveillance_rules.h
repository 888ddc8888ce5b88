#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs::management {

// The VLAN IDs offered: the multicast filtering table's VLAN column.
WalkRequest surveillanceVlanWalk();
// State, VLAN ID and priority.
WalkRequest surveillanceGlobalRead();

struct SurveillanceGlobal {
    bool enabled = false;
    std::string vlanId;
    int priority = -1; // the combo position; -1 keeps the selection
};
// Fewer than three values, or a VLAN ID that is no whole number: nothing to show.
std::optional<SurveillanceGlobal> decodeSurveillanceGlobal(const WalkRow& row);

const std::vector<std::string>& surveillancePriorityItems();
inline constexpr int kDefaultSurveillancePriority = 2;

// Enabling needs a VLAN: the combo is empty when the switch offered none.
std::string checkSurveillanceVlanChoice(bool enabled, std::string_view vlanId);
// The asymmetric VLAN state, the voice VLAN state and the voice VLAN ID.
Bindings surveillanceConflictRead();
// `others`: the three values above, in that order.
std::string checkSurveillanceApply(const std::vector<std::string>& others, std::string_view vlanId);
Bindings surveillanceGlobalSet(bool enabled, std::string_view vlanId, int priority);
inline constexpr int kSurveillanceSettleMs = 50;

// ---- OUI table ----

inline constexpr int kMaxUserOuis = 5;
inline constexpr int kOuiDescriptionMaxLength = 20;
inline constexpr int kOuiMacMaxLength = 17;
inline constexpr const char* kDefaultOuiMac = "00-00-5E-00-00-00";

// The types the combo offers: the first five of componentTypeText's.
std::vector<std::string> componentTypeItems();
std::string componentTypeText(std::string_view value);

const std::vector<std::string>& ouiHeaders();
WalkRequest ouiWalk();
struct OuiRow {
    std::string componentType, description, mac;
};
// Rows that are not active, or whose OUI is not six octets, are not listed.
std::optional<OuiRow> decodeOuiRow(const WalkRow& row);

// `listedMacs`: the list's "MAC Address" texts.
std::string checkOuiAdd(std::string_view description, std::string_view mac, const std::vector<std::string>& listedMacs);
Bindings ouiCreate(std::string_view mac);
Bindings ouiColumnsSet(std::string_view mac, std::string_view description, int componentType);
// `selectedMac`: nothing when no line is selected.
std::string checkOuiDelete(const std::optional<std::string>& selectedMac);
Bindings ouiDestroy(std::string_view mac);

} // namespace dialogs::management
