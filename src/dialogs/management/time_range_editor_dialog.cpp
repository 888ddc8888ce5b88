#include "dialogs/management/time_range_editor_dialog.h"

#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs::management {
namespace {

struct ComboSpec {
    const char* name;
    const char* what; // the accessible name after its row's caption
    int first;
    int last;
};

QComboBox* numberCombo(const QString& caption, const ComboSpec& spec, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(spec.name));
    combo->setAccessibleName(caption.trimmed() + QLatin1Char(' ') + QString::fromLatin1(spec.what));
    combo->addItems(qTexts(numberItems(spec.first, spec.last)));
    return combo;
}

void choose(QComboBox* combo, int value)
{
    const int index = combo->findText(QString::number(value));
    if (index >= 0)
        combo->setCurrentIndex(index);
}

} // namespace

CTimeBasedPoeConfigDialog::CTimeBasedPoeConfigDialog(std::vector<RememberedRange> rows, std::optional<int> index,
                                                     QWidget* parent)
    : CDialogBase(parent),
      m_rows(std::move(rows)),
      m_index(index),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet"))
{
    auto* group = new QGroupBox(QStringLiteral("Time Range Setting"), this);
    auto* grid = new QGridLayout(group);
    m_name = new QLineEdit(group);
    m_name->setObjectName(QStringLiteral("rangeName"));
    grid->addWidget(captionFor(m_name, QStringLiteral("Range Name")), 0, 0);
    grid->addWidget(m_name, 0, 1, 1, 3);
    m_date = new QCheckBox(QStringLiteral("Date"), group);
    m_date->setObjectName(QStringLiteral("date"));
    grid->addWidget(m_date, 1, 0);

    // One caption per row of combos; each combo's accessible name says which part it holds. A unit
    // label beside each combo names it on Linux too, where the bridge names a combo by its text.
    const auto comboRow = [&](int line, const QString& caption, const std::vector<ComboSpec>& specs, QComboBox** out) {
        for (std::size_t i = 0; i < specs.size(); ++i)
            out[i] = numberCombo(caption, specs[i], group);
        grid->addWidget(captionFor(out[0], caption), line, 0);
        for (std::size_t i = 0; i < specs.size(); ++i) {
            auto* cell = new QHBoxLayout;
            cell->addWidget(out[i]);
            cell->addWidget(captionFor(out[i], QString::fromLatin1(specs[i].what)));
            grid->addLayout(cell, line, 1 + static_cast<int>(i));
        }
    };
    comboRow(2, QStringLiteral("From Day "),
             {{"fromYear", "year", 2009, 2037}, {"fromMonth", "month", 1, 12}, {"fromDay", "day", 1, 31}}, &m_dates[0]);
    comboRow(3, QStringLiteral("To Day "), {{"toYear", "year", 2009, 2037}, {"toMonth", "month", 1, 12}, {"toDay", "day", 1, 31}},
             &m_dates[3]);
    grid->addWidget(new QLabel(QStringLiteral("Hours(HH MM)"), group), 4, 0);
    comboRow(5, QStringLiteral("Start Time"), {{"startHour", "hour", 0, 23}, {"startMinute", "minute", 0, 59}}, &m_times[0]);
    comboRow(6, QStringLiteral("End Time"), {{"endHour", "hour", 0, 23}, {"endMinute", "minute", 0, 59}}, &m_times[2]);

    auto* days = new QHBoxLayout;
    static const char* const kDayCaptions[] = {"Mon ", "Tue", "Wed ", "Thu", "Fri ", "Sat", "Sun"};
    for (std::size_t day = 0; day < 7; ++day) {
        m_days[day] = new QCheckBox(QString::fromLatin1(kDayCaptions[day]), group);
        m_days[day]->setObjectName(QStringLiteral("day%1").arg(day));
        days->addWidget(m_days[day]);
    }
    m_allDays = new QCheckBox(QStringLiteral("Select All Days"), group);
    m_allDays->setObjectName(QStringLiteral("allDays"));
    days->addWidget(m_allDays);
    grid->addLayout(days, 7, 0, 1, 4);

    m_apply = pushButton(QStringLiteral("Apply"), "apply", this);
    QPushButton* cancel = pushButton(QStringLiteral("Cancel"), "cancel", this);
    connect(m_apply, &QPushButton::clicked, this, &CTimeBasedPoeConfigDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_date, &QCheckBox::toggled, this, &CTimeBasedPoeConfigDialog::enableDates);
    connect(m_allDays, &QCheckBox::toggled, this, [this](bool checked) {
        for (QCheckBox* day : m_days)
            day->setChecked(checked);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("Time Based PoE Config"));

    enableDates(false);
    if (m_index) {
        // Apply writes the row back, and puts it back when a change fails:
        // without a clean read there is nothing it may write.
        m_name->setEnabled(false);
        m_rowRead = declareRead("time range", timeRangeRowRead(*m_index));
        needs(m_apply, {m_rowRead});
        m_apply->setEnabled(false);
        startGet(m_cCommonSNMP, timeRangeRowRead(*m_index), [this](int status, const std::vector<std::string>& values) {
            if (status == snmp::kStatusOk)
                m_old = decodeTimeRange(values);
            if (m_old)
                showRange(*m_old);
            m_apply->setEnabled(m_old.has_value());
        }, m_rowRead);
    }
}

void CTimeBasedPoeConfigDialog::showRange(const TimeRange& r)
{
    m_name->setText(QString::fromStdString(r.name));
    m_date->setChecked(r.dated);
    enableDates(r.dated);
    const int dates[] = {r.fromYear, r.fromMonth, r.fromDay, r.toYear, r.toMonth, r.toDay};
    for (std::size_t i = 0; i < m_dates.size(); ++i)
        choose(m_dates[i], dates[i]);
    const int times[] = {r.startHour, r.startMinute, r.endHour, r.endMinute};
    for (std::size_t i = 0; i < m_times.size(); ++i)
        choose(m_times[i], times[i]);
    for (std::size_t day = 0; day < 7; ++day)
        m_days[day]->setChecked(r.days[day]);
}

void CTimeBasedPoeConfigDialog::enableDates(bool enabled)
{
    for (QComboBox* combo : m_dates)
        combo->setEnabled(enabled);
}

std::optional<TimeRange> CTimeBasedPoeConfigDialog::form() const
{
    const auto valueOf = [](const QComboBox* combo) { return combo->currentIndex() < 0 ? -1 : combo->currentText().toInt(); };
    TimeRange r;
    r.name = textOf(m_name->text());
    r.dated = m_date->isChecked();
    int* const dates[] = {&r.fromYear, &r.fromMonth, &r.fromDay, &r.toYear, &r.toMonth, &r.toDay};
    for (std::size_t i = 0; i < m_dates.size(); ++i)
        if ((*dates[i] = valueOf(m_dates[i])) < 0)
            return std::nullopt;
    int* const times[] = {&r.startHour, &r.startMinute, &r.endHour, &r.endMinute};
    for (std::size_t i = 0; i < m_times.size(); ++i)
        if ((*times[i] = valueOf(m_times[i])) < 0)
            return std::nullopt;
    for (std::size_t day = 0; day < 7; ++day)
        r.days[day] = m_days[day]->isChecked();
    return r;
}

bool CTimeBasedPoeConfigDialog::apply()
{
    if (writing() || (m_index && !m_old))
        return false;
    if (!m_index) {
        if (const std::string message = checkTimeRangeName(textOf(m_name->text()), m_rows); !message.empty()) {
            platform::prompter().warn(message, {});
            return false;
        }
    }
    const std::optional<TimeRange> range = form();
    if (!range)
        return false;
    if (const std::string message = checkTimeRangeTimes(*range); !message.empty()) {
        platform::prompter().warn(message, {});
        return false;
    }
    TimeRangeChange change{m_index.value_or(0), *range, m_old};
    if (!m_index) {
        const std::optional<int> free = freeTimeRangeIndex(m_rows);
        if (!free) {
            platform::prompter().warn(kTimeRangesFull, {});
            return false;
        }
        change.index = *free;
    }
    return runWrite([&session = m_cCommonSNMPSet, change](WriteContext& write) { writeTimeRange(write, session, change); },
                    [this] { accept(); });
}

} // namespace dialogs::management
