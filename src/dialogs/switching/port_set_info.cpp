#include "dialogs/switching/port_set_info.h"

#include "dialogs/switching/list_dialog_layout.h"
#include "dialogs/text_number.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <chrono>

namespace dialogs::switching {

CPortSetInfo::CPortSetInfo(const PortLayout& ports, QWidget* parent)
    : CDialogBase(parent),
      m_layout(ports),
      m_links(ports.portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_cCommonSNMPTrunk(addSession("m_cCommonSNMPTrunk")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead())),
      m_portRead(declareRead("port table", portTableRead()))
{
    setWindowTitle(QStringLiteral("Port Configuration"));

    m_list = newListView(portConfigHeaders(), this);
    m_list->setAccessibleName(QStringLiteral("Ports"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_portId = new QLineEdit(this);
    m_portId->setObjectName(QStringLiteral("portId"));
    m_portId->setReadOnly(true);
    m_ctrlSpeed = new QComboBox(this);
    m_ctrlSpeed->setObjectName(QStringLiteral("speed"));
    m_ctrlSpeed->addItems(qTexts(speedItems()));
    m_flowControl = new QComboBox(this);
    m_flowControl->setObjectName(QStringLiteral("flowControl"));
    m_flowControl->addItems(qTexts(flowControlItems()));
    m_flowControl->setCurrentIndex(-1);

    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* closeButton = pushButton(QStringLiteral("&Close"), "close", this);
    connect(m_apply, &QPushButton::clicked, this, &CPortSetInfo::apply);
    connect(m_refresh, &QPushButton::clicked, this, &CPortSetInfo::refresh);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    // The current row, however it moved (mouse, keys, screen reader), is the one Apply writes.
    connect(m_list, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { showRow(m_list->indexOfTopLevelItem(item)); });

    auto* controls = new QGridLayout;
    int line = 0;
    for (const auto& [control, caption] : {std::pair<QWidget*, const char*>{m_portId, "Port ID:"},
                                           {m_ctrlSpeed, "PortControlSpeed:"},
                                           {m_flowControl, "FlowControlMode:"}}) {
        controls->addWidget(captionFor(control, QString::fromLatin1(caption)), line, 0);
        controls->addWidget(control, line++, 1);
    }
    layOutListDialog(*this, m_list, controls, {m_apply, m_refresh, closeButton});
    resize(std::max(520, m_list->header()->length() + 40), 420);

    m_pathRead = readManagementPath([this] { refresh(); });
    needs(m_apply, {m_linkRead, m_portRead, m_pathRead});
    waitsFor(m_refresh, {m_linkRead, m_portRead, m_pathRead});
}

void CPortSetInfo::refresh()
{
    m_media.assign(static_cast<std::size_t>(std::max(m_layout.portCount, 0)), 0);
    readAggregatedLinks(m_cCommonSNMPTrunk, m_links, {}, m_linkRead);
    readPortTable();
}

void CPortSetInfo::readPortTable()
{
    m_list->clear();
    m_rows.clear();
    startWalk(
        m_cCommonSNMPTable, portTableRead(), [this](const WalkRow& row) { addRow(row); }, [this] { updateApply(); },
        m_portRead);
}

void CPortSetInfo::addRow(const WalkRow& row)
{
    const int index = m_list->topLevelItemCount();
    m_rows.push_back(decodePortRow(row, index, m_layout));
    appendRow(m_list, m_rows.back().texts);
    if (index < m_layout.portCount)
        m_media[static_cast<std::size_t>(index)] = m_rows.back().medium;
}

void CPortSetInfo::selectRow(int row)
{
    if (QTreeWidgetItem* item = m_list->topLevelItem(row))
        m_list->setCurrentItem(item);
}

void CPortSetInfo::showRow(int row)
{
    if (row < 0 || row >= static_cast<int>(m_rows.size()))
        return;
    const PortSelection selection = selectPortRow(m_rows[static_cast<std::size_t>(row)]);
    m_selectedPort = selection.portId;
    m_portId->setText(QString::fromStdString(selection.portId));
    m_ctrlSpeed->setCurrentIndex(selection.speedIndex);
    m_flowControl->setCurrentIndex(selection.flowIndex);
    updateApply();
}

bool CPortSetInfo::selectedRowWritable() const
{
    if (m_selectedPort.empty())
        return true; // Apply then asks for a port
    const std::int64_t port = leadingNumber(m_selectedPort);
    return port >= 1 && port <= static_cast<std::int64_t>(m_rows.size()) && m_rows[static_cast<std::size_t>(port - 1)].writable;
}

void CPortSetInfo::updateApply()
{
    // A row read garbled would be written back.
    m_apply->setEnabled(selectedRowWritable());
}

PortTableState CPortSetInfo::tableState() const
{
    PortTableState state{m_layout, {}, m_media, m_links.linkIds()};
    for (const PortRow& row : m_rows)
        state.speedTexts.push_back(row.texts.at(1));
    return state;
}

bool CPortSetInfo::apply()
{
    if (!readsWhole({m_linkRead, m_portRead, m_pathRead}) || !selectedRowWritable())
        return false;
    const PortChoice choice{m_selectedPort, m_ctrlSpeed->currentIndex(), m_flowControl->currentIndex()};
    if (const std::string message = checkPortChoice(choice, tableState()); !message.empty()) {
        platform::prompter().warn(message, {});
        return false;
    }
    if (asksForcedSpeed(choice) && !platform::prompter().askOkCancel(kForcedSpeedQuestion, {}))
        return false;
    if (asksFlowControl(choice) && !platform::prompter().askOkCancel(kFlowControlQuestion, {}))
        return false;
    const bool inLink = m_links.linkOf(static_cast<int>(leadingNumber(m_selectedPort))) != 0;
    const Bindings bindings = portConfigSet(choice, inLink);
    if (const std::string cut = portConfigPathCut(managementPath(), bindings, tableState());
        !cut.empty() && !acceptPathCut(managementPath(), cut))
        return false;
    return runWrite(
        [&session = m_cCommonSNMP, bindings](WriteContext& write) {
            write.setByGetNext(session, bindings, kPortSetTimeoutMs);
            write.pause(std::chrono::milliseconds(kPortSetPauseMs));
        },
        [this] { readPortTable(); });
}

} // namespace dialogs::switching
