#pragma once

#include "dialogs/resizable_dialog.h"
#include "dialogs/switching/vlan_rules.h"

#include <cstdint>
#include <vector>

class QLineEdit;
class QPushButton;

namespace dialogs::switching {

// "PVID Configuration": one PVID per port; Apply checks and writes them all,
// then closes with Accepted.
class CPvidDialog : public CResizableDialog {
    Q_OBJECT
public:
    // `vlans`: the VLANs listed by the configuration dialog.
    CPvidDialog(int portCount, std::vector<VlanEntry> vlans, QWidget* parent = nullptr);

    void refresh();
    void apply();
    QLineEdit* pvidEdit(int port) const;

private:
    std::vector<std::int64_t> pvids() const;

    int m_portCount;
    std::vector<VlanEntry> m_vlans;
    AggregatedLinks m_links;
    int m_rowsRead = 0;
    int m_pvidsValid = 0;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    CDialogSession& m_cCommonSNMPTrunk;
    ReadId m_linkRead;
    ReadId m_pvidRead;
    ReadId m_pathRead = kUndeclared;
    std::vector<std::int64_t> m_read; // the PVIDs as read, port 1 first
    std::vector<QLineEdit*> m_edits;
    QPushButton* m_apply;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
