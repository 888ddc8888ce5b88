#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/switching/trunk_rules.h"

#include <set>
#include <string>
#include <vector>

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
    void showRow(QTreeWidgetItem* item);
    // Runs one set; on success waits `pauseMs` and refreshes.
    bool setThenRefresh(const Bindings& bindings, int pauseMs);
    // False when the set would cut the path and the user keeps it.
    bool keepsPath(const Bindings& bindings) const;

    int m_portCount;
    // A garbled state keeps Apply off: it would write the box back as read.
    bool m_stateDecoded = false;
    bool m_stateEnabled = false; // as read
    std::vector<TrunkRow> m_rows; // as read
    std::string m_members;
    std::set<std::string> m_partialLinks; // ids whose member list came short
    CDialogSession& m_cCommonSNMP;
    CDialogSession& m_cCommonSNMPSet;
    CDialogSession& m_cCommonSNMPTable;
    ReadId m_stateRead;
    ReadId m_tableRead;
    ReadId m_pathRead = kUndeclared;
    QTreeWidget* m_list;
    QLineEdit* m_trunkId;
    QComboBox* m_mode;
    QPushButton* m_portMember;
    QPushButton* m_applyMode;
    QCheckBox* m_enable;
    QPushButton* m_applyState;
    QPushButton* m_refresh;
};

} // namespace dialogs::switching
