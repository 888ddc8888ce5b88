#pragma once

#include "dialogs/resizable_dialog.h"
#include "dialogs/switching/trunk_validator.h"

#include <array>
#include <string>
#include <vector>

class QPushButton;

namespace dialogs {
class CPortCheckGrid;
}

namespace dialogs::switching {

// "Trunk member": the member ports of one link, admitted by the rules against
// a snapshot of the switch read while the user ticks.
class CTrunkMemberDialog : public CResizableDialog {
    Q_OBJECT
public:
    // members: the link's current members, "21,22".
    CTrunkMemberDialog(std::string linkId, std::string modeText, std::string members, int portCount,
                       QWidget* parent = nullptr);

    // OK, once the snapshot was read whole: the checks, then the one set and
    // the close; true when the set started.
    bool ok();

    CPortCheckGrid* ports() const { return m_ports; }
    const TrunkSnapshot& snapshot() const { return m_snapshot; }
    // Every snapshot read has ended, whole or not.
    bool snapshotComplete() const;

private:
    void readSnapshot(CDialogSession& session, TrunkRead read);

    std::string m_linkId;
    std::string m_mode;
    std::vector<int> m_ownMembers;
    int m_portCount;
    TrunkSnapshot m_snapshot;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPMirror;
    CDialogSession& m_cCommonSNMPTableACL;
    CDialogSession& m_cCommonSNMPPoint;
    CDialogSession& m_cCommonSNMPTableVlan;
    CDialogSession& m_cCommonSNMPTableTrunk;
    CDialogSession& m_cCommonSNMPTableStaticPor;
    CDialogSession& m_cCommonSNMPTableGetVlanTrunk;
    // By TrunkRead: an item the switch did not send would pass its rule as "not set".
    std::array<ReadId, kTrunkReadCount> m_reads{};
    ReadId m_pathRead = kUndeclared;
    CPortCheckGrid* m_ports;
    QPushButton* m_ok;
};

} // namespace dialogs::switching
