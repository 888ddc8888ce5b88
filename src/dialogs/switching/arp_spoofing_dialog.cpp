#include "dialogs/switching/arp_spoofing_dialog.h"

#include "dialogs/switching/arp_spoofing_entry_dialog.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <chrono>
#include <memory>

namespace dialogs::switching {

CArpSpoofingDialog::CArpSpoofingDialog(int portCount, QWidget* parent)
    : CDialogBase(parent),
      m_portCount(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_entryRead(declareRead("ARP spoofing entries", arpSpoofingRead()))
{
    m_list = newListView(arpSpoofingHeaders(), this);
    int column = 0;
    for (const int width : {50, 190, 195, 150})
        m_list->setColumnWidth(column++, width);
    m_total = new QLineEdit(this);
    m_total->setObjectName(QStringLiteral("total"));
    m_total->setReadOnly(true);
    m_add = pushButton(QStringLiteral("&Add"), "add", this);
    m_delete = pushButton(QStringLiteral("&Delete"), "delete", this);
    m_refresh = pushButton(QStringLiteral("&Refresh"), "refresh", this);
    QPushButton* close = pushButton(QStringLiteral("&Close"), "close", this);

    auto* total = new QHBoxLayout;
    total->addWidget(captionFor(m_total, QStringLiteral("Total Entries:")));
    total->addWidget(m_total);
    total->addStretch();
    total->addWidget(new QLabel(QStringLiteral("( Note:64 Entries Maximum ) "), this));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(m_refresh);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(total);
    layout->addLayout(buttons);

    connect(m_add, &QPushButton::clicked, this, &CArpSpoofingDialog::add);
    connect(m_delete, &QPushButton::clicked, this, &CArpSpoofingDialog::remove);
    connect(m_refresh, &QPushButton::clicked, this, &CArpSpoofingDialog::refresh);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("ARP Spoofing Prevention Setting"));
    resize(620, 360);
    needs(m_add, {m_entryRead});
    needs(m_delete, {m_entryRead});
    waitsFor(m_refresh, {m_entryRead});
    refresh();
}

void CArpSpoofingDialog::refresh()
{
    m_list->clear();
    m_rows.clear();
    m_total->setText(QStringLiteral("0"));
    startWalk(
        m_cCommonSNMPTable, arpSpoofingRead(),
        [this](const WalkRow& row) {
            const auto decoded = decodeArpSpoofingRow(row, m_portCount);
            if (!decoded)
                return;
            m_rows.push_back(*decoded);
            appendRow(m_list, {std::to_string(m_rows.size()), decoded->address, decoded->mac, decoded->ports});
            m_total->setText(QString::number(m_rows.size()));
        },
        {}, m_entryRead);
}

void CArpSpoofingDialog::add()
{
    if (const std::string message = checkArpSpoofingAdd(static_cast<int>(m_rows.size())); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    {
        CArpSpoofingEntryDialog entry(m_portCount, this);
        entry.exec();
    }
    refresh();
}

void CArpSpoofingDialog::remove()
{
    const int selected = m_list->currentItem() && m_list->currentItem()->isSelected()
        ? m_list->indexOfTopLevelItem(m_list->currentItem())
        : -1;
    const bool valid = selected >= 0 && selected < static_cast<int>(m_rows.size());
    if (const std::string message = checkArpSpoofingDelete(valid); !message.empty()) {
        platform::prompter().warn(message, {});
        return;
    }
    auto deleted = std::make_shared<bool>(false);
    runWrite(
        [&session = m_cCommonSNMP, bindings = arpSpoofingDelete(m_rows[static_cast<std::size_t>(selected)]),
         deleted](WriteContext& write) {
            *deleted = write.set(session, bindings) == snmp::kStatusOk;
            if (*deleted)
                write.pause(std::chrono::milliseconds(50));
        },
        [this, deleted] {
            if (*deleted)
                refresh();
        });
}

} // namespace dialogs::switching
