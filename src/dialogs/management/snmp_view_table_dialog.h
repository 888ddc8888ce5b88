#pragma once

#include "dialogs/management/snmp_agent_dialog.h"
#include "dialogs/management/snmp_view_rules.h"

class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP View Table Configuration": the agent's MIB views.
class CSnmpViewTableDialog : public CAgentRowsDialog<ViewRow> {
    Q_OBJECT
public:
    explicit CSnmpViewTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void resetInputs() override;

    QLineEdit* m_name;
    QLineEdit* m_subtree;
    QLineEdit* m_mask;
    QComboBox* m_type;
};

} // namespace dialogs::management
