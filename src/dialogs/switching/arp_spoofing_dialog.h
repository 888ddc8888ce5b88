#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/arp_spoofing_rules.h"

#include <vector>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace dialogs::switching {

// "ARP Spoofing Prevention Setting": the gateway entries, deleted here and
// added through their own dialog.
class CArpSpoofingDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CArpSpoofingDialog(int portCount, QWidget* parent = nullptr);

    void refresh();
    void add();
    void remove();

    QTreeWidget* list() const { return m_list; }

private:
    int m_portCount;
    std::vector<ArpSpoofingRow> m_rows; // as listed
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    // Add counts the entries; Delete names a listed one.
    ReadId m_entryRead;
    QTreeWidget* m_list;
    QLineEdit* m_total;
    QPushButton* m_add;
    QPushButton* m_delete;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
