#pragma once

#include "dialogs/management/snmp_agent_dialog.h"
#include "dialogs/management/snmp_view_rules.h"

class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP Community Table Configuration": the agent's communities; the user
// table offers the view policies.
class CSnmpCommunityTableDialog : public CAgentTableDialog {
    Q_OBJECT
public:
    explicit CSnmpCommunityTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) override;
    void addRow(const WalkRow& row) override;
    void clearRows() override { m_rows.clear(); }
    void walkEnded() override;
    Bindings deletion(int row) const override
    {
        return communityDeletion(m_rows.at(static_cast<std::size_t>(row)));
    }
    const char* selectMessage() const override { return kSelectToDelete; }
    void resetInputs() override;

    std::vector<CommunityRow> m_rows;
    QLineEdit* m_name;
    QComboBox* m_user;
};

} // namespace dialogs::management
