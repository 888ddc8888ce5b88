#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP User Table ": the agent's users.
class CSnmpUserTableDialog : public CAgentRowsDialog<UserRow> {
    Q_OBJECT
public:
    explicit CSnmpUserTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void resetInputs() override;
    void updateControls();
    UserInput input() const;

    QLineEdit* m_name;
    QLineEdit* m_group;
    QComboBox* m_version;
    QCheckBox* m_encrypted;
    QComboBox* m_authProtocol;
    QLineEdit* m_authPassword;
    QComboBox* m_privProtocol;
    QLineEdit* m_privPassword;
};

} // namespace dialogs::management
