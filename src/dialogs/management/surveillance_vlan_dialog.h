#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/surveillance_rules.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace dialogs::management {

// "Auto Surveillance VLAN Settings": the global state, VLAN and priority, and
// the table of surveillance OUIs.
class CSurveillanceVlanDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CSurveillanceVlanDialog(QWidget* parent = nullptr);

    // The VLAN walk, then the global scalars, then the OUI walk.
    void refresh();
    void apply();
    void add();
    void remove();

    QTreeWidget* list() const { return m_list; }

signals:
    // After the OUI walk of a refresh has ended.
    void refreshed();

private:
    void readGlobals();
    void showGlobals(const WalkRow& row);
    void walkOuis();
    void enableEditing(bool enabled);
    std::vector<std::string> listedMacs() const;

    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPGet;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_vlanRead;
    ReadId m_globalRead;
    ReadId m_ouiRead;
    QCheckBox* m_enable;
    QComboBox* m_vlan;
    QComboBox* m_priority;
    QPushButton* m_apply;
    QComboBox* m_componentType;
    QLineEdit* m_description;
    QLineEdit* m_mac;
    QPushButton* m_add;
    QTreeWidget* m_list;
    QPushButton* m_delete;
    QPushButton* m_refresh;
};

} // namespace dialogs::management
