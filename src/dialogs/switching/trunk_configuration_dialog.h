#pragma once

#include "dialogs/dialog_base.h"

#include <set>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace dialogs::switching {

// "Trunk Configuration": the link table, link aggregation on or off, each
// link's channel mode, and the way to its members.
class CTrunkConfigurationDialog : public CDialogBase {
    Q_OBJECT
public:
    explicit CTrunkConfigurationDialog(int portCount, QWidget* parent = nullptr);

    void refresh();
    bool applyState();
    bool applyMode();
    void openPortMember();

    QTreeWidget* list() const { return m_list; }

private:
    // Fills "Trunk ID:", the mode and the member list from a row.
    void rowChosen(QTreeWidgetItem* item);
    // Runs one set; on success waits `pauseMs` and refreshes.
    bool setThenRefresh(const Bindings& bindings, int pauseMs);

    int m_portCount;
    bool m_stateKnown = false;
    std::string m_members;
    std::set<std::string> m_partialLinks; // ids whose member list came short
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPTable;
    QTreeWidget* m_list;
    QLineEdit* m_trunkId;
    QComboBox* m_mode;
    QPushButton* m_portMember;
    QPushButton* m_applyMode;
    QCheckBox* m_enable;
    QPushButton* m_applyState;
};

} // namespace dialogs::switching
