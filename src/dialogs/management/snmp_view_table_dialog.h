#pragma once

#include "dialogs/management/snmp_agent_dialog.h"
#include "dialogs/management/snmp_view_rules.h"

class QComboBox;
class QLineEdit;

namespace dialogs::management {

// "SNMP View Table Configuration": the agent's MIB views.
class CSnmpViewTableDialog : public CAgentTableDialog {
    Q_OBJECT
public:
    explicit CSnmpViewTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) override;
    void addRow(const WalkRow& row) override;
    void clearRows() override { m_rows.clear(); }
    Bindings deletion(int row) const override { return viewDeletion(m_rows.at(static_cast<std::size_t>(row))); }
    const char* selectMessage() const override { return kSelectItemToDelete; }
    void resetInputs() override;

    std::vector<ViewRow> m_rows;
    QLineEdit* m_name;
    QLineEdit* m_subtree;
    QLineEdit* m_mask;
    QComboBox* m_type;
};

} // namespace dialogs::management
