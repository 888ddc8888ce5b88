#include "dialogs/switching/trunk_member_dialog.h"

#include "dialogs/port_check_grid.h"
#include "dialogs/switching/trunk_rules.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace dialogs::switching {
namespace {

QLineEdit* readOnlyField(const std::string& text, const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
}

const char* readName(TrunkRead read)
{
    static const char* const kNames[kTrunkReadCount] = {
        "aggregated links", "port settings",   "spanning-tree ports", "global states",
        "mirroring",        "mirror lists",    "DHCP screening",      "ARP spoofing ports",
        "ACL ports",        "VLAN ports",      "forwarding table",    "surveillance ports"};
    return kNames[static_cast<int>(read)];
}

} // namespace

CTrunkMemberDialog::CTrunkMemberDialog(std::string linkId, std::string modeText, std::string members, int portCount,
                                       QWidget* parent)
    : CResizableDialog(parent),
      m_linkId(std::move(linkId)),
      m_mode(std::move(modeText)),
      m_ownMembers(memberPorts(members, portCount)),
      m_portCount(portCount),
      m_snapshot(portCount),
      m_cCommonSNMP(addSession("m_cCommonSNMP")),
      m_cCommonSNMPSet(addSession("m_cCommonSNMPSet")),
      m_cCommonSNMPMirror(addSession("m_cCommonSNMPMirror")),
      m_cCommonSNMPTableACL(addSession("m_cCommonSNMPTableACL")),
      m_cCommonSNMPPoint(addSession("m_cCommonSNMPPoint")),
      m_cCommonSNMPTableVlan(addSession("m_cCommonSNMPTableVlan")),
      m_cCommonSNMPTableTrunk(addSession("m_cCommonSNMPTableTrunk")),
      m_cCommonSNMPTableStaticPor(addSession("m_cCommonSNMPTableStaticPor")),
      m_cCommonSNMPTableGetVlanTrunk(addSession("m_cCommonSNMPTableGetVlanTrunk"))
{
    m_ports = new CPortCheckGrid(portCount, {{QStringLiteral("Member"), QString()}}, this);
    m_ports->setObjectName(QStringLiteral("ports"));
    QLineEdit* id = readOnlyField(m_linkId, "trunkId", this);
    QLineEdit* mode = readOnlyField(m_mode, "mode", this);
    m_ok = pushButton(QStringLiteral("OK"), "ok", this);
    QPushButton* cancelButton = pushButton(QStringLiteral("Cancel"), "cancel", this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &CTrunkMemberDialog::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* fields = new QGridLayout;
    fields->addWidget(captionFor(id, QStringLiteral("Trunk ID:")), 0, 0);
    fields->addWidget(id, 0, 1);
    fields->addWidget(captionFor(mode, QStringLiteral("PortChannelMode:")), 0, 2);
    fields->addWidget(mode, 0, 3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(m_ports);
    layout->addStretch();
    layout->addLayout(buttons);

    setWindowTitle(QStringLiteral("Trunk member"));
    if (const std::optional<WindowSize> size = trunkMemberWindowSize(portCount))
        resize(size->width, size->height);

    // The rules hold only against the whole snapshot: a link still unread
    // would let a port join a second link.
    for (int read = 0; read < kTrunkReadCount; ++read)
        m_reads[static_cast<std::size_t>(read)] =
            declareRead(readName(static_cast<TrunkRead>(read)), trunkSnapshotRead(static_cast<TrunkRead>(read)));
    // Each session runs its reads in turn; the sessions run side by side.
    m_pathRead = readManagementPath([this] {
        readSnapshot(m_cCommonSNMP, TrunkRead::Globals);
        for (const TrunkRead read : {TrunkRead::Mirror, TrunkRead::MirrorLists, TrunkRead::DhcpScreening})
            readSnapshot(m_cCommonSNMPMirror, read);
        for (const TrunkRead read : {TrunkRead::Acl, TrunkRead::ArpSpoofing})
            readSnapshot(m_cCommonSNMPTableACL, read);
        readSnapshot(m_cCommonSNMPPoint, TrunkRead::Ports);
        readSnapshot(m_cCommonSNMPTableVlan, TrunkRead::Vlans);
        readSnapshot(m_cCommonSNMPTableTrunk, TrunkRead::Links);
        readSnapshot(m_cCommonSNMPTableStaticPor, TrunkRead::Fdb);
        for (const TrunkRead read : {TrunkRead::SpanningTree, TrunkRead::Surveillance})
            readSnapshot(m_cCommonSNMPTableGetVlanTrunk, read);
    });
    std::vector<ReadId> okNeeds(m_reads.begin(), m_reads.end());
    okNeeds.push_back(m_pathRead);
    needs(m_ok, okNeeds);

    for (int port : m_ownMembers)
        m_ports->setChecked(0, port, true);
}

void CTrunkMemberDialog::readSnapshot(CDialogSession& session, TrunkRead read)
{
    startWalk(
        session, trunkSnapshotRead(read), [this, read](const WalkRow& row) { addSnapshotRow(m_snapshot, read, row); },
        {}, m_reads[static_cast<std::size_t>(read)]);
}

bool CTrunkMemberDialog::snapshotComplete() const
{
    return std::none_of(m_reads.begin(), m_reads.end(), [this](ReadId read) {
        return readState(read) == ReadState::NotStarted || readState(read) == ReadState::UnderWay;
    });
}

bool CTrunkMemberDialog::ok()
{
    if (!readsWhole({m_reads.begin(), m_reads.end()}) || !readsWhole({m_pathRead}))
        return false;
    const std::vector<bool> flags = m_ports->checkedPorts(0);
    const std::vector<int> candidates = tickedPorts(flags);
    if (const std::string message = checkMemberCount(candidates.size()); !message.empty()) {
        platform::prompter().warn(message, {});
        return false;
    }
    const TrunkVerdict verdict = trunkVerdict(m_snapshot, candidates, m_ownMembers);
    // Not awaited by this check: the next OK waits for it.
    if (verdict.globalsRequested)
        readSnapshot(m_cCommonSNMP, TrunkRead::Globals);
    if (!verdict.message.empty()) {
        platform::prompter().warn(verdict.message, {});
        return false;
    }
    const std::optional<Bindings> bindings = trunkMemberSet(m_linkId, m_mode, flags, m_portCount);
    if (!bindings) {
        platform::prompter().warn("Parameter Error !", {});
        return false;
    }
    if (const std::string cut = trunkMemberPathCut(managementPath(), m_linkId, m_ownMembers, *bindings);
        !cut.empty() && !acceptPathCut(managementPath(), cut))
        return false;
    // The dialog closes with OK whatever the switch answers.
    return runWrite([&session = m_cCommonSNMPSet, set = *bindings](WriteContext& write) { write.set(session, set); },
                    [this] { accept(); });
}

} // namespace dialogs::switching
