#include "dialogs/mib/stp_configuration_dialog.h"

#include "dialogs/mib/spanning_tree_table_dialog.h"
#include "dialogs/text_number.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

namespace dialogs::mib {
namespace {

constexpr int kVersionRstp = 0;
constexpr int kVersionStpCompatible = 1;

QLineEdit* timerEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(kStpTimerMaxLength);
    edit->setValidator(digitsOnly(edit));
    return edit;
}

} // namespace

CStpConfigurationDialog::CStpConfigurationDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_read(declareRead("spanning tree bridge", stpBridgeRead()))
{
    m_enable = new QCheckBox(QStringLiteral("Enable RSTP"), this);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_version = new QComboBox(this);
    m_version->setObjectName(QStringLiteral("version"));
    m_version->addItems({QStringLiteral("RSTP"), QStringLiteral("STP Compatible")});
    m_priority = new QComboBox(this);
    m_priority->setObjectName(QStringLiteral("priority"));
    m_priority->setEditable(true);
    for (const std::string& item : bridgePriorityItems())
        m_priority->addItem(QString::fromStdString(item));
    m_priority->setValidator(digitsOnly(m_priority));
    m_maxAge = timerEdit("maxAge", this);
    m_forwardDelay = timerEdit("forwardDelay", this);
    m_helloTime = timerEdit("helloTime", this);
    m_timeSinceChange = switchTextLabel("timeSinceChange", this);
    m_topologyChanges = switchTextLabel("topologyChanges", this);
    m_designatedRoot = switchTextLabel("designatedRoot", this);
    m_rootPort = switchTextLabel("rootPort", this);
    m_currentHelloTime = switchTextLabel("currentHelloTime", this);
    m_holdTime = switchTextLabel("holdTime", this);
    m_currentForwardDelay = switchTextLabel("currentForwardDelay", this);

    auto* settingsGrid = new QGridLayout;
    int row = 0;
    const auto addControl = [&](QWidget* control, const char* caption) {
        settingsGrid->addWidget(captionFor(control, QString::fromLatin1(caption)), row, 0);
        settingsGrid->addWidget(control, row++, 1);
    };
    addControl(m_enable, "RSTP Status:");
    addControl(m_version, "STP Version:");
    addControl(m_priority, "Priority:");
    addControl(m_maxAge, "Age Time(600-4000):");
    addControl(m_forwardDelay, "Delay(400-3000):");
    addControl(m_helloTime, "Hello Time(100-1000):");
    settingsGrid->addWidget(new QLabel(QStringLiteral("Time Unit: 1/100 Second"), this), row, 0, 1, 2);

    auto* stateGrid = new QGridLayout;
    row = 0;
    const auto addValue = [&](QLabel* value, const char* caption) {
        stateGrid->addWidget(new QLabel(QString::fromLatin1(caption), this), row, 0);
        stateGrid->addWidget(value, row++, 1);
    };
    addValue(m_timeSinceChange, "TopoChangeTime:");
    addValue(m_topologyChanges, "TopoChanged:");
    addValue(m_designatedRoot, "Designated Root:");
    addValue(m_rootPort, "RootPort:");
    addValue(m_currentHelloTime, "Hello Time:");
    addValue(m_holdTime, "Hold Time:");
    addValue(m_currentForwardDelay, "Forward Delay:");

    m_portSetting = pushButton(QStringLiteral("Port Setting"), "portSetting", this);
    m_apply = pushButton(QStringLiteral("Apply"), "apply", this);
    QPushButton* cancelButton = pushButton(QStringLiteral("Cancel"), "cancel", this);
    cancelButton->setDefault(true);
    connect(m_portSetting, &QPushButton::clicked, this, &CStpConfigurationDialog::openPortSetting);
    connect(m_apply, &QPushButton::clicked, this, &CStpConfigurationDialog::apply);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_enable, &QCheckBox::toggled, this, [this](bool checked) { enableEditing(checked); });

    auto* columns = new QHBoxLayout;
    columns->addLayout(settingsGrid);
    columns->addSpacing(16);
    columns->addLayout(stateGrid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_portSetting);
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    m_priority->setEditText(QStringLiteral("0"));
    m_version->setCurrentIndex(kVersionRstp);
    // Apply writes every field back: only values read and shown may go out.
    needs(m_apply, {m_read});
    needs(m_portSetting, {m_read});
    m_apply->setEnabled(false);
    read();
    setWindowTitle(QStringLiteral(" STP Configuration "));
    enableEditing(false);
    m_portSetting->setEnabled(false);
}

void CStpConfigurationDialog::read()
{
    startWalk(m_cCommonSNMP, stpBridgeRead(), [this](const WalkRow& row) { showAnswer(row); }, {}, m_read);
}

void CStpConfigurationDialog::enableEditing(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(m_version), static_cast<QWidget*>(m_priority),
                             static_cast<QWidget*>(m_maxAge), static_cast<QWidget*>(m_forwardDelay),
                             static_cast<QWidget*>(m_helloTime)})
        control->setEnabled(enabled);
}

void CStpConfigurationDialog::showAnswer(const WalkRow& row)
{
    const auto texts = decodeStpBridge(row);
    if (!texts)
        return;
    m_priority->setEditText(QString::fromStdString(texts->priority));
    m_timeSinceChange->setText(QString::fromStdString(texts->timeSinceTopologyChange));
    m_topologyChanges->setText(QString::fromStdString(texts->topologyChanges));
    m_designatedRoot->setText(QString::fromStdString(texts->designatedRoot));
    m_rootPort->setText(QString::fromStdString(texts->rootPort));
    setLimitedText(m_maxAge, texts->maxAge, kStpTimerMaxLength);
    setLimitedText(m_helloTime, texts->helloTime, kStpTimerMaxLength);
    setLimitedText(m_forwardDelay, texts->forwardDelay, kStpTimerMaxLength);
    m_currentHelloTime->setText(QString::fromStdString(texts->currentHelloTime));
    m_holdTime->setText(QString::fromStdString(texts->holdTime));
    m_currentForwardDelay->setText(QString::fromStdString(texts->currentForwardDelay));
    m_enable->setChecked(texts->enabled);
    enableEditing(texts->enabled);
    m_portSetting->setEnabled(texts->enabled);
    m_apply->setEnabled(true);
    if (texts->version == StpBridgeTexts::Version::StpCompatible)
        m_version->setCurrentIndex(kVersionStpCompatible);
    else if (texts->version == StpBridgeTexts::Version::Rstp)
        m_version->setCurrentIndex(kVersionRstp);
}

StpBridgeSettings CStpConfigurationDialog::settings() const
{
    StpBridgeSettings s;
    s.maxAge = typedNumber(textOf(m_maxAge->text()));
    s.helloTime = typedNumber(textOf(m_helloTime->text()));
    s.forwardDelay = typedNumber(textOf(m_forwardDelay->text()));
    s.priority = typedNumber(textOf(m_priority->currentText()));
    s.rstp = m_version->currentIndex() == kVersionRstp;
    s.enabled = m_enable->isChecked();
    return s;
}

void CStpConfigurationDialog::apply()
{
    if (!m_apply->isEnabled())
        return;
    const StpBridgeSettings s = settings();
    const StpTimerTexts typed{textOf(m_maxAge->text()), textOf(m_forwardDelay->text()), textOf(m_helloTime->text())};
    if (const std::string message = checkStpBridge(typed, s); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    m_portSetting->setEnabled(s.enabled);
    runWrite([&session = m_cCommonSNMPSet, bindings = stpBridgeSet(s)](WriteContext& write) {
        write.set(session, bindings);
        // The pause the switch is given after a bridge-wide change.
        write.pause(std::chrono::milliseconds(30));
    });
}

void CStpConfigurationDialog::openPortSetting()
{
    CSpanningTreeTableDialog table(m_portCount, this);
    table.exec();
}

} // namespace dialogs::mib
