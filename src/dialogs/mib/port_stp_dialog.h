#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/mib/stp_rules.h"

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs::mib {

// " Port STP Configuration": one port's priority, path cost and enable, with
// previous/next navigation through the table's rows.
class CPortStpDialog : public CDialogBase {
    Q_OBJECT
public:
    // rows: the Spanning Tree Table's column texts; row: the one to show first.
    CPortStpDialog(std::vector<std::vector<std::string>> rows, int row, int portCount, QWidget* parent = nullptr);

    bool apply();
    void move(int step);
    int currentRow() const { return m_row; }

private:
    void showRow();
    // Apply and OK show whether the port's values were decoded.
    void showWritable(bool writable);
    StpPortSettings settings() const;
    int linkOfCurrentPort() const;

    std::vector<std::vector<std::string>> m_rows;
    int m_row;
    // Writes wait for the links and the port: a trunk member could slip
    // through without the links, and an unread port would get the controls'
    // stale values.
    AggregatedLinks m_links;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_linkRead;
    ReadId m_portRead; // the shown port's get
    QLabel* m_port;
    QComboBox* m_priority;
    QLineEdit* m_pathCost;
    QCheckBox* m_enable;
    QLabel* m_status;
    std::vector<QLabel*> m_designated;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_apply;
    QPushButton* m_ok;
};

} // namespace dialogs::mib
