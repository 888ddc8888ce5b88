#pragma once

#include "dialogs/resizable_dialog.h"
#include "dialogs/switching/vlan_entry_rules.h"

#include <vector>

class QLineEdit;
class QPushButton;

namespace dialogs {
class CPortCheckGrid;
}

namespace dialogs::switching {

// "Add VLAN" / "Edit VLAN": VID, name and each port's Tag / Untag / Not
// Member state; OK checks and writes the VLAN, then closes with Accepted.
class CVlanEntryDialog : public CResizableDialog {
    Q_OBJECT
public:
    // `list`: the VLANs listed by the configuration dialog; `vid` the one to
    // edit (edit mode).
    CVlanEntryDialog(bool addMode, int portCount, std::vector<VlanEntry> list, int vid, bool asymmetric,
                     QWidget* parent = nullptr);

    void ok();
    const VlanEntryForm& form() const { return m_form; }

private:
    void clicked(int row, int port);
    void showPort(int port);

    int m_portCount;
    std::vector<VlanEntry> m_list;
    VlanEntryForm m_form;
    // OK waits for the links: a trunk split across the VLAN could slip through.
    AggregatedLinks m_links;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPEgrePort;
    CDialogSession& m_cCommonSNMPUntagPort;
    CDialogSession& m_cCommonSNMPAllPort;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_linkRead;
    ReadId m_pathRead = kUndeclared;
    QLineEdit* m_name;
    QLineEdit* m_vid;
    CPortCheckGrid* m_ports;
    QPushButton* m_ok;
};

} // namespace dialogs::switching
