#pragma once

#include "dialogs/dialog_base.h"
#include "dialogs/management/snmp_agent_config.h"

#include <functional>
#include <memory>
#include <optional>
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
// "&Apply", "&Delete", "&Refresh", "&Cancel", "&Close". Apply and Delete need
// the table read whole; Refresh and Cancel wait for its end.
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
    // `selectMessage`: what Delete says when no row is selected.
    CAgentTableDialog(const char* title, const std::vector<std::string>& headers, const char* selectMessage,
                      QWidget* parent);

    // Lays the list, `inputs` and the buttons out and starts the first walk.
    void finishLayout(QGridLayout* inputs);

    // Declares the table's walk: Apply and Delete act on its rows.
    void declareTable(const WalkRequest& walk);
    // A further read Apply needs, that Refresh and Cancel wait for.
    void applyNeeds(ReadId read);
    // The table's walk; rows already decoded reach addRow.
    virtual void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) = 0;
    // Decodes, keeps and lists the row when it is shown.
    virtual void addRow(const WalkRow& row) = 0;
    virtual void clearRows() = 0;
    // After the table's own walk ended.
    virtual void tableWalkEnded() {}
    // The deletion of listed row `row`.
    virtual Bindings deletion(int row) const = 0;
    // Puts the input controls back to their opening state.
    virtual void resetInputs() = 0;
    // What a creation leaves of the inputs.
    virtual void clearAfterCreation() { resetInputs(); }

    // Checks passed: the creation, made with m_created, runs on the write
    // path; the inputs are reset when it made the row (kept for another try
    // when not), and the table is walked again.
    void create(WriteSequence creation);
    // Shows the first failing check's message; true when there was none.
    static bool passes(const std::string& message);
    void appendListRow(const std::vector<std::string>& texts);

    QTreeWidget* m_list;
    QPushButton* m_apply;
    QPushButton* m_delete;
    QPushButton* m_refresh;
    QPushButton* m_cancel;
    QPushButton* m_close;
    // Whether the last creation made its row.
    const std::shared_ptr<bool> m_created = std::make_shared<bool>(false);
    ReadId m_tableRead = kUndeclared;

private:
    std::vector<ReadId> m_applyReads;
    const char* m_selectMessage;
};

// A table dialog whose listed rows are kept decoded, in list order.
template <typename Row>
class CAgentRowsDialog : public CAgentTableDialog {
protected:
    using Decode = std::optional<Row> (*)(const WalkRow&);
    using Deletion = Bindings (*)(const Row&);
    using Walk = void (CSnmpAgentConfig::*)(CSnmpAgentConfig::RowSink, CSnmpAgentConfig::EndSink,
                                            CSnmpAgentConfig::Read);

    // The table's walk and its request, the decoding of its rows and the deletion of one.
    struct Table {
        Walk walk;
        WalkRequest (*request)();
        Decode decode;
        Deletion deletion;
    };

    CAgentRowsDialog(const char* title, const std::vector<std::string>& headers, const char* selectMessage,
                     Table table, QWidget* parent)
        : CAgentTableDialog(title, headers, selectMessage, parent), m_table(table)
    {
        declareTable(m_table.request());
    }

    void walk(CSnmpAgentConfig::RowSink onRow, CSnmpAgentConfig::EndSink onEnd) override
    {
        (m_agent.*m_table.walk)(std::move(onRow), std::move(onEnd), m_tableRead);
    }

    void addRow(const WalkRow& row) override
    {
        if (const std::optional<Row> decoded = m_table.decode(row)) {
            m_rows.push_back(*decoded);
            appendListRow(decoded->texts());
        }
    }
    void clearRows() override { m_rows.clear(); }
    Bindings deletion(int row) const override { return m_table.deletion(m_rows.at(static_cast<std::size_t>(row))); }

    std::vector<Row> m_rows;

private:
    Table m_table;
};

} // namespace dialogs::management
