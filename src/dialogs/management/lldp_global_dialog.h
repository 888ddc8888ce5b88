#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/lldp_rules.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace dialogs::management {

// "LLDP Global Settings": the LLDP state, its four timers and the local system data.
class CLldpGlobalDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CLldpGlobalDialog(QWidget* parent = nullptr);

    void read();
    void applyState();
    void applyParameters();

private:
    void showAnswer(const WalkRow& row);
    // Sends `bindings` up to three times, then reads everything again.
    void writeWithRetries(Bindings bindings);

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    ReadId m_read;
    QCheckBox* m_enable;
    QLineEdit* m_holdMultiplier;
    QLineEdit* m_txInterval;
    QLineEdit* m_reinitDelay;
    QLineEdit* m_txDelay;
    QLineEdit* m_chassisIdSubtype;
    QLineEdit* m_chassisId;
    QLineEdit* m_systemName;
    QLineEdit* m_systemDescription;
};

} // namespace dialogs::management
