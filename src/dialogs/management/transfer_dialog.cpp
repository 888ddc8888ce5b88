#include "dialogs/management/transfer_dialog.h"

#include "dialogs/ip_address_edit.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace dialogs::management {
namespace {

constexpr int kUpgradeItem = 0;
constexpr int kFirmwareItem = 1;

} // namespace

CTransferDialog::CTransferDialog(TransferTimings timings, QWidget* parent)
    : CDialogBase(parent),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSetOp(addSession("m_cCommonSNMPSetOp")),
      m_machine(*this, timings)
{
    m_operationType = new QComboBox(this);
    m_operationType->setObjectName(QStringLiteral("operationType"));
    m_operationType->addItems({QStringLiteral("Upgrade"), QStringLiteral("Backup")});
    m_fileType = new QComboBox(this);
    m_fileType->setObjectName(QStringLiteral("fileType"));
    m_fileType->addItems({QStringLiteral("Configuration"), QStringLiteral("Firmware")});
    m_server = new CIpAddressEdit(this);
    m_server->setObjectName(QStringLiteral("server"));
    m_fileName = new QLineEdit(this);
    m_fileName->setObjectName(QStringLiteral("fileName"));
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setRange(0, 100);
    m_progress->setTextVisible(false);
    m_progress->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid rgb(60, 60, 200); }"
                                             "QProgressBar::chunk { background: qlineargradient(x1: 0, y1: 0, "
                                             "x2: 0, y2: 1, stop: 0 rgb(60, 60, 200), stop: 1 rgb(60, 60, 255)); }"));
    m_progressCaption = captionFor(m_progress, QStringLiteral("Upgrade/BackUp:"));
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_close = pushButton(QStringLiteral("&Close"), "close", this);

    auto* grid = new QGridLayout;
    int row = 0;
    const auto addControl = [&](QWidget* control, QLabel* caption) {
        grid->addWidget(caption, row, 0);
        grid->addWidget(control, row++, 1);
    };
    addControl(m_operationType, captionFor(m_operationType, QStringLiteral("Operation Type:")));
    addControl(m_fileType, captionFor(m_fileType, QStringLiteral("FileType:")));
    addControl(m_server, captionFor(m_server, QStringLiteral("TFTP Server IP:")));
    addControl(m_fileName, captionFor(m_fileName, QStringLiteral("File Name:")));
    addControl(m_progress, m_progressCaption);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_apply);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    for (TransferTimer id : {TransferTimer::Poll, TransferTimer::Finish, TransferTimer::Progress,
                             TransferTimer::Overall}) {
        auto* timer = new QTimer(this);
        timer->setSingleShot(true);
        connect(timer, &QTimer::timeout, this, [this, id] { m_machine.timerFired(id); });
        m_timers[id] = timer;
    }
    connect(m_apply, &QPushButton::clicked, this, &CTransferDialog::apply);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fileName, &QLineEdit::textChanged, this, &CTransferDialog::clipFileName);

    m_progressCaption->hide();
    m_progress->hide();
    setWindowTitle(QStringLiteral("Firmware and Configuration Upgrade/Backup"));
}

void CTransferDialog::reject()
{
    if (!m_machine.running())
        CDialogBase::reject();
}

void CTransferDialog::clipFileName()
{
    const ClippedName clipped = management::clipFileName(m_fileName->text().toStdU16String());
    if (!clipped.cut)
        return;
    const int caret = m_fileName->cursorPosition();
    m_fileName->setText(QString::fromStdU16String(clipped.text));
    platform::prompter().warn(kFileNameTooLong, {});
    m_fileName->setCursorPosition(std::min(caret, kFileNameLimit));
}

TransferKind CTransferDialog::kind() const
{
    return m_fileType->currentIndex() == kFirmwareItem ? TransferKind::Firmware : TransferKind::Configuration;
}

TransferOperation CTransferDialog::operation() const
{
    return m_operationType->currentIndex() == kUpgradeItem ? TransferOperation::Upgrade : TransferOperation::Backup;
}

void CTransferDialog::setControlsEnabled(bool enabled)
{
    for (QWidget* control : {static_cast<QWidget*>(m_server), static_cast<QWidget*>(m_fileName),
                             static_cast<QWidget*>(m_operationType), static_cast<QWidget*>(m_fileType),
                             static_cast<QWidget*>(m_apply), static_cast<QWidget*>(m_close)})
        control->setEnabled(enabled);
}

void CTransferDialog::apply()
{
    if (m_machine.running() || writing())
        return;
    m_progressCaption->hide();
    m_progress->hide();
    if (operation() == TransferOperation::Upgrade && !platform::prompter().askOkCancel(kUpgradeQuestion, {}))
        return;
    m_progress->setValue(0);
    m_progressCaption->show();
    m_progress->show();

    const std::string address = textOf(m_server->text());
    const std::string file = textOf(m_fileName->text());
    std::string message = checkTftpServer(address, m_server->hasBlankField());
    if (message.empty())
        message = checkTransferFile(file);
    if (!message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    m_kind = kind();
    m_operation = operation();
    m_machine.start(m_kind);
    setControlsEnabled(false);
    auto status = std::make_shared<int>(snmp::kStatusNoAnswer);
    runWrite(
        [&session = m_cCommonSNMP, bindings = transferFileSet(m_kind, address, file),
         timeoutMs = m_machine.timings().fileSetTimeoutMs, status](WriteContext& write) {
            *status = write.setByGetNext(session, bindings, timeoutMs);
        },
        [this, status] { m_machine.fileSetEnded(*status); });
}

void CTransferDialog::sendOperation()
{
    auto status = std::make_shared<int>(snmp::kStatusNoAnswer);
    runWrite(
        [&session = m_cCommonSNMPSetOp, bindings = transferOperationSet(m_kind, m_operation),
         timeoutMs = m_machine.timings().operationSetTimeoutMs, status](WriteContext& write) {
            *status = write.setByGetNext(session, bindings, timeoutMs);
        },
        [this, status] { m_machine.operationSetEnded(*status); });
}

void CTransferDialog::pollStatus()
{
    WalkRequest request{WalkRequest::Mode::Single, {transferStatusOid(m_kind)}, 1, m_machine.timings().pollTimeoutMs};
    auto value = std::make_shared<std::string>();
    startWalk(
        m_cCommonSNMP, request, [value](const WalkRow& row) { *value = row.values.front(); },
        [this, value] { m_machine.statusAnswered(m_cCommonSNMP.endStatus(), *value); });
}

void CTransferDialog::arm(TransferTimer timer, std::chrono::milliseconds after)
{
    m_timers.at(timer)->start(after);
}

void CTransferDialog::stop(TransferTimer timer)
{
    m_timers.at(timer)->stop();
}

void CTransferDialog::report(const std::string& message)
{
    platform::prompter().inform(message, {});
}

void CTransferDialog::showProgress(int position)
{
    m_progress->setValue(position);
}

void CTransferDialog::finished()
{
    setControlsEnabled(true);
}

} // namespace dialogs::management
