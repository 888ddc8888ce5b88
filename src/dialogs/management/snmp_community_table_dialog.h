#pragma once

#include "dialogs/management/snmp_agent_dialog.h"
#include "dialogs/management/snmp_view_rules.h"

class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP Community Table Configuration": the agent's communities; the user
// table offers the view policies.
class CSnmpCommunityTableDialog : public CAgentRowsDialog<CommunityRow> {
    Q_OBJECT
public:
    explicit CSnmpCommunityTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void tableWalkEnded() override;
    void resetInputs() override;

    QLineEdit* m_name;
    QComboBox* m_user;
    ReadId m_userRead;
};

} // namespace dialogs::management
