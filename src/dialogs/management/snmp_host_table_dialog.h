#pragma once

#include "dialogs/management/snmp_agent_dialog.h"
#include "dialogs/management/snmp_view_rules.h"

class QComboBox;
class QLineEdit;

namespace dialogs {
class CIpAddressEdit;
}

namespace dialogs::management {

// "SNMP Host Table": where the agent sends its notifications.
class CSnmpHostTableDialog : public CAgentTableDialog {
    Q_OBJECT
public:
    explicit CSnmpHostTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) override;
    void addRow(const WalkRow& row) override;
    void clearRows() override { m_rows.clear(); }
    Bindings deletion(int row) const override { return hostDeletion(m_rows.at(static_cast<std::size_t>(row))); }
    const char* selectMessage() const override { return kSelectItemToDelete; }
    void resetInputs() override;

    std::vector<HostRow> m_rows;
    CIpAddressEdit* m_address;
    QComboBox* m_version;
    QLineEdit* m_name;
};

} // namespace dialogs::management
