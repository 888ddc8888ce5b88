#include "dialogs/mib/table_view_dialog.h"

#include "dialogs/mib/list_note.h"
#include "dialogs/widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs::mib {

CTableViewDialog::CTableViewDialog(TableView view, QWidget* parent)
    : CDialogBase(parent), m_cCommonSNMP(addSession("m_cCommonSNMP")), m_view(std::move(view))
{
    setWindowTitle(QString::fromStdString(m_view.title));

    auto* group = new QGroupBox(QString::fromStdString(m_view.groupCaption), this);
    m_list = newListView(m_view.headers, group);
    (new QVBoxLayout(group))->addWidget(m_list);

    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_refresh->setDefault(true);
    m_read = declareRead(m_view.title, m_view.walk);
    waitsFor(m_refresh, {m_read});
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_refresh, &QPushButton::clicked, this, &CTableViewDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* bottom = new QHBoxLayout;
    if (m_view.showsEntries) {
        m_entries = switchTextLabel("entries", this);
        m_entries->setText(QString::fromStdString(m_view.initialEntries));
        bottom->addWidget(new QLabel(QStringLiteral("Entries:"), this));
        bottom->addWidget(m_entries);
    }
    bottom->addStretch();
    bottom->addWidget(m_refresh);
    bottom->addWidget(closeButton);

    m_side = new QGridLayout;
    m_listNote = newListNote(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addWidget(m_listNote);
    layout->addLayout(m_side);
    layout->addLayout(bottom);
    resize(std::max(480, m_list->header()->length() + 60), 360);

    if (!m_view.walkWhenShown)
        QTimer::singleShot(0, this, &CTableViewDialog::refresh);
}

void CTableViewDialog::showEvent(QShowEvent* event)
{
    CDialogBase::showEvent(event);
    if (m_shown || !m_view.walkWhenShown)
        return;
    m_shown = true;
    // As the Refresh command posted to itself.
    QTimer::singleShot(0, this, &CTableViewDialog::refresh);
}

void CTableViewDialog::refresh()
{
    m_list->clear();
    if (m_entries)
        m_entries->setText(QString::fromStdString(m_view.initialEntries));
    clearListNote(m_listNote);
    startWalk(
        m_cCommonSNMP, m_view.walk, [this](const WalkRow& row) { addRow(row); },
        [this] { showListNote(m_listNote, m_cCommonSNMP.endStatus()); }, m_read);
}

bool CTableViewDialog::listsRow(const WalkRow&) const
{
    return true;
}

void CTableViewDialog::addRow(const WalkRow& row)
{
    if (!listsRow(row))
        return;
    appendRow(m_list, m_view.rowTexts(row));
    if (m_entries)
        m_entries->setText(QString::number(m_list->topLevelItemCount()));
}

std::unique_ptr<CTableViewDialog> newInterfaceTableDialog()
{
    return std::make_unique<CTableViewDialog>(interfaceTableView());
}

std::unique_ptr<CTableViewDialog> newIpTableDialog(const std::string& agentAddress)
{
    return std::make_unique<CTableViewDialog>(ipTableView(agentAddress));
}

std::unique_ptr<CTableViewDialog> newTcpServiceDialog()
{
    return std::make_unique<CTableViewDialog>(tcpServiceView());
}

std::unique_ptr<CTableViewDialog> newUdpServiceDialog()
{
    return std::make_unique<CTableViewDialog>(udpServiceView());
}

} // namespace dialogs::mib
