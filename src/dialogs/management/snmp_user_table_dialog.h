#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP User Table ": the agent's users.
class CSnmpUserTableDialog : public CAgentTableDialog {
    Q_OBJECT
public:
    explicit CSnmpUserTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) override;
    void addRow(const WalkRow& row) override;
    void clearRows() override { m_rows.clear(); }
    Bindings deletion(int row) const override { return userDeletion(m_rows.at(static_cast<std::size_t>(row))); }
    const char* selectMessage() const override { return kSelectToDelete; }
    void resetInputs() override;
    void updateControls();
    UserInput input() const;

    std::vector<UserRow> m_rows;
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
