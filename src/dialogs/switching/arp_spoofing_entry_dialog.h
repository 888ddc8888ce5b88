#pragma once

#include "dialogs/resizable_dialog.h"
#include "dialogs/switching/arp_spoofing_rules.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace dialogs {
class CIpAddressEdit;
class CPortCheckGrid;
} // namespace dialogs

namespace dialogs::switching {

// "Add ARP Spoofing Prevention Entry": one gateway address, its MAC and the
// ports it is guarded on.
class CArpSpoofingEntryDialog : public CResizableDialog {
    Q_OBJECT
public:
    explicit CArpSpoofingEntryDialog(int portCount, QWidget* parent = nullptr);

    void apply();

    CIpAddressEdit* address() const { return m_address; }
    QLineEdit* mac() const { return m_mac; }
    CPortCheckGrid* ports() const { return m_ports; }
    QCheckBox* allPorts() const { return m_allPorts; }

private:
    void allPortsToggled(bool checked);

    int m_portCount;
    // Apply waits for the links: rule 9 needs them.
    AggregatedLinks m_links;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_linkRead;
    CIpAddressEdit* m_address;
    QLineEdit* m_mac;
    QCheckBox* m_allPorts;
    CPortCheckGrid* m_ports;
    QPushButton* m_apply;
};

} // namespace dialogs::switching
