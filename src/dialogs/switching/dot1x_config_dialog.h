#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/dot1x_rules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace dialogs {
class CIpAddressEdit;
}

namespace dialogs::switching {

// "802.1X Config Information": the global state, the RADIUS server and the
// authenticator timers.
class CDot1xConfigDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CDot1xConfigDialog(int portCount, QWidget* parent = nullptr);

    void refresh();
    void apply();
    void openPortSet();

private:
    void showAnswer(const WalkRow& row);
    void enableFields(bool enabled);
    Dot1xConfigInput input() const;
    Dot1xTimerTexts timerTexts() const;

    int m_portCount;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMParg;
    // Apply writes every field back; PortSet shows the timers as read.
    ReadId m_configRead;
    QCheckBox* m_enable;
    QPushButton* m_apply;
    CIpAddressEdit* m_radius;
    QLineEdit* m_key;
    QLineEdit* m_confirmKey;
    QLineEdit* m_txPeriod;
    QLineEdit* m_quietPeriod;
    QLineEdit* m_suppTimeout;
    QLineEdit* m_serverTimeout;
    QLineEdit* m_maxReq;
    QLineEdit* m_reAuthPeriod;
    QComboBox* m_reAuthEnabled;
    QPushButton* m_portSet;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
