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
class CSnmpHostTableDialog : public CAgentRowsDialog<HostRow> {
    Q_OBJECT
public:
    explicit CSnmpHostTableDialog(QWidget* parent = nullptr);
    void apply() override;

private:
    void resetInputs() override;

    CIpAddressEdit* m_address;
    QComboBox* m_version;
    QLineEdit* m_name;
};

} // namespace dialogs::management
