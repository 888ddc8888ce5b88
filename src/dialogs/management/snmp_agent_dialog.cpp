#include "dialogs/management/snmp_agent_dialog.h"

#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs::management {

CAgentDialog::CAgentDialog(QWidget* parent)
    : CDialogBase(parent),
      m_agent([this](std::string name) -> CDialogSession& { return addSession(std::move(name)); },
              [this](CDialogSession& session, const WalkRequest& request, std::function<void(const WalkRow&)> onRow,
                     std::function<void()> onEnd, CSnmpAgentConfig::Read read) {
                  startWalk(session, request, std::move(onRow), std::move(onEnd), read);
              })
{
}

CAgentTableDialog::CAgentTableDialog(const char* title, const std::vector<std::string>& headers,
                                     const char* selectMessage, QWidget* parent)
    : CAgentDialog(parent), m_selectMessage(selectMessage)
{
    setWindowTitle(QString::fromLatin1(title));
    m_list = newListView(headers, this);
    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_delete = pushButton(QStringLiteral("&Delete"), "delete", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_cancel = pushButton(QStringLiteral("&Cancel"), "cancel", this);
    m_close = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_apply, &QPushButton::clicked, this, [this] { apply(); });
    connect(m_delete, &QPushButton::clicked, this, &CAgentTableDialog::deleteSelected);
    connect(m_refresh, &QPushButton::clicked, this, &CAgentTableDialog::refresh);
    connect(m_cancel, &QPushButton::clicked, this, &CAgentTableDialog::cancel);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void CAgentTableDialog::declareTable(const WalkRequest& walk)
{
    m_tableRead = declareRead(windowTitle().toStdString(), walk);
    needs(m_delete, {m_tableRead});
    applyNeeds(m_tableRead);
}

void CAgentTableDialog::applyNeeds(ReadId read)
{
    m_applyReads.push_back(read);
    needs(m_apply, {read});
    waitsFor(m_refresh, {read});
    waitsFor(m_cancel, {read});
}

void CAgentTableDialog::finishLayout(QGridLayout* inputs)
{
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {m_apply, m_delete, m_refresh, m_cancel, m_close})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(inputs);
    layout->addLayout(buttons);
    resize(560, 420);
    refresh();
}

void CAgentTableDialog::refresh()
{
    m_list->clear();
    clearRows();
    walk([this](const WalkRow& row) { addRow(row); }, [this] { tableWalkEnded(); });
}

void CAgentTableDialog::cancel()
{
    resetInputs();
    refresh();
}

void CAgentTableDialog::deleteSelected()
{
    if (!readsWhole({m_tableRead}))
        return;
    QTreeWidgetItem* selected = m_list->currentItem();
    if (!selected || !selected->isSelected()) {
        platform::prompter().warn(m_selectMessage, {});
        return;
    }
    runWrite(m_agent.writeRows({deletion(m_list->indexOfTopLevelItem(selected))}), [this] { refresh(); });
}

void CAgentTableDialog::create(WriteSequence creation)
{
    if (!readsWhole(m_applyReads))
        return;
    runWrite(std::move(creation), [this] {
        if (*m_created)
            clearAfterCreation();
        refresh();
    });
}

void CAgentTableDialog::appendListRow(const std::vector<std::string>& texts)
{
    appendRow(m_list, texts);
}

bool CAgentTableDialog::passes(const std::string& message)
{
    if (message.empty())
        return true;
    platform::prompter().warn(message, {});
    return false;
}


} // namespace dialogs::management
