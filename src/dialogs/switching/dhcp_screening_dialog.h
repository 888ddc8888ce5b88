#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/dhcp_screening_rules.h"

#include <vector>

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace dialogs {
class CPortRangeControl;
}

namespace dialogs::switching {

// "DHCP Server Screening Port Settings": screening per port, set for a
// range of ports and written as one bitmap.
class CDhcpScreeningDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CDhcpScreeningDialog(int portCount, QWidget* parent = nullptr);

    void refresh();
    void apply();

    QTreeWidget* list() const { return m_list; }
    CPortRangeControl* range() const { return m_range; }
    QComboBox* state() const { return m_state; }

private:
    void showStates();

    int m_portCount;
    std::vector<int> m_states; // per port, port 1 first
    AggregatedLinks m_links;
    // The last answer held a bitmap for every port.
    bool m_statesDecoded = false;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_linkRead;
    // Apply writes every port's state.
    ReadId m_stateRead;
    CPortRangeControl* m_range;
    QComboBox* m_state;
    QTreeWidget* m_list;
    QPushButton* m_apply;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
