#pragma once

#include "dialogs/mib/table_view_dialog.h"

class QLineEdit;

namespace dialogs::mib {

// The forwarding table: the MAC address list with its port filter and the
// bridge's aging time.
class CForwardingTableDialog : public CTableViewDialog {
    Q_OBJECT
public:
    explicit CForwardingTableDialog(QWidget* parent = nullptr);

    void refresh() override;

protected:
    bool listsRow(const WalkRow& row) const override;

private:
    void readAgingTime();

    CDialogSession& m_cCommonSNMPGetTime;
    ReadId m_ageRead;
    QLineEdit* m_portFilter;
    QLabel* m_agingTime;
};

} // namespace dialogs::mib
