#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/mib/table_view_rules.h"

#include <memory>
#include <string>

class QGridLayout;
class QLabel;
class QPushButton;
class QTreeWidget;

namespace dialogs::mib {

// A read-only list of one standard table, filled by one walk per Refresh.
class CTableViewDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CTableViewDialog(TableView view, QWidget* parent = nullptr);

    virtual void refresh();
    QTreeWidget* list() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;
    // Whether an answered row is listed.
    virtual bool listsRow(const WalkRow& row) const;
    // Room beside the list for a derived dialog's controls.
    QGridLayout* sideArea() const { return m_side; }

    CDialogSession& m_cCommonSNMP;

private:
    void addRow(const WalkRow& row);

    TableView m_view;
    ReadId m_read = kUndeclared;
    QTreeWidget* m_list;
    QLabel* m_entries = nullptr;
    QPushButton* m_refresh;
    QGridLayout* m_side;
    QLabel* m_listNote;
    bool m_shown = false;
};

std::unique_ptr<CTableViewDialog> newInterfaceTableDialog();
std::unique_ptr<CTableViewDialog> newIpTableDialog(const std::string& agentAddress);
std::unique_ptr<CTableViewDialog> newTcpServiceDialog();
std::unique_ptr<CTableViewDialog> newUdpServiceDialog();

} // namespace dialogs::mib
