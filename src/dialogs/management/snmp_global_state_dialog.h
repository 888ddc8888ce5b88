#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

class QCheckBox;
class QPushButton;

namespace dialogs::management {

// "SNMP Global State Settings": the agent on or off.
class CSnmpGlobalStateDialog : public CAgentDialog {
    Q_OBJECT
public:
    explicit CSnmpGlobalStateDialog(QWidget* parent = nullptr);

    void read();
    void apply();

private:
    QCheckBox* m_enable;
    QPushButton* m_apply;
    ReadId m_read;
};

} // namespace dialogs::management
