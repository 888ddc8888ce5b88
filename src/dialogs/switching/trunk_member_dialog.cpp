#include "dialogs/switching/trunk_member_dialog.h"

#include "dialogs/port_check_grid.h"
#include "dialogs/switching/trunk_rules.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace dialogs::switching {
namespace {

QLineEdit* readOnlyField(const std::string& text, const char* name, QWidget* parent)
{
    auto* field = new QLineEdit(QString::fromStdString(text), parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setReadOnly(true);
    return field;
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
    // The rules hold only against the whole snapshot: a link still unread
    // would let a port join a second link.
    m_ok->setEnabled(false);
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

    // Each session runs its reads in turn; the sessions run side by side.
    m_pendingReads = 8;
    m_globalsPending = true;
    readGlobals();
    readChain(m_cCommonSNMPMirror, {TrunkRead::Mirror, TrunkRead::MirrorLists, TrunkRead::DhcpScreening});
    readChain(m_cCommonSNMPTableACL, {TrunkRead::Acl, TrunkRead::ArpSpoofing});
    readChain(m_cCommonSNMPPoint, {TrunkRead::Ports});
    readChain(m_cCommonSNMPTableVlan, {TrunkRead::Vlans});
    readChain(m_cCommonSNMPTableTrunk, {TrunkRead::Links});
    readChain(m_cCommonSNMPTableStaticPor, {TrunkRead::Fdb});
    readChain(m_cCommonSNMPTableGetVlanTrunk, {TrunkRead::SpanningTree, TrunkRead::Surveillance});

    for (int port : m_ownMembers)
        m_ports->setChecked(0, port, true);
}

void CTrunkMemberDialog::readChain(CDialogSession& session, std::vector<TrunkRead> reads, std::size_t next)
{
    if (next >= reads.size()) {
        readEnded();
        return;
    }
    const TrunkRead read = reads[next];
    startWalk(
        session, trunkSnapshotRead(read), [this, read](const WalkRow& row) { addSnapshotRow(m_snapshot, read, row); },
        [this, &session, reads, next] {
            noteTimeOut(session);
            readChain(session, reads, next + 1);
        });
}

void CTrunkMemberDialog::readGlobals()
{
    m_globalsReading = true;
    startWalk(
        m_cCommonSNMP, trunkSnapshotRead(TrunkRead::Globals),
        [this](const WalkRow& row) { addSnapshotRow(m_snapshot, TrunkRead::Globals, row); },
        [this] {
            m_globalsReading = false;
            if (std::exchange(m_globalsPending, false)) {
                noteTimeOut(m_cCommonSNMP);
                readEnded();
            }
        });
}

void CTrunkMemberDialog::noteTimeOut(const CDialogSession& session)
{
    // An item the switch did not send would pass its rule as "not set".
    m_snapshotUnread = m_snapshotUnread || session.endStatus() == snmp::kStatusNoAnswer
        || session.endStatus() == snmp::kStatusFailed;
}

void CTrunkMemberDialog::readEnded()
{
    if (m_pendingReads > 0 && --m_pendingReads == 0) {
        m_ok->setEnabled(true);
        emit snapshotRead();
    }
}

bool CTrunkMemberDialog::ok()
{
    if (!snapshotComplete())
        return false;
    const std::vector<bool> flags = m_ports->checkedPorts(0);
    const std::vector<int> candidates = tickedPorts(flags);
    if (const std::string message = checkMemberCount(candidates.size()); !message.empty()) {
        platform::prompter().warn(message, {});
        return false;
    }
    if (m_snapshotUnread) {
        platform::prompter().warn(kSwitchUnread, {});
        return false;
    }
    const TrunkVerdict verdict = trunkVerdict(m_snapshot, candidates, m_ownMembers);
    // Not awaited; a read still under way brings the same values.
    if (verdict.globalsRequested && !m_globalsReading)
        readGlobals();
    if (!verdict.message.empty()) {
        platform::prompter().warn(verdict.message, {});
        return false;
    }
    const std::optional<Bindings> bindings = trunkMemberSet(m_linkId, m_mode, flags, m_portCount);
    if (!bindings) {
        platform::prompter().warn("Parameter Error !", {});
        return false;
    }
    // The dialog closes with OK whatever the switch answers.
    return runWrite([&session = m_cCommonSNMPSet, set = *bindings](WriteContext& write) { write.set(session, set); },
                    [this] { accept(); });
}

} // namespace dialogs::switching
