#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/multicast_filter_rules.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTreeWidget;

namespace dialogs::switching {

// "Multicast Filtering Mode Configuration": per VLAN, whether multicast
// traffic of unregistered groups is forwarded or filtered.
class CMulticastFilteringDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CMulticastFilteringDialog(QWidget* parent = nullptr);

    void refresh();
    void apply();

    QTreeWidget* list() const { return m_list; }

private:
    void readFilterRows();

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    // Apply addresses the listed rows.
    ReadId m_nameRead;
    ReadId m_filterRead;
    QTreeWidget* m_list;
    QComboBox* m_vlanId;
    QCheckBox* m_all;
    QComboBox* m_mode;
    QPushButton* m_apply;
    QPushButton* m_refresh;
    VlanNames m_names; // of the last refresh
};

} // namespace dialogs::switching
