#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP Group Table Info": the agent's groups.
class CSnmpGroupTableDialog : public CAgentTableDialog {
    Q_OBJECT
public:
    explicit CSnmpGroupTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) override;
    void addRow(const WalkRow& row) override;
    void clearRows() override { m_rows.clear(); }
    Bindings deletion(int row) const override { return groupDeletion(m_rows.at(static_cast<std::size_t>(row))); }
    const char* selectMessage() const override { return kSelectToDelete; }
    void resetInputs() override;
    void clearAfterCreation() override;

    std::vector<GroupRow> m_rows;
    QLineEdit* m_name;
    QLineEdit* m_readView;
    QLineEdit* m_writeView;
    QLineEdit* m_notifyView;
    QComboBox* m_model;
    QComboBox* m_level;
};

} // namespace dialogs::management
