#pragma once

#include "commands/management_path.h"
#include "dialogs/aggregated_links.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dialogs::switching {

// ---- 802.1Q VLAN Configuration ----

inline constexpr int kMaxVlans = 256;

// One listed VLAN, as the add/edit and PVID dialogs read it.
struct VlanEntry {
    int vid = 0;
    std::string name;
    std::string egressList;   // "1,2,5"
    std::string untaggedList;
    int egressCount = 0;
    int untaggedCount = 0;
    // A port list answered shorter than the switch's ports: the ports it
    // lacks are shown as no members, and nothing is written back from it.
    bool partial = false;
};

const std::vector<std::string>& vlanHeaders();
// Name, egress, untagged and row status of every VLAN.
WalkRequest vlanTableRead();
// The same columns of one VLAN's row, by one get.
WalkRequest vlanRowRead(int vid);
// Only active rows are listed; octets past the switch's ports are ignored.
std::optional<VlanEntry> decodeVlanRow(const WalkRow& row, int portCount);
// VID, name, egress count, egress list, untagged list.
std::vector<std::string> vlanRowTexts(const VlanEntry& entry);
const VlanEntry* findVlan(const std::vector<VlanEntry>& list, int vid);

// Ports of a "1,2,5" list as one flag per port, port 1 first.
std::vector<bool> portsOfList(const std::string& list, int portCount);

struct VoiceSurveillance {
    bool voiceEnabled = false;
    int voiceVid = 0;
    bool surveillanceEnabled = false;
    int surveillanceVid = 0;
};
WalkRequest voiceSurveillanceRead();
VoiceSurveillance decodeVoiceSurveillance(const WalkRow& row);

Bindings asymmetricRead();
// Ticked when the answer is "1".
bool asymmetricEnabled(const std::vector<std::string>& values);
// The refusals before the question; "" when the mode may change.
std::string checkAsymmetric(const VoiceSurveillance& state);
extern const char* const kAsymmetricQuestion;
Bindings asymmetricSet(bool enabled);

// The PVID column, one row per port.
WalkRequest pvidRead();
// A PVID as answered: nothing unless it is a whole number.
std::optional<std::int64_t> decodePvid(const WalkRow& row);

// What Add, Edit or Delete may act on: `vid` > 0 to go on, else `message`
// (may be empty: stop silently), shown with the information icon when `inform`.
struct VlanChoice {
    int vid = 0;
    std::string message;
    bool inform = false;
};
// `selected`: the selected row, -1 for none; `vidText` its "VLAN ID" text.
std::string checkAdd(int rows);
VlanChoice checkEdit(int rows, int selected, const std::string& vidText);
VlanChoice checkDelete(int rows, int selected, const std::string& vidText, bool asymmetric,
                       const std::vector<std::int64_t>& pvids, const VoiceSurveillance& state);
Bindings vlanDeleteSet(int vid);
// "This deletes VLAN V." when `sent` deletes the path's VLAN, else "".
std::string vlanDeletePathCut(const commands::ManagementPath& path, const Bindings& sent);

// ---- PVID Configuration ----

// The first failing check's message, or "". `pvids` one per port.
std::string checkPvids(const std::vector<std::int64_t>& pvids, const AggregatedLinks& links,
                       const std::vector<VlanEntry>& vlans);
// One set per port, port 1 first.
std::vector<Bindings> pvidSets(const std::vector<std::int64_t>& pvids);
// With 40 ports or more the switch gets a pause after the 40th set.
inline constexpr int kPvidsBeforePause = 40;
inline constexpr int kPvidPauseMs = 50;
bool pauseAfterPvid(int port, int portCount);
// What `sets` do to the path: "This changes the PVID of port N from A to B."
// when the path's port had the path's VLAN as PVID (`read`, one per port) and
// is set to another; "" otherwise and for an unknown path.
std::string pvidPathCut(const commands::ManagementPath& path, const std::vector<Bindings>& sets,
                        const std::vector<std::int64_t>& read);

} // namespace dialogs::switching
