#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/time_range_rules.h"

#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace dialogs::management {

// "Time Range Information": the switch's PoE time ranges, with Add, Edit and
// Delete.
class CTimeRangeListDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CTimeRangeListDialog(QWidget* parent = nullptr);

    void refresh();
    void add();
    void edit();
    void remove();

    QTreeWidget* list() const { return m_list; }

private:
    void openEditor(std::optional<int> index);
    // The selected line's row index; none (after the message) when there is none.
    std::optional<int> selectedIndex(const char* message);

    std::vector<RememberedRange> m_rows;
    std::vector<int> m_listed; // row index per list line
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    ReadId m_read;
    QTreeWidget* m_list;
    std::vector<QPushButton*> m_buttons;
};

} // namespace dialogs::management
