#pragma once

#include "commands/management_path.h"
#include "dialogs/aggregated_links.h"
#include "dialogs/binding.h"
#include "dialogs/switching/vlan_rules.h"
#include "dialogs/write_sequence.h"

#include <set>
#include <string>
#include <vector>

namespace dialogs::switching {

// ---- Add VLAN / Edit VLAN ----

// Exactly one holds for each port; the order is the grid's rows.
enum class Member { Tag = 0, Untag = 1, NotMember = 2 };

struct VlanEntryForm {
    bool add = true;
    bool asymmetric = false; // a port may be untagged in several VLANs
    std::vector<Member> members; // one per port, port 1 first
    // Ports untagged in some listed VLAN (this one too, as it was loaded).
    std::set<int> allUntagged;
};

// Every port Not Member; in edit mode the ports of the VLAN `vid` as listed.
VlanEntryForm loadVlanEntryForm(bool add, bool asymmetric, int portCount, const std::vector<VlanEntry>& list,
                                int vid);

// A click on a port's box of `chosen`. False when the click is refused (the
// box is cleared again); the port's state is then unchanged.
bool choose(VlanEntryForm& form, int port, Member chosen);

std::vector<bool> egressPorts(const std::vector<Member>& members);
std::vector<bool> untaggedPorts(const std::vector<Member>& members);

struct VlanEntryInput {
    std::string vidText;
    std::string name;
};
// The VID as OK reads it.
int vlanEntryVid(const std::string& vidText);
// An edit of a VLAN whose port lists were answered short is refused first.
extern const char* const kPartialVlan;
// The first failing check's message, or "".
std::string checkVlanEntry(const VlanEntryForm& form, const VlanEntryInput& input, const AggregatedLinks& links,
                           const std::vector<VlanEntry>& list);

// The sets OK sends, each one request; an empty step is not sent.
struct VlanEntryWrite {
    Bindings rowStatus;  // createAndWait or notInService, through getNext
    Bindings allPorts;   // egress := every port first
    Bindings untagged;
    Bindings egress;
    Bindings name;
    Bindings activate;   // after a pause
    // When the untagged or egress set fails after every port was made a
    // member: what the VLAN had before (a new one: no member).
    Bindings restoreUntagged; // after a failed egress set
    Bindings restoreEgress;
};
inline constexpr int kActivatePauseMs = 50;
extern const char* const kParameterError;
// `before`: the listed VLAN in edit mode, else null.
VlanEntryWrite vlanEntryWrite(const VlanEntryForm& form, int vid, const std::string& name, int portCount,
                              const VlanEntry* before);

// What `steps` do to the path when `vid` is its VLAN: "This removes port N
// from VLAN V." or "This makes port N tagged (untagged) in VLAN V." against
// how its traffic arrives, when that differs from `before` (the VLAN as
// listed; null: a new one); "" otherwise and for an unknown path.
std::string vlanEntryPathCut(const commands::ManagementPath& path, int vid, const VlanEntryWrite& steps,
                             const VlanEntry* before, int portCount);

struct VlanEntrySessions {
    CDialogSession& main;     // row status, name, activation
    CDialogSession& allPorts;
    CDialogSession& untagged;
    CDialogSession& egress;
};
// The whole write in order: a failed port-list step skips the ones after it
// (after the write-back), the name and activation are written regardless.
void writeVlanEntry(WriteContext& write, const VlanEntrySessions& sessions, const VlanEntryWrite& steps);

} // namespace dialogs::switching
