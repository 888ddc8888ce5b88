#include "dialogs/switching/vlan_entry_dialog.h"

#include "dialogs/port_check_grid.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace dialogs::switching {
namespace {

constexpr int kRows = 3; // Tag, Untag, Not Member: the order of Member
// What the user may type; a value read from the switch is shown whole.
constexpr int kNameLength = 20;
constexpr int kVidLength = 4;

QSize windowSize(int portCount)
{
    switch (portCount) {
    case 48: return {530, 400};
    case 28: return {570, 360};
    case 52: return {550, 400};
    default: return {};
    }
}

} // namespace

CVlanEntryDialog::CVlanEntryDialog(bool addMode, int portCount, std::vector<VlanEntry> list, int vid, bool asymmetric,
                                   QWidget* parent)
    : CResizableDialog(parent),
      m_portCount(portCount),
      m_list(std::move(list)),
      m_form(loadVlanEntryForm(addMode, asymmetric, portCount, m_list, vid)),
      m_links(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPEgrePort(addSession("m_cCommonSNMPEgrePort")),
      m_cCommonSNMPUntagPort(addSession("m_cCommonSNMPUntagPort")),
      m_cCommonSNMPAllPort(addSession("m_cCommonSNMPAllPort")),
      m_cCommonSNMPTable(addSession("m_cCommonSNMPTable")),
      m_linkRead(declareRead("aggregated links", aggregatedLinkRead()))
{
    auto* idGroup = new QGroupBox(QStringLiteral("802.1Q VLAN Name and ID"), this);
    m_name = new QLineEdit(idGroup);
    m_name->setObjectName(QStringLiteral("name"));
    m_name->setMaxLength(kNameLength);
    m_vid = new QLineEdit(idGroup);
    m_vid->setObjectName(QStringLiteral("vid"));
    m_vid->setMaxLength(kVidLength);
    m_vid->setValidator(digitsOnly(m_vid));
    auto* idForm = new QFormLayout(idGroup);
    idForm->addRow(captionFor(m_name, QStringLiteral("VLAN Name:")), m_name);
    idForm->addRow(captionFor(m_vid, QStringLiteral("VID:")), m_vid);

    auto* memberGroup = new QGroupBox(QStringLiteral("VLAN Port Member"), this);
    m_ports = new CPortCheckGrid(portCount,
                                 {{QStringLiteral("Tag"), QStringLiteral("Tag Ports:")},
                                  {QStringLiteral("Untag"), QStringLiteral("Untag Ports:")},
                                  {QStringLiteral("Not Member"), QStringLiteral("Not Member:")}},
                                 memberGroup);
    auto* memberLayout = new QVBoxLayout(memberGroup);
    memberLayout->addWidget(m_ports);
    connect(m_ports, &CPortCheckGrid::boxToggled, this, [this](int row, int port, bool) { clicked(row, port); });

    m_ok = pushButton(QStringLiteral("OK"), "ok", this);
    QPushButton* cancel = pushButton(QStringLiteral("Cancel"), "cancel", this);
    connect(m_ok, &QPushButton::clicked, this, &CVlanEntryDialog::ok);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(idGroup);
    layout->addWidget(memberGroup);
    layout->addLayout(buttons);

    if (addMode) {
        setWindowTitle(QStringLiteral("Add VLAN"));
    } else {
        setWindowTitle(QStringLiteral("Edit VLAN"));
        m_vid->setEnabled(false);
        setLimitedText(m_vid, std::to_string(vid), kVidLength);
        if (const VlanEntry* loaded = findVlan(m_list, vid))
            setLimitedText(m_name, loaded->name, kNameLength);
    }
    for (int port = 1; port <= portCount; ++port)
        showPort(port);
    if (const QSize size = windowSize(portCount); size.isValid())
        resize(size);

    // The member rules keep each aggregated link's ports alike.
    m_pathRead = readManagementPath([this] { readAggregatedLinks(m_cCommonSNMPTable, m_links, {}, m_linkRead); });
    needs(m_ok, {m_linkRead, m_pathRead});
}

void CVlanEntryDialog::showPort(int port)
{
    const Member member = m_form.members[static_cast<std::size_t>(port - 1)];
    for (int row = 0; row < kRows; ++row)
        m_ports->setChecked(row, port, static_cast<int>(member) == row);
}

void CVlanEntryDialog::clicked(int row, int port)
{
    choose(m_form, port, static_cast<Member>(row));
    showPort(port);
}

void CVlanEntryDialog::ok()
{
    if (!readsWhole({m_linkRead, m_pathRead}))
        return;
    const VlanEntryInput input{textOf(m_vid->text()), textOf(m_name->text())};
    if (const std::string refusal = checkVlanEntry(m_form, input, m_links, m_list); !refusal.empty()) {
        platform::prompter().warn(refusal, {});
        return;
    }
    const int vid = vlanEntryVid(input.vidText);
    const VlanEntry* before = m_form.add ? nullptr : findVlan(m_list, vid);
    const VlanEntryWrite steps = vlanEntryWrite(m_form, vid, input.name, m_portCount, before);
    if (const std::string cut = vlanEntryPathCut(managementPath(), vid, steps, before, m_portCount);
        !cut.empty() && !acceptPathCut(managementPath(), cut))
        return;
    runWrite(
        [sessions = VlanEntrySessions{m_cCommonSNMP, m_cCommonSNMPAllPort, m_cCommonSNMPUntagPort,
                                      m_cCommonSNMPEgrePort},
         steps](WriteContext& write) { writeVlanEntry(write, sessions, steps); },
        [this] { accept(); });
}

} // namespace dialogs::switching
