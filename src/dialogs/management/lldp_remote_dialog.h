#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/lldp_rules.h"

class QLineEdit;
class QTreeWidget;

namespace dialogs::management {

// "LLDP Remote Port Information": the neighbours the switch has learnt.
class CLldpRemoteDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CLldpRemoteDialog(QWidget* parent = nullptr);

    void refresh();

    QTreeWidget* list() const { return m_list; }

private:
    void walkRemotePorts();
    void showCount(bool whole);

    CDialogSession& m_cCommonSNMPEnabled;
    CDialogSession& m_cCommonSNMP;
    ReadId m_stateRead;
    ReadId m_remoteRead;
    QLineEdit* m_count;
    QTreeWidget* m_list;
};

} // namespace dialogs::management
