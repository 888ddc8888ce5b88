#pragma once

#include "dialogs/dialog_session.h"

#include <array>
#include <string>
#include <vector>

namespace dialogs::switching {

// One flag per port, port 1 first.
using PortFlags = std::vector<bool>;

// What the member dialog reads of the switch when it opens. Items not (yet)
// read stay 0 or empty, which the rules take as "not set".
struct TrunkSnapshot {
    explicit TrunkSnapshot(int portCount = 0);

    int portCount = 0;
    // Per port, index port - 1.
    std::vector<int> linkId;
    std::vector<int> speed;
    std::vector<int> defaultPriority;
    std::vector<int> pvid;
    std::vector<int> portSecurity;
    std::vector<int> medium;
    std::vector<int> loopDetect;
    std::vector<std::array<int, 2>> rateControl;
    std::vector<std::array<int, 7>> spanningTree;
    std::vector<int> dot1xControl;
    std::vector<int> voiceMode;
    std::vector<int> surveillanceState;
    std::vector<int> surveillanceMode;

    int dot1xEnabled = 0;
    int stpEnabled = 0;
    int surveillanceEnabled = 0;
    int mirrorState = 0;
    int mirrorTarget = 0;

    PortFlags mirrorSourceA;
    PortFlags mirrorSourceB;
    PortFlags learning;
    PortFlags dhcpScreening;
    PortFlags arpSpoofing; // the union of every entry's ports
    std::vector<PortFlags> aclPorts;
    struct VlanPorts {
        PortFlags egress;
        PortFlags untagged;
        bool operator==(const VlanPorts&) const = default;
    };
    std::vector<VlanPorts> vlans;
    PortFlags fdbDestination;

    // Rows of the per-port walks so far: row i is port i + 1.
    int portRows = 0;
    int spanningTreeRows = 0;
    int surveillanceRows = 0;

    bool operator==(const TrunkSnapshot&) const = default;
};

// The snapshot's reads, in the order the dialog starts them.
enum class TrunkRead {
    Links,
    Ports,
    SpanningTree,
    Globals,
    Mirror,
    MirrorLists,
    DhcpScreening,
    ArpSpoofing,
    Acl,
    Vlans,
    Fdb,
    Surveillance,
};
inline constexpr int kTrunkReadCount = 12;

WalkRequest trunkSnapshotRead(TrunkRead read);
// Folds one answered row of `read` into the snapshot.
void addSnapshotRow(TrunkSnapshot& snapshot, TrunkRead read, const WalkRow& row);

// The first failing admission rule's message ("" = admitted), and whether
// the rules got as far as the spanning-tree rule, before which the dialog
// requests the three global states again.
struct TrunkVerdict {
    std::string message;
    bool globalsRequested = false;
};

// The admission rules for the ticked `candidates` (port numbers, ascending)
// joining the link whose current members are `ownMembers`.
TrunkVerdict trunkVerdict(const TrunkSnapshot& snapshot, const std::vector<int>& candidates,
                          const std::vector<int>& ownMembers);
std::string checkTrunkAdmission(const TrunkSnapshot& snapshot, const std::vector<int>& candidates,
                                const std::vector<int>& ownMembers);

} // namespace dialogs::switching
