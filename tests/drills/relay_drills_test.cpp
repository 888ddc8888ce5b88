// Lossy, duplicating, replaying and slow links between the session and the
// real snmpd serving the simulated switch.
#include "drill_support.h"

#include <set>

namespace drills {
namespace {

class RelayDrill : public RelayedSwitch<> {
protected:
    static void SetUpTestSuite()
    {
        RelayedSwitch::SetUpTestSuite();
        ASSERT_NE(s_agent, nullptr);
        // The rows as a clean link shows them.
        useAgent(s_agent->port());
        s_cleanRows = new std::vector<WalkRow>(walkOnce(kLinkColumns).rows);
        ASSERT_GE(s_cleanRows->size(), 28u);
    }
    static void TearDownTestSuite()
    {
        RelayedSwitch::TearDownTestSuite();
        delete s_cleanRows;
    }

    // Every row delivered is a clean row, none twice, in order: a subsequence of the clean walk.
    static bool cleanSubsequence(const std::vector<WalkRow>& rows)
    {
        auto next = s_cleanRows->begin();
        for (const WalkRow& row : rows) {
            next = std::find(next, s_cleanRows->end(), row);
            if (next == s_cleanRows->end())
                return false;
            ++next;
        }
        return true;
    }

    static inline std::vector<WalkRow>* s_cleanRows = nullptr;
};

TEST_F(RelayDrill, TableWalkUnderThirtyPercentLossCompletesOrEndsWithNoDuplicateRow)
{
    relay.setFaults({.dropShare = 0.3});
    useAgent(relay.port(), {}, 600);
    for (int round = 0; round < 3; ++round) {
        const Walked walk = walkOnce(kLinkColumns);
        EXPECT_TRUE(walk.endStatus == snmp::kStatusNoAnswer || walk.endStatus == snmp::kStatusEnded);
        EXPECT_EQ(walk.ends, 1);
        if (walk.endStatus == snmp::kStatusEnded) {
            EXPECT_EQ(walk.rows, *s_cleanRows);
        }
        EXPECT_TRUE(cleanSubsequence(walk.rows));
    }
    EXPECT_GT(relay.counts().dropped, 0);
}

TEST_F(RelayDrill, BulkReadsGiveTheGetNextRowsInFewRequests)
{
    // Six columns x 25 repetitions: snmpd cuts its answers at 100 bindings, inside a row.
    std::vector<std::string> columns = kLinkColumns;
    columns.push_back("1.3.6.1.2.1.2.2.1.4");
    auto walk = [this](const char* version, bool bulkReads, const std::vector<std::string>& walked) {
        useAgent(relay.port(), *version == '3' ? "simshaaes" : "");
        snmp::SessionParameters parameters = snmp::sessionParameters();
        parameters.version = version;
        parameters.bulkReads = bulkReads;
        snmp::setSessionParameters(parameters);
        const int before = relay.counts().requests;
        std::vector<WalkRow> rows = walkOnce(walked, snmp::kPduGetBulk).rows;
        return std::pair(rows, relay.counts().requests - before);
    };
    const auto [expected, getNexts] = walk("1", true, columns); // version 1 has no GETBULK
    for (const char* version : {"2c", "3"}) {
        const auto [rows, requests] = walk(version, true, columns);
        EXPECT_EQ(rows, expected) << version;
        EXPECT_LE(requests, 5) << version; // engine discovery included
        EXPECT_GE(walk(version, false, columns).second, getNexts) << version;
        EXPECT_TRUE(walk(version, true, {"1.3.6.1.2.1.17.7.1.2.2.1.4"}).first.empty()) << "no rows, " << version;
    }
}

TEST_F(RelayDrill, PollingCycleUnderThirtyPercentLossAppliesEachPortOnceOrReportsLostContact)
{
    relay.setFaults({.dropShare = 0.3});
    useAgent(relay.port(), {}, 600);
    for (int round = 0; round < 4; ++round) {
        PollingWindow window;
        ASSERT_TRUE(window.cycle());
        const auto changes = window.panel.changes();
        // One outcome per cycle: the panel is updated or contact is lost.
        EXPECT_EQ(changes.size() + static_cast<std::size_t>(window.panel.lost()), 1u);
        if (!changes.empty()) {
            std::set<int> ports;
            for (const monitor::ElementStatus& change : changes.front())
                if (change.element < 28) {
                    EXPECT_TRUE(ports.insert(change.element).second) << "port element " << change.element << " twice";
                }
            EXPECT_EQ(ports.size(), 28u);
        }
    }
}

TEST_F(RelayDrill, DuplicatedAndStaleAnswersAreDiscarded)
{
    relay.setFaults({.duplicateAnswers = true, .replayStaleAnswer = true});
    useAgent(relay.port());
    const Walked walk = walkOnce(kLinkColumns);
    EXPECT_EQ(walk.endStatus, snmp::kStatusEnded);
    EXPECT_EQ(walk.rows, *s_cleanRows);

    // Synchronous gets of different objects each get their own answer.
    snmp::CCommonSnmp session;
    for (const char* oid : {kSysName, kSysLocation, kSysName}) {
        const Got got = getOne(session, oid);
        EXPECT_EQ(got.status, snmp::kStatusOk);
        EXPECT_EQ(got.oid, oid);
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
    const Got late = getOne(session, kSysName);
    EXPECT_EQ(late.status, snmp::kStatusNoAnswer);
    EXPECT_EQ(late.oid, "") << "no response";

    // The late answers to sysName reach the session while it waits for this one.
    relay.setFaults({.answerDelay = std::chrono::milliseconds(900)});
    const Got got = getOne(session, kSysLocation, 3000);
    EXPECT_EQ(got.status, snmp::kStatusOk);
    EXPECT_EQ(got.oid, kSysLocation);
    EXPECT_GE(relay.counts().answers, 2);
}

} // namespace
} // namespace drills
