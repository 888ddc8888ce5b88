#include "dialogs/management/lldp_global_dialog.h"

#include "dialogs/text_number.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <chrono>

namespace dialogs::management {
namespace {

constexpr int kTimerMaxLength = 5;

QLineEdit* lineEdit(const char* name, bool readOnly, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    if (!readOnly) {
        edit->setMaxLength(kTimerMaxLength);
        edit->setValidator(digitsOnly(edit));
    }
    return edit;
}

std::int64_t numberIn(const QLineEdit* edit)
{
    return typedNumber(textOf(edit->text()));
}

} // namespace

CLldpGlobalDialog::CLldpGlobalDialog(QWidget* parent)
    : CDialogBase(parent),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_read(declareRead("LLDP settings", lldpGlobalRead()))
{
    m_enable = new QCheckBox(QStringLiteral(" LLDP Enable "), this);
    m_enable->setObjectName(QStringLiteral("enable"));
    m_holdMultiplier = lineEdit("holdMultiplier", false, this);
    m_txInterval = lineEdit("txInterval", false, this);
    m_reinitDelay = lineEdit("reinitDelay", false, this);
    m_txDelay = lineEdit("txDelay", false, this);
    m_chassisIdSubtype = lineEdit("chassisIdSubtype", true, this);
    m_chassisId = lineEdit("chassisId", true, this);
    m_systemName = lineEdit("systemName", true, this);
    m_systemDescription = lineEdit("systemDescription", true, this);

    QPushButton* stateApply = pushButton(QStringLiteral("&Apply"), "stateApply", this);
    QPushButton* parametersApply = pushButton(QStringLiteral("Apply"), "parametersApply", this);
    QPushButton* closeButton = pushButton(QStringLiteral("Close"), "close", this);
    connect(stateApply, &QPushButton::clicked, this, &CLldpGlobalDialog::applyState);
    connect(parametersApply, &QPushButton::clicked, this, &CLldpGlobalDialog::applyParameters);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* state = new QHBoxLayout;
    state->addWidget(m_enable);
    state->addStretch();
    state->addWidget(stateApply);

    auto* timers = new QGridLayout;
    int row = 0;
    for (const auto& [edit, caption] : {std::pair{m_holdMultiplier, "Message TX Hold Multipier(2 - 10)"},
                                        std::pair{m_txInterval, "Message TX Interval(5 - 32768)"},
                                        std::pair{m_reinitDelay, "LLDP Reinit Delay (1 - 10)"},
                                        std::pair{m_txDelay, "LLDP TX Delay (1 - 8192)"}}) {
        timers->addWidget(captionFor(edit, QString::fromLatin1(caption)), row, 0);
        timers->addWidget(edit, row, 1);
        if (edit != m_holdMultiplier)
            timers->addWidget(new QLabel(QStringLiteral("sec"), this), row, 2);
        ++row;
    }
    timers->addWidget(parametersApply, row, 1);

    auto* system = new QGroupBox(QStringLiteral("LLDP System Information"), this);
    auto* systemGrid = new QGridLayout(system);
    row = 0;
    for (const auto& [edit, caption] : {std::pair{m_chassisIdSubtype, "Chassis ID Subtype"},
                                        std::pair{m_chassisId, "Chassis ID"}, std::pair{m_systemName, "System Name"},
                                        std::pair{m_systemDescription, "System Description"}}) {
        edit->setParent(system);
        systemGrid->addWidget(captionFor(edit, QString::fromLatin1(caption)), row, 0);
        systemGrid->addWidget(edit, row++, 1);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(state);
    layout->addLayout(timers);
    layout->addWidget(system);
    layout->addLayout(buttons);
    setWindowTitle(QStringLiteral("LLDP Global Settings"));
    // Each Apply writes back what the read filled in.
    needs(stateApply, {m_read});
    needs(parametersApply, {m_read});
    read();
}

void CLldpGlobalDialog::read()
{
    startWalk(m_cCommonSNMP, lldpGlobalRead(), [this](const WalkRow& row) { showAnswer(row); }, {}, m_read);
}

void CLldpGlobalDialog::showAnswer(const WalkRow& row)
{
    const auto texts = decodeLldpGlobal(row);
    if (!texts)
        return;
    m_enable->setChecked(texts->enabled);
    setLimitedText(m_holdMultiplier, texts->holdMultiplier, kTimerMaxLength);
    setLimitedText(m_txInterval, texts->txInterval, kTimerMaxLength);
    setLimitedText(m_reinitDelay, texts->reinitDelay, kTimerMaxLength);
    setLimitedText(m_txDelay, texts->txDelay, kTimerMaxLength);
    m_chassisIdSubtype->setText(QString::fromStdString(texts->chassisIdSubtype));
    m_chassisId->setText(QString::fromStdString(texts->chassisId));
    m_systemName->setText(QString::fromStdString(texts->systemName));
    m_systemDescription->setText(QString::fromStdString(texts->systemDescription));
}

void CLldpGlobalDialog::applyState()
{
    if (!readsWhole({m_read}))
        return;
    writeWithRetries(lldpStateSet(m_enable->isChecked()));
}

void CLldpGlobalDialog::applyParameters()
{
    if (!readsWhole({m_read}))
        return;
    const LldpParameters parameters{numberIn(m_holdMultiplier), numberIn(m_txInterval), numberIn(m_reinitDelay),
                                    numberIn(m_txDelay)};
    if (const std::string message = checkLldpParameters(parameters); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    writeWithRetries(lldpParametersSet(parameters));
}

void CLldpGlobalDialog::writeWithRetries(Bindings bindings)
{
    runWrite(
        [&session = m_cCommonSNMPSet, bindings = std::move(bindings)](WriteContext& write) {
            for (int attempt = 0; attempt < kLldpSetAttempts; ++attempt) {
                if (write.setByGetNext(session, bindings) == snmp::kStatusOk) {
                    write.pause(std::chrono::milliseconds(kLldpSettleMs));
                    return;
                }
                write.pause(std::chrono::milliseconds(kLldpRetryMs));
            }
        },
        [this] { read(); });
}

} // namespace dialogs::management
