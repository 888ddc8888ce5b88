#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/snmp_agent_config.h"

#include <functional>
#include <string>
#include <vector>

class QGridLayout;
class QPushButton;
class QTreeWidget;

namespace dialogs::management {

// A dialog that embeds the agent access object: its four sessions are the
// dialog's, closed in their order when the dialog goes.
class CAgentDialog : public CDialogBase {
    Q_OBJECT
protected:
    explicit CAgentDialog(QWidget* parent = nullptr);

    CSnmpAgentConfig m_agent;
};

// The agent's table dialogs: a list of the active rows, an input area, and
// "&Apply", "&Delete", "&Refresh", "&Cancel", "&Close". Walks leave the
// first four disabled until their end.
class CAgentTableDialog : public CAgentDialog {
    Q_OBJECT
public:
    QTreeWidget* list() const { return m_list; }

    // Empties the list and walks the table again.
    void refresh();
    virtual void apply() = 0;
    void deleteSelected();
    void cancel();

protected:
    CAgentTableDialog(const char* title, const std::vector<std::string>& headers, QWidget* parent);

    // Lays the list, `inputs` and the buttons out and starts the first walk.
    void finishLayout(QGridLayout* inputs);

    // The table's walk; rows already decoded reach addRow.
    virtual void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) = 0;
    // Decodes, keeps and lists the row when it is shown.
    virtual void addRow(const WalkRow& row) = 0;
    virtual void clearRows() = 0;
    // After the table's own walk ended.
    virtual void walkEnded() {}
    // The deletion of listed row `row`.
    virtual Bindings deletion(int row) const = 0;
    virtual const char* selectMessage() const = 0;
    // Puts the input controls back to their opening state.
    virtual void resetInputs() = 0;
    // What a creation leaves of the inputs.
    virtual void clearAfterCreation() { resetInputs(); }

    // Checks passed: the creation runs on the write path, then the inputs
    // are reset and the table walked again.
    void create(SetRequests sets);
    // Shows the first failing check's message; true when there was none.
    static bool passes(const std::string& message);
    // Disables "&Apply", "&Cancel", "&Delete" and "&Refresh" while a walk runs.
    void setWalking(bool walking);

    QTreeWidget* m_list;
    QPushButton* m_apply;
    QPushButton* m_delete;
    QPushButton* m_refresh;
    QPushButton* m_cancel;
    QPushButton* m_close;
};

} // namespace dialogs::management
