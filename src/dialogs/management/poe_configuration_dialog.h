#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/poe_rules.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidgetItem;
class QTreeWidget;

namespace dialogs {
class CPortRangeControl;
}

namespace dialogs::management {

// "PoE Configuration": every port's PoE state, and the settings Apply writes
// to a range of ports.
class CPoeConfigurationDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CPoeConfigurationDialog(int portCount, QWidget* parent = nullptr);

    void refresh();
    // False when a check refused the settings or nothing was started.
    bool apply();

    QTreeWidget* list() const { return m_list; }
    CPortRangeControl* range() const { return m_range; }

private:
    void readPorts();
    void lineChosen(QTreeWidgetItem* item);
    PoeSettings settings() const;

    int m_portCount;
    std::vector<TimeRangeName> m_ranges;
    std::vector<PoePortLine> m_lines; // as listed
    std::vector<int> m_answeredPorts;
    CDialogSession& m_cCommonSNMPTimeRang;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    ReadId m_rangeRead;
    ReadId m_portRead;
    QTreeWidget* m_list;
    CPortRangeControl* m_range;
    QComboBox* m_state;
    QComboBox* m_priority;
    QComboBox* m_powerLimit;
    QCheckBox* m_userDefine;
    QLineEdit* m_userLimit;
    QComboBox* m_timeRange;
    QPushButton* m_refresh;
    QPushButton* m_apply;
};

} // namespace dialogs::management
