#pragma once

#include "dialogs/management/snmp_agent_dialog.h"

#include <string>
#include <vector>

class QCheckBox;
class QPushButton;

namespace dialogs::management {

// "SNMP Trap Configuration": which notifications the switch sends; the
// PoE ones only on a PoE model.
class CSnmpTrapDialog : public CAgentDialog {
    Q_OBJECT
public:
    explicit CSnmpTrapDialog(const std::string& deviceName, QWidget* parent = nullptr);

    void apply();

private:
    bool m_poe;
    std::vector<QCheckBox*> m_boxes;
    QPushButton* m_apply;
    ReadId m_read;
};

} // namespace dialogs::management
