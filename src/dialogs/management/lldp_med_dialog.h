#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/lldp_rules.h"

class QComboBox;
class QPushButton;
class QTreeWidget;

namespace dialogs {
class CPortRangeControl;
}

namespace dialogs::management {

// "LLDP MED Settings": the Power PSE TLV of the PoE ports.
class CLldpMedDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CLldpMedDialog(int portCount, QWidget* parent = nullptr);

    // The LLDP state check, then the port walk.
    void refresh();
    void apply();

    QTreeWidget* list() const { return m_list; }

private:
    void walkPorts();
    void enableEditing(bool enabled);

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPEnable;
    ReadId m_stateRead;
    ReadId m_portRead;
    CPortRangeControl* m_range;
    QComboBox* m_pseTlv;
    QPushButton* m_apply;
    QTreeWidget* m_list;
};

} // namespace dialogs::management
