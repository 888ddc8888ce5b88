#include "dialogs/mib/spanning_tree_table_dialog.h"

#include "dialogs/mib/list_note.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/mib/stp_rules.h"
#include "dialogs/widgets.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace dialogs::mib {

CSpanningTreeTableDialog::CSpanningTreeTableDialog(int portCount, QWidget* parent)
    : CDialogBase(parent), m_portCount(portCount), m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_read(declareRead("spanning tree ports", stpPortTableRead()))
{
    setWindowTitle(QStringLiteral("Spanning Tree Table"));
    m_list = newListView(stpPortHeaders(), this);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] {
        if (m_list->currentItem() && m_portConfig->isEnabled())
            openPortConfig();
    });

    m_portConfig = pushButton(QStringLiteral("&Port Config"), "portConfig", this);
    QPushButton* bridgeConfig = pushButton(QStringLiteral("&Bridge Config"), "bridgeConfig", this);
    bridgeConfig->hide();
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    m_refresh->setDefault(true);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    // The port dialog steps through the rows read.
    needs(m_portConfig, {m_read});
    waitsFor(m_refresh, {m_read});
    connect(m_portConfig, &QPushButton::clicked, this, &CSpanningTreeTableDialog::openPortConfig);
    connect(m_refresh, &QPushButton::clicked, this, &CSpanningTreeTableDialog::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);

    m_entries = switchTextLabel("entries", this);
    m_entries->setText(QStringLiteral("0"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Entries:"), this));
    bottom->addWidget(m_entries);
    bottom->addStretch();
    bottom->addWidget(m_portConfig);
    bottom->addWidget(bridgeConfig);
    bottom->addWidget(m_refresh);
    bottom->addWidget(closeButton);
    m_listNote = newListNote(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addWidget(m_listNote);
    layout->addLayout(bottom);
    resize(std::min(1000, m_list->header()->length() + 40), 420);
}

void CSpanningTreeTableDialog::showEvent(QShowEvent* event)
{
    CDialogBase::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    QTimer::singleShot(0, this, &CSpanningTreeTableDialog::refresh);
}

void CSpanningTreeTableDialog::refresh()
{
    m_list->clear();
    m_rows.clear();
    m_entries->setText(QStringLiteral("0"));
    clearListNote(m_listNote);
    startWalk(
        m_cCommonSNMP, stpPortTableRead(), [this](const WalkRow& row) { addRow(row); },
        [this] { showListNote(m_listNote, m_cCommonSNMP.endStatus()); }, m_read);
}

void CSpanningTreeTableDialog::addRow(const WalkRow& row)
{
    m_rows.push_back(stpPortRowTexts(row));
    appendRow(m_list, m_rows.back());
    m_entries->setText(QString::number(m_rows.size()));
}

void CSpanningTreeTableDialog::openPortConfig()
{
    if (m_rows.empty() || !readsWhole({m_read}))
        return;
    const QModelIndex current = m_list->currentIndex();
    const int row = current.isValid() && m_list->currentItem()->isSelected() ? current.row() : 0;
    CPortStpDialog port(m_rows, row, m_portCount, this);
    if (port.exec() == QDialog::Accepted)
        refresh();
}

} // namespace dialogs::mib
