#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/transfer_machine.h"

#include <map>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace dialogs {
class CIpAddressEdit;
}

namespace dialogs::management {

// "Firmware and Configuration Upgrade/Backup": tells the switch a TFTP
// server, a file and an operation, then follows the switch's transfer status.
class CTransferDialog : public CDialogBase, private TransferActions {
    Q_OBJECT
public:
    explicit CTransferDialog(TransferTimings timings = {}, QWidget* parent = nullptr);

    void apply();
    // While a transfer runs the dialog stays open.
    void reject() override;

private:
    void clipFileName();
    void setControlsEnabled(bool enabled);
    TransferKind kind() const;
    TransferOperation operation() const;

    // TransferActions
    void arm(TransferTimer timer, std::chrono::milliseconds after) override;
    void stop(TransferTimer timer) override;
    void sendOperation() override;
    void pollStatus() override;
    void report(const std::string& message) override;
    void showProgress(int position) override;
    void finished() override;

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSetOp;
    CTransferMachine m_machine;
    std::map<TransferTimer, QTimer*> m_timers;
    TransferKind m_kind = TransferKind::Configuration;
    TransferOperation m_operation = TransferOperation::Upgrade;
    QComboBox* m_operationType;
    QComboBox* m_fileType;
    CIpAddressEdit* m_server;
    QLineEdit* m_fileName;
    QLabel* m_progressCaption;
    QProgressBar* m_progress;
    QPushButton* m_apply;
    QPushButton* m_close;
};

} // namespace dialogs::management
