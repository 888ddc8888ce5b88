#pragma once

#include "dialogs/resizable_dialog.h"
#include "dialogs/switching/trunk_validator.h"

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

    // OK, once the snapshot is complete: the checks, then the one set and the
    // close; true when the set started.
    bool ok();

    CPortCheckGrid* ports() const { return m_ports; }
    const TrunkSnapshot& snapshot() const { return m_snapshot; }
    bool snapshotComplete() const { return m_pendingReads == 0; }

signals:
    // Every snapshot read has ended.
    void snapshotRead();

private:
    // Runs `reads` one after another on `session`.
    void readChain(CDialogSession& session, std::vector<TrunkRead> reads, std::size_t next = 0);
    void readGlobals();
    void noteTimeOut(const CDialogSession& session);
    void readEnded();

    std::string m_linkId;
    std::string m_mode;
    std::vector<int> m_ownMembers;
    int m_portCount;
    TrunkSnapshot m_snapshot;
    int m_pendingReads = 0;
    bool m_snapshotUnread = false; // a read timed out
    bool m_globalsPending = false; // the opening's read of the global states
    bool m_globalsReading = false;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPMirror;
    CDialogSession& m_cCommonSNMPTableACL;
    CDialogSession& m_cCommonSNMPPoint;
    CDialogSession& m_cCommonSNMPTableVlan;
    CDialogSession& m_cCommonSNMPTableTrunk;
    CDialogSession& m_cCommonSNMPTableStaticPor;
    CDialogSession& m_cCommonSNMPTableGetVlanTrunk;
    CPortCheckGrid* m_ports;
    QPushButton* m_ok;
};

} // namespace dialogs::switching
