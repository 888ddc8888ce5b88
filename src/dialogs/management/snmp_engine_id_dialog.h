#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

class QLineEdit;

namespace dialogs::management {

// "SNMP Engine ID": read, change or reset the agent's engine ID.
class CSnmpEngineIdDialog : public CAgentDialog {
    Q_OBJECT
public:
    explicit CSnmpEngineIdDialog(QWidget* parent = nullptr);

    void read();
    void apply();
    void restoreDefault();

private:
    void write(const std::string& hex, bool useDefault);

    QLineEdit* m_engineId;
    ReadId m_read;
};

} // namespace dialogs::management
