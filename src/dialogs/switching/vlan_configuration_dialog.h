#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/vlan_rules.h"

#include <cstdint>
#include <functional>
#include <vector>

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace dialogs::switching {

// "802.1Q VLAN Configuration": the VLAN list, asymmetric mode, delete, and
// the add/edit and PVID dialogs.
class CVlanConfigurationDialog : public CDialogBase {
    Q_OBJECT
public:
    // vlanEdit false keeps Add, Edit, Delete and PVID disabled.
    CVlanConfigurationDialog(int portCount, bool vlanEdit, QWidget* parent = nullptr);

    void refresh();
    void applyAsymmetric();
    void add();
    void edit();
    void remove();
    void openPvid();

    QTreeWidget* list() const { return m_list; }
    const std::vector<VlanEntry>& vlans() const { return m_vlans; }

private:
    // `then` runs once the flag's get has ended.
    void readAsymmetric(std::function<void()> then = {});
    void walkPvidsAndVlans();
    void keepEditingOff();
    int selectedRow() const;
    std::string selectedVid() const;
    // Runs the add/edit dialog; refreshes when it wrote.
    void openEntry(bool addMode, int vid);

    int m_portCount;
    bool m_vlanEdit;
    std::vector<VlanEntry> m_vlans;
    std::vector<std::int64_t> m_pvids;
    int m_pvidsRead = 0;
    VoiceSurveillance m_voiceSurveillance;
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPTable;
    CDialogSession& m_cCommonSNMPVoiceVlan;
    CDialogSession& m_cCommonSNMPTableVlan;
    CDialogSession& m_cCommonSNMPTableVlanDelete;
    ReadId m_asymmetricRead;
    ReadId m_voiceRead;
    ReadId m_pvidRead;
    ReadId m_vlanRead;
    ReadId m_pathRead = kUndeclared;
    QTreeWidget* m_list;
    QCheckBox* m_asymmetric;
    QPushButton* m_apply;
    QPushButton* m_pvid;
    QPushButton* m_add;
    QPushButton* m_edit;
    QPushButton* m_delete;
    QPushButton* m_refresh;
    QPushButton* m_close;
};

} // namespace dialogs::switching
