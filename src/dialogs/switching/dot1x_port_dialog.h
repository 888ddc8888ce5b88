#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/dot1x_rules.h"

#include <vector>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace dialogs {
class CPortRangeControl;
}

namespace dialogs::switching {

// "802.1X Port Configuration": the port access control of a range of ports.
class CDot1xPortDialog : public CDialogBase {
    Q_OBJECT
public:
    // timers: what the config dialog shows, repeated in every row.
    CDot1xPortDialog(int portCount, Dot1xTimerTexts timers, QWidget* parent = nullptr);

    void refresh();
    // Refresh, after the links when they were not read whole.
    void reread();
    void apply();

    QTreeWidget* list() const { return m_list; }
    CPortRangeControl* range() const { return m_range; }

private:
    Dot1xTimerTexts m_timers;
    std::vector<int> m_controls; // per port, port 1 first
    AggregatedLinks m_links;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTableTrunkInfo;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_linkRead;
    // The refusals count every port's code, and the links refuse ranges.
    ReadId m_portRead;
    ReadId m_pathRead = kUndeclared;
    CPortRangeControl* m_range;
    QComboBox* m_control;
    QTreeWidget* m_list;
    QPushButton* m_apply;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
