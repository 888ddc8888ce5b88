#include "dialogs/switching/dot1x_config_dialog.h"

#include "dialogs/ip_address_edit.h"
#include "dialogs/switching/dot1x_port_dialog.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace dialogs::switching {
namespace {

constexpr int kReAuthEnable = 0;
constexpr int kReAuthDisabled = 1;

QLineEdit* lineEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QLineEdit* keyEdit(const char* name, QWidget* parent)
{
    QLineEdit* edit = lineEdit(name, parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(kDot1xKeyLength);
    return edit;
}

QString qText(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

CDot1xConfigDialog::CDot1xConfigDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMParg(addSession("m_cCommonSNMParg")),
      m_configRead(declareRead("802.1X settings", dot1xConfigRead()))
{
    m_enable = new QCheckBox(QStringLiteral("Enable 802.1X"), this);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_radius = new CIpAddressEdit(this);
    m_radius->setObjectName(QStringLiteral("radius"));
    m_key = keyEdit("key", this);
    m_confirmKey = keyEdit("confirmKey", this);
    m_txPeriod = lineEdit("txPeriod", this);
    m_quietPeriod = lineEdit("quietPeriod", this);
    m_suppTimeout = lineEdit("suppTimeout", this);
    m_serverTimeout = lineEdit("serverTimeout", this);
    m_maxReq = lineEdit("maxReq", this);
    m_reAuthPeriod = lineEdit("reAuthPeriod", this);
    m_reAuthEnabled = new QComboBox(this);
    m_reAuthEnabled->setObjectName(QStringLiteral("reAuthEnabled"));
    m_reAuthEnabled->addItems({QStringLiteral("Enable"), QStringLiteral("Disabled")});
    m_portSet = pushButton(QStringLiteral("&PortSet"), "portSet", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);

    auto* state = new QHBoxLayout;
    state->addWidget(m_enable);
    state->addStretch();
    state->addWidget(m_apply);
    auto* grid = new QGridLayout;
    int row = 0;
    const auto addControl = [&](QWidget* control, const char* caption) {
        grid->addWidget(captionFor(control, QString::fromLatin1(caption)), row, 0);
        grid->addWidget(control, row++, 1);
    };
    addControl(m_radius, "Radius Server IP:");
    addControl(m_key, "Key:");
    addControl(m_confirmKey, "Confirm Key:");
    addControl(m_txPeriod, "TxPeriod(1-65535 sec)");
    addControl(m_quietPeriod, "QuietPeriod(0-65535 sec)");
    addControl(m_suppTimeout, "SuppTimeout(1-65535 sec)");
    addControl(m_serverTimeout, "ServerTimeout(1-65535 sec)");
    addControl(m_maxReq, "MaxReq(1-10)");
    addControl(m_reAuthPeriod, "ReAuthPeriod(1-4294967295 sec)");
    addControl(m_reAuthEnabled, "ReAuthEnabled");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_portSet);
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(state);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(m_enable, &QCheckBox::toggled, this, &CDot1xConfigDialog::enableFields);
    connect(m_apply, &QPushButton::clicked, this, &CDot1xConfigDialog::apply);
    connect(m_portSet, &QPushButton::clicked, this, &CDot1xConfigDialog::openPortSet);
    connect(m_refresh, &QPushButton::clicked, this, &CDot1xConfigDialog::refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("802.1X Config Information"));
    enableFields(false);
    needs(m_apply, {m_configRead});
    needs(m_portSet, {m_configRead});
    waitsFor(m_refresh, {m_configRead});
    refresh();
}

void CDot1xConfigDialog::refresh()
{
    startWalk(m_cCommonSNMP, dot1xConfigRead(), [this](const WalkRow& row) { showAnswer(row); }, {}, m_configRead);
}

void CDot1xConfigDialog::showAnswer(const WalkRow& row)
{
    const auto texts = decodeDot1xConfig(row);
    if (!texts)
        return;
    m_enable->setChecked(texts->enabled);
    m_radius->setText(qText(texts->radiusAddress));
    setLimitedText(m_key, texts->key, kDot1xKeyLength);
    setLimitedText(m_confirmKey, texts->key, kDot1xKeyLength);
    m_quietPeriod->setText(qText(texts->quietPeriod));
    m_txPeriod->setText(qText(texts->txPeriod));
    m_suppTimeout->setText(qText(texts->suppTimeout));
    m_serverTimeout->setText(qText(texts->serverTimeout));
    m_maxReq->setText(qText(texts->maxReq));
    m_reAuthPeriod->setText(qText(texts->reAuthPeriod));
    m_reAuthEnabled->setCurrentIndex(texts->reAuthEnabled ? kReAuthEnable : kReAuthDisabled);
    enableFields(texts->enabled);
}

void CDot1xConfigDialog::enableFields(bool enabled)
{
    for (QWidget* field : std::initializer_list<QWidget*>{m_radius, m_key, m_confirmKey, m_txPeriod, m_quietPeriod,
                                                          m_suppTimeout, m_serverTimeout, m_maxReq, m_reAuthPeriod,
                                                          m_reAuthEnabled, m_portSet})
        field->setEnabled(enabled);
}

Dot1xConfigInput CDot1xConfigDialog::input() const
{
    Dot1xConfigInput in;
    in.enabled = m_enable->isChecked();
    in.addressHasBlankField = m_radius->hasBlankField();
    in.radiusAddress = textOf(m_radius->text());
    in.key = textOf(m_key->text());
    in.confirmKey = textOf(m_confirmKey->text());
    in.quietPeriod = textOf(m_quietPeriod->text());
    in.txPeriod = textOf(m_txPeriod->text());
    in.suppTimeout = textOf(m_suppTimeout->text());
    in.serverTimeout = textOf(m_serverTimeout->text());
    in.maxReq = textOf(m_maxReq->text());
    in.reAuthPeriod = textOf(m_reAuthPeriod->text());
    in.reAuthEnabled = m_reAuthEnabled->currentIndex() == kReAuthEnable;
    return in;
}

void CDot1xConfigDialog::apply()
{
    if (!readsWhole({m_configRead}))
        return;
    const Dot1xConfigInput in = input();
    if (const std::string message = checkDot1xConfig(in); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    if (!in.enabled) {
        auto written = std::make_shared<bool>(false);
        runWrite(
            [&session = m_cCommonSNMPSet, bindings = dot1xStateSet(false), written](WriteContext& write) {
                *written = write.setByGetNext(session, bindings) == snmp::kStatusOk;
            },
            [this, written] {
                if (*written)
                    refresh();
            });
        return;
    }
    runWrite(
        [&set = m_cCommonSNMPSet, &timers = m_cCommonSNMParg, radius = dot1xRadiusSet(in),
         state = dot1xStateSet(true), timerBindings = dot1xTimersSet(in)](WriteContext& write) {
            if (write.setByGetNext(set, radius) == snmp::kStatusOk)
                write.setByGetNext(set, state);
            write.setByGetNext(timers, timerBindings);
        },
        [this] { refresh(); });
}

Dot1xTimerTexts CDot1xConfigDialog::timerTexts() const
{
    return {textOf(m_quietPeriod->text()),   textOf(m_txPeriod->text()), textOf(m_suppTimeout->text()),
            textOf(m_serverTimeout->text()), textOf(m_maxReq->text()),   textOf(m_reAuthPeriod->text()),
            textOf(m_reAuthEnabled->currentText())};
}

void CDot1xConfigDialog::openPortSet()
{
    CDot1xPortDialog ports(m_portCount, timerTexts(), this);
    ports.exec();
}

} // namespace dialogs::switching
