#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/time_range_rules.h"

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace dialogs::management {

// "Time Based PoE Config": adds a time range, or edits the one at `index`
// (read from the switch when the editor opens).
class CTimeBasedPoeConfigDialog : public CDialogBase {
    Q_OBJECT
public:
    CTimeBasedPoeConfigDialog(std::vector<RememberedRange> rows, std::optional<int> index, QWidget* parent = nullptr);

    // False when a check stopped it or nothing was started; the editor
    // closes when the write has ended.
    bool apply();

private:
    void showRange(const TimeRange& range);
    void enableDates(bool enabled);
    // None when a combo has no selection.
    std::optional<TimeRange> form() const;

    std::vector<RememberedRange> m_rows;
    std::optional<int> m_index;
    std::optional<TimeRange> m_old; // edit: the row as read
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    ReadId m_rowRead = kUndeclared; // edit: the row's get
    QLineEdit* m_name;
    QCheckBox* m_date;
    // From year, month, day; to year, month, day.
    std::array<QComboBox*, 6> m_dates{};
    // Start hour, minute; end hour, minute.
    std::array<QComboBox*, 4> m_times{};
    std::array<QCheckBox*, 7> m_days{};
    QCheckBox* m_allDays;
    QPushButton* m_apply;
};

} // namespace dialogs::management
