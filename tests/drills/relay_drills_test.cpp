// Lossy, duplicating, replaying and slow links between the session and the
// real snmpd serving the simulated switch.
#include "drill_support.h"

#include <set>

namespace drills {
namespace {

using RelayDrill = RelayedSwitch<>;

TEST_F(RelayDrill, PollingCycleUnderThirtyPercentLossAppliesEachPortOnceOrReportsLostContact)
{
    relay.setFaults({.dropShare = 0.3});
    useAgent(relay.port(), {}, 600);
    for (int round = 0; round < 4; ++round) {
        PollingWindow window;
        ASSERT_TRUE(window.cycle());
        const auto changes = window.sink.changes();
        // One outcome per cycle: the panel is updated or contact is lost.
        EXPECT_EQ(changes.size() + static_cast<std::size_t>(window.sink.lost()), 1u);
        if (!changes.empty()) {
            std::set<int> ports;
            for (const monitor::ElementStatus& change : changes.front())
                if (change.element < 28) {
                    EXPECT_TRUE(ports.insert(change.element).second) << "port element " << change.element << " twice";
                }
            EXPECT_EQ(ports.size(), 28u);
        }
    }
    EXPECT_GT(relay.counts().dropped, 0);
}

TEST_F(RelayDrill, DuplicatedAndStaleAnswersAreDiscarded)
{
    const std::vector<WalkRow> clean = walkOnce(kLinkColumns);
    ASSERT_GE(clean.size(), 28u);
    relay.setFaults({.duplicateAnswers = true, .replayStaleAnswer = true});
    EXPECT_EQ(walkOnce(kLinkColumns), clean);

    // Synchronous gets of different objects each get their own answer.
    snmp::CCommonSnmp session;
    for (const char* oid : {kSysName, kSysLocation, kSysName}) {
        const Got got = getOne(session, oid);
        EXPECT_EQ(std::pair(got.status, got.oid), (std::pair<int, std::string>(snmp::kStatusOk, oid)));
    }
    const RelayCounts counts = relay.counts();
    EXPECT_GT(counts.duplicated, 28);
    EXPECT_GT(counts.staleReplays, 28);
}

TEST_F(RelayDrill, AnswerArrivingAfterItsTimeOutIsIgnored)
{
    useAgent(relay.port(), {}, 500);
    snmp::CCommonSnmp session;
    relay.setFaults({.answerDelay = std::chrono::milliseconds(1200)});
    EXPECT_EQ(getOne(session, kSysName), (Got{snmp::kStatusNoAnswer, "", ""})) << "no response";

    // The late answer to sysName (due at 1200 ms) reaches the session while it waits for this one.
    relay.setFaults({.answerDelay = std::chrono::milliseconds(900)});
    const Got got = getOne(session, kSysLocation, 3000);
    EXPECT_EQ(std::pair(got.status, got.oid), (std::pair<int, std::string>(snmp::kStatusOk, kSysLocation)));
}

} // namespace
} // namespace drills
