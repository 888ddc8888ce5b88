#include "answer_transport.h"
#include "entries.h"
#include "fuzz_reader.h"
#include "task_queue.h"

#include "dialogs/dialog_session.h"
#include "dialogs/switching/trunk_validator.h"

#include <chrono>
#include <set>

namespace fuzz {
namespace {

using dialogs::switching::TrunkRead;
using dialogs::switching::TrunkSnapshot;

void checkShape(const TrunkSnapshot& s)
{
    const auto n = static_cast<std::size_t>(s.portCount);
    for (const auto* perPort : {&s.linkId, &s.speed, &s.defaultPriority, &s.pvid, &s.portSecurity, &s.medium,
                                &s.loopDetect, &s.dot1xControl, &s.voiceMode, &s.surveillanceState,
                                &s.surveillanceMode})
        require(perPort->size() == n, "one value per port");
    require(s.rateControl.size() == n && s.spanningTree.size() == n, "one value set per port");
    for (const auto* flags : {&s.mirrorSourceA, &s.mirrorSourceB, &s.learning, &s.dhcpScreening, &s.arpSpoofing,
                              &s.fdbDestination})
        require(flags->size() == n, "one flag per port");
    for (const auto& list : s.aclPorts)
        require(list.size() == n, "one flag per port in each ACL rule");
    for (const auto& vlan : s.vlans)
        require(vlan.egress.size() == n && vlan.untagged.size() == n, "one flag per port in each VLAN");
}

// The rules on the snapshot for candidates taken from the input: a known
// message or none, the same each time.
void runRules(const TrunkSnapshot& s, FuzzReader& in)
{
    static const std::set<std::string> kMessages = {
        "",
        "Cannot add the port as it is a member of another aggregated link !",
        "Cannot add ports of different types to an aggregated link !",
        "Cannot add a port in half-duplex mode to an aggregated link.",
        "Cannot add ports of different speed to an aggregated link.",
        "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link.",
        "Cannot add the 802.1X-enabled port to an aggregated link.",
        "Setting the Channel Mode Fail.",
        "Cannot add ports with different VLAN configurations to an aggregated link !",
        "Cannot add a Auto-learn disabled port to an aggregated link.",
        "Cannot add ports with different 802.1p default priorities to an aggregated link.",
        "Cannot add ports with different PVIDs to an aggregated link.",
        "Cannot add a port-security anabled port to an aggregated link.",
        "Cannot add a LBD-enabled port to an aggregated link.",
        "Cannot add ports of Port Mirror enable ports to an aggregated link.",
        "Cannot add a mirror port to an aggregated link.",
        "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link.",
        "Cannot add ports with different rate control configurations to an aggregated link.",
        "Cannot add a port with different RSTP port setting to an aggregated link. ",
        "Cannot add a port in Voice Vlan Auto mode to an aggregated link.",
        "Cannot add ports with different FDB-destination-hit configurations to an aggregated link.",
        "Cannot add an ACL enabled port to an aggregated link.",
        "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link",
        "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link",
    };
    std::vector<int> candidates;
    std::vector<int> own;
    for (std::size_t count = in.byte() % 10; count > 0; --count)
        candidates.push_back(static_cast<int>(in.upTo(static_cast<std::uint32_t>(s.portCount) + 1)));
    for (std::size_t count = in.byte() % 4; count > 0; --count)
        own.push_back(static_cast<int>(in.upTo(static_cast<std::uint32_t>(s.portCount))));
    const auto verdict = dialogs::switching::trunkVerdict(s, candidates, own);
    require(kMessages.count(verdict.message) == 1, "a known message");
    require(verdict.message == dialogs::switching::checkTrunkAdmission(s, candidates, own), "the same verdict");
}

} // namespace

// The link admission snapshot: reads answered by the fuzz input folded into
// a snapshot, then the rules run on it.
int trunk_snapshot(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    useLoopbackAgent();
    static constexpr int kPortCounts[] = {10, 16, 24, 28, 48, 52};
    TrunkSnapshot snapshot(kPortCounts[in.byte() % 6]);
    // Every choice of this thread comes before the agent's answers.
    std::vector<TrunkRead> reads;
    for (std::size_t count = 1 + in.byte() % 3; count > 0; --count)
        reads.push_back(static_cast<TrunkRead>(in.byte() % dialogs::switching::kTrunkReadCount));

    auto transport = std::make_shared<AnswerTransport>(in);
    dialogs::CDialogSession::setTransport(transport);
    TaskQueue queue;
    for (const TrunkRead read : reads) {
        int ends = 0;
        dialogs::CDialogSession session("m_cCommonSNMPPoint");
        session.startWalk(dialogs::switching::trunkSnapshotRead(read), queue.poster(),
                          {[&](const dialogs::WalkRow& row) {
                               require(ends == 0, "no row after the end");
                               dialogs::switching::addSnapshotRow(snapshot, read, row);
                           },
                           [&] { ++ends; }});
        require(queue.runUntil([&ends] { return ends != 0; }, std::chrono::seconds(20)), "the read ends");
        session.close();
        queue.drain();
        require(ends == 1, "one end per read");
    }
    dialogs::CDialogSession::setTransport(nullptr);
    checkShape(snapshot);
    runRules(snapshot, in);

    // The decoding alone, on rows no agent would send.
    dialogs::WalkRow row;
    row.suffix = in.text(40);
    for (std::size_t count = in.byte() % 10; count > 0; --count)
        row.values.push_back(in.text(80));
    const auto read = static_cast<TrunkRead>(in.byte() % dialogs::switching::kTrunkReadCount);
    dialogs::switching::addSnapshotRow(snapshot, read, row);
    checkShape(snapshot);
    runRules(snapshot, in);
    return 0;
}

} // namespace fuzz
