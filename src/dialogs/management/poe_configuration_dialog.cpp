#include "dialogs/management/poe_configuration_dialog.h"

#include "dialogs/port_range_control.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace dialogs::management {
namespace {

QComboBox* itemCombo(const char* name, const std::vector<std::string>& items, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->addItems(qTexts(items));
    return combo;
}

} // namespace

CPoeConfigurationDialog::CPoeConfigurationDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_cCommonSNMPTimeRang(addSession("m_cCommonSNMPTimeRang")),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_rangeRead(declareRead("time range names", poeTimeRangeNamesRead())),
      m_portRead(declareRead("PoE ports", poePortTableRead()))
{
    auto* information = new QGroupBox(QStringLiteral("Port Information"), this);
    m_list = newListView(poePortHeaders(), information);
    (new QVBoxLayout(information))->addWidget(m_list);

    m_range = new CPortRangeControl(QStringLiteral("Form Port"), QStringLiteral("To Port"), 0, this);
    m_state = itemCombo("state", poeStateItems(), this);
    m_priority = itemCombo("priority", poePriorityItems(), this);
    m_powerLimit = itemCombo("powerLimit", poePowerLimitItems(), this);
    m_userDefine = new QCheckBox(QStringLiteral("User Define"), this);
    m_userDefine->setObjectName(QStringLiteral("userDefine"));
    m_userLimit = new QLineEdit(this);
    m_userLimit->setObjectName(QStringLiteral("userLimit"));
    m_userLimit->setAccessibleName(QStringLiteral("User Define power limit"));
    m_userLimit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}(\\.[0-9]?)?")), m_userLimit));
    m_timeRange = new QComboBox(this);
    m_timeRange->setObjectName(QStringLiteral("timeRange"));

    auto* settingsGrid = new QGridLayout;
    int row = 0;
    const auto addControl = [&](QWidget* control, const char* caption) {
        settingsGrid->addWidget(captionFor(control, QString::fromLatin1(caption)), row, 0);
        settingsGrid->addWidget(control, row++, 1);
    };
    settingsGrid->addWidget(m_range, row++, 0, 1, 3);
    addControl(m_state, "State");
    addControl(m_timeRange, "Time Range");
    addControl(m_priority, "Priority");
    addControl(m_powerLimit, "Power Limit");
    settingsGrid->addWidget(new QLabel(QStringLiteral("(1~30w) "), this), row - 1, 2);
    settingsGrid->addWidget(m_userDefine, row, 0);
    settingsGrid->addWidget(m_userLimit, row++, 1);

    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_refresh, &QPushButton::clicked, this, &CPoeConfigurationDialog::refresh);
    connect(m_apply, &QPushButton::clicked, this, &CPoeConfigurationDialog::apply);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // The current line, however it moved (mouse, keys, screen reader), fills the settings.
    connect(m_list, &QTreeWidget::currentItemChanged, this, &CPoeConfigurationDialog::lineChosen);
    connect(m_userDefine, &QCheckBox::toggled, this, [this](bool checked) {
        m_powerLimit->setEnabled(!checked);
        m_userLimit->setEnabled(checked);
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(m_apply);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(information);
    layout->addLayout(settingsGrid);
    layout->addLayout(buttons);

    m_priority->setCurrentIndex(1);
    m_userLimit->setEnabled(false);
    const std::vector<int> offered = offeredPoePorts(m_portCount, {});
    m_range->setPorts(offered);
    if (!offered.empty())
        m_range->setRange(offered.front(), offered.back());
    setWindowTitle(QStringLiteral("PoE Configuration"));
    // Apply writes the time range chosen from the names read, to the ports offered by the port walk.
    needs(m_apply, {m_rangeRead, m_portRead});
    waitsFor(m_refresh, {m_rangeRead, m_portRead});
    refresh();
}

void CPoeConfigurationDialog::refresh()
{
    m_ranges.clear();
    m_timeRange->clear();
    m_timeRange->addItem(QStringLiteral("N/A"), 0);
    startWalk(
        m_cCommonSNMPTimeRang, poeTimeRangeNamesRead(),
        [this](const WalkRow& row) {
            if (const auto range = decodeTimeRangeName(row)) {
                m_ranges.push_back(*range);
                m_timeRange->addItem(QString::fromStdString(range->name), range->index);
            }
        },
        [this] { readPorts(); }, m_rangeRead);
}

void CPoeConfigurationDialog::readPorts()
{
    m_list->clear();
    m_lines.clear();
    m_answeredPorts.clear();
    startWalk(
        m_cCommonSNMP, poePortTableRead(),
        [this](const WalkRow& row) {
            m_lines.push_back(decodePoePort(row, m_list->topLevelItemCount(), m_ranges));
            appendRow(m_list, m_lines.back().texts);
            if (m_lines.back().port > 0)
                m_answeredPorts.push_back(m_lines.back().port);
        },
        [this] {
            // A re-read keeps the range the user had, when its ports are still offered.
            const int from = m_range->from();
            const int to = m_range->to();
            const std::vector<int> offered = offeredPoePorts(m_portCount, m_answeredPorts);
            m_range->setPorts(offered);
            if (offered.empty())
                return;
            const auto has = [&](int port) { return std::find(offered.begin(), offered.end(), port) != offered.end(); };
            const bool kept = has(from) && has(to);
            m_range->setRange(kept ? from : offered.front(), kept ? to : offered.back());
        },
        m_portRead);
}

void CPoeConfigurationDialog::lineChosen(QTreeWidgetItem* item)
{
    const int line = m_list->indexOfTopLevelItem(item);
    if (line < 0 || line >= static_cast<int>(m_lines.size()))
        return;
    // Every setting the line holds, so that Apply writes back what the user left alone.
    const PoePortLine& chosen = m_lines[static_cast<std::size_t>(line)];
    if (chosen.port > 0)
        m_range->setRange(chosen.port, chosen.port);
    const PoeSettings& s = chosen.settings;
    m_state->setCurrentIndex(s.state);
    m_timeRange->setCurrentIndex(s.timeRange < 0 ? -1 : m_timeRange->findData(s.timeRange));
    m_priority->setCurrentIndex(s.priority);
    m_powerLimit->setCurrentIndex(s.powerLimit);
    m_userDefine->setChecked(s.userDefined);
    m_userLimit->setText(QString::fromStdString(s.userLimit));
}

PoeSettings CPoeConfigurationDialog::settings() const
{
    PoeSettings s;
    s.state = m_state->currentIndex();
    s.timeRange = m_timeRange->currentIndex() < 0 ? -1 : m_timeRange->currentData().toInt();
    s.priority = m_priority->currentIndex();
    s.userDefined = m_userDefine->isChecked();
    s.powerLimit = m_powerLimit->currentIndex();
    s.userLimit = textOf(m_userLimit->text());
    return s;
}

bool CPoeConfigurationDialog::apply()
{
    const std::vector<int> ports = m_range->ports();
    if (ports.empty() || writing() || !readsWhole({m_rangeRead, m_portRead}))
        return false;
    const PoeSettings s = settings();
    if (const std::string message = checkPoeRange(s, ports); !message.empty()) {
        platform::prompter().warn(message, {});
        return false;
    }
    return runWrite([&session = m_cCommonSNMPSet, ports, s](WriteContext& write) { writePoePorts(write, session, ports, s); },
                    [this] { readPorts(); });
}

} // namespace dialogs::management
