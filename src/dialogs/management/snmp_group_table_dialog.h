#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP Group Table Info": the agent's groups.
class CSnmpGroupTableDialog : public CAgentRowsDialog<GroupRow> {
    Q_OBJECT
public:
    explicit CSnmpGroupTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void resetInputs() override;
    void clearAfterCreation() override;

    QLineEdit* m_name;
    QLineEdit* m_readView;
    QLineEdit* m_writeView;
    QLineEdit* m_notifyView;
    QComboBox* m_model;
    QComboBox* m_level;
};

} // namespace dialogs::management
