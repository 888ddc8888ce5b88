#pragma once

#include "dialogs/dialog_base.h"

#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace dialogs::mib {

// "Spanning Tree Table": one row per port; opens the port dialog.
class CSpanningTreeTableDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CSpanningTreeTableDialog(int portCount, QWidget* parent = nullptr);

    void refresh();
    void openPortConfig();
    QTreeWidget* list() const { return m_list; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void addRow(const WalkRow& row);

    int m_portCount;
    CDialogSession& m_cCommonSNMP;
    ReadId m_read;
    std::vector<std::vector<std::string>> m_rows; // the column texts, as listed
    QTreeWidget* m_list;
    QLabel* m_entries;
    QLabel* m_listNote = nullptr;
    QPushButton* m_portConfig;
    QPushButton* m_refresh;
    bool m_shown = false;
};

} // namespace dialogs::mib
