#include "harness.h"

#include "dialogs/switching/trunk_validator.h"

namespace fuzz {
namespace {

using dialogs::switching::TrunkRead;
using dialogs::switching::TrunkSnapshot;

void checkShape(const TrunkSnapshot& s)
{
    const auto perPort = [n = static_cast<std::size_t>(s.portCount)](const auto&... lists) {
        require(((lists.size() == n) && ...), "one value per port");
    };
    perPort(s.linkId, s.speed, s.defaultPriority, s.pvid, s.portSecurity, s.medium, s.loopDetect, s.rateControl,
            s.spanningTree, s.dot1xControl, s.voiceMode, s.surveillanceState, s.surveillanceMode, s.mirrorSourceA,
            s.mirrorSourceB, s.learning, s.dhcpScreening, s.arpSpoofing, s.fdbDestination);
    for (const auto& list : s.aclPorts)
        perPort(list);
    for (const auto& vlan : s.vlans)
        perPort(vlan.egress, vlan.untagged);
}

// The rules on the snapshot for candidates taken from the input: no
// candidates are admitted at once, an admission has run every rule.
void runRules(const TrunkSnapshot& s, FuzzReader& in)
{
    std::vector<int> candidates;
    std::vector<int> own;
    for (std::size_t count = in.byte() % 10; count > 0; --count)
        candidates.push_back(static_cast<int>(in.upTo(static_cast<std::uint32_t>(s.portCount) + 1)));
    for (std::size_t count = in.byte() % 4; count > 0; --count)
        own.push_back(static_cast<int>(in.upTo(static_cast<std::uint32_t>(s.portCount))));
    const auto verdict = dialogs::switching::trunkVerdict(s, candidates, own);
    require(candidates.empty() ? verdict.message.empty() && !verdict.globalsRequested
                               : !verdict.message.empty() || verdict.globalsRequested,
            "no candidates admitted at once, an admission past every rule");
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

    dialogs::CDialogSession::setTransport(std::make_shared<AnswerTransport>(in));
    for (const TrunkRead read : reads)
        walkToTheEnd("m_cCommonSNMPPoint", dialogs::switching::trunkSnapshotRead(read),
                     [&](const dialogs::WalkRow& row) { dialogs::switching::addSnapshotRow(snapshot, read, row); });
    dialogs::CDialogSession::setTransport(nullptr);
    checkShape(snapshot);
    runRules(snapshot, in);

    // The decoding alone, on rows no agent would send.
    const dialogs::WalkRow row = arbitraryRow(in);
    dialogs::switching::addSnapshotRow(snapshot, static_cast<TrunkRead>(in.byte() % dialogs::switching::kTrunkReadCount), row);
    checkShape(snapshot);
    runRules(snapshot, in);
    return 0;
}

} // namespace fuzz
