#pragma once

#include "dialogs/dialog_base.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace dialogs {
class CIpAddressEdit;
}

namespace dialogs::management {

// "Syslog Host Configuration": syslog on or off and the one server.
class CSyslogHostDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CSyslogHostDialog(QWidget* parent = nullptr);

    void read();
    void apply();

private:
    void enableServer(bool enabled);

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    QCheckBox* m_enable;
    CIpAddressEdit* m_address;
    QLineEdit* m_port;
    QComboBox* m_facility;
    QComboBox* m_severity;
    QPushButton* m_refresh;
    QPushButton* m_apply;
    // Set once the switch's values are shown.
    ReadId m_read;
};

} // namespace dialogs::management
