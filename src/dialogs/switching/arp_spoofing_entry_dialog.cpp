#include "dialogs/switching/arp_spoofing_entry_dialog.h"

#include "dialogs/ip_address_edit.h"
#include "dialogs/port_check_grid.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>

namespace dialogs::switching {
namespace {

constexpr int kMargin = 10;
constexpr int kProtectRow = 0;

} // namespace

CArpSpoofingEntryDialog::CArpSpoofingEntryDialog(int portCount, QWidget* parent)
    : CResizableDialog(parent),
      m_portCount(portCount),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead()))
{
    // Placed by geometry: the frame's layout table moves and stretches them.
    auto* addressing = new QWidget(this);
    m_address = new CIpAddressEdit(addressing);
    m_address->setObjectName(QStringLiteral("address"));
    m_mac = new QLineEdit(addressing);
    m_mac->setObjectName(QStringLiteral("mac"));
    // No length limit: a pasted text cut to 17 characters could pass the
    // format check as an address nobody typed.
    auto* grid = new QGridLayout(addressing);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(captionFor(m_address, QStringLiteral("Router / Gateway IP Address")), 0, 0);
    grid->addWidget(m_address, 0, 1);
    grid->addWidget(captionFor(m_mac, QStringLiteral("Router / Gateway MAC Address")), 1, 0);
    grid->addWidget(m_mac, 1, 1);
    addressing->adjustSize();
    addressing->move(kMargin, kMargin);

    auto* portBox = new QGroupBox(QStringLiteral("Ports"), this);
    m_allPorts = new QCheckBox(QStringLiteral("All Ports"), portBox);
    m_allPorts->setObjectName(QStringLiteral("allPorts"));
    m_ports = new CPortCheckGrid(portCount, {{QStringLiteral("Protect"), QString()}}, portBox);
    auto* portLayout = new QVBoxLayout(portBox);
    portLayout->addWidget(m_allPorts);
    portLayout->addWidget(m_ports);
    portLayout->addStretch();
    portBox->adjustSize();
    portBox->move(kMargin, addressing->geometry().bottom() + kMargin);

    m_apply = pushButton(QStringLiteral("&Apply"), "apply", this);
    QPushButton* cancel = pushButton(QStringLiteral("&Cancel"), "cancel", this);
    const int width = std::max(addressing->width(), portBox->width()) + 2 * kMargin;
    const int buttonsTop = portBox->geometry().bottom() + kMargin;
    cancel->move(width - kMargin - cancel->sizeHint().width(), buttonsTop);
    cancel->resize(cancel->sizeHint());
    m_apply->move(cancel->x() - kMargin - m_apply->sizeHint().width(), buttonsTop);
    m_apply->resize(m_apply->sizeHint());
    resize(width, buttonsTop + cancel->height() + kMargin);
    setLayoutTable({{portBox, GrowXY, 100}, {m_apply, MoveXY, 100}, {cancel, MoveXY, 100}});

    connect(m_allPorts, &QCheckBox::toggled, this, &CArpSpoofingEntryDialog::allPortsToggled);
    connect(m_apply, &QPushButton::clicked, this, &CArpSpoofingEntryDialog::apply);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setWindowTitle(QStringLiteral("Add ARP Spoofing Prevention Entry"));
    // The link rule keeps each aggregated link's ports alike.
    needs(m_apply, {m_linkRead});
    readAggregatedLinks(m_cCommonSNMPTable, m_links, {}, m_linkRead);
}

void CArpSpoofingEntryDialog::allPortsToggled(bool checked)
{
    for (int port = 1; port <= m_portCount; ++port)
        m_ports->setChecked(kProtectRow, port, checked);
}

void CArpSpoofingEntryDialog::apply()
{
    if (!readsWhole({m_linkRead}))
        return;
    const ArpSpoofingEntry entry{m_address->hasBlankField(), textOf(m_address->text()), textOf(m_mac->text()),
                                 m_ports->checkedPorts(kProtectRow)};
    if (const std::string message = checkArpSpoofingEntry(entry, m_links); !message.empty()) {
        platform::prompter().warn(message, {});
        if (message == kArpAddressFormat)
            m_address->setFocus();
        return;
    }
    if (!platform::prompter().askOkCancel(kArpConfirmation, {}))
        return;
    runWrite(
        [&session = m_cCommonSNMP, requests = arpSpoofingCreate(entry, m_portCount)](WriteContext& write) {
            for (std::size_t i = 0; i < requests.size(); ++i) {
                if (i > 0)
                    write.pause(std::chrono::milliseconds(50));
                write.set(session, requests[i]);
            }
        },
        [this] {
            m_address->clear();
            accept();
        });
}

} // namespace dialogs::switching
