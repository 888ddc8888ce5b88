// Lossy, duplicating, replaying and slow links between the session and the
// real snmpd serving the simulated switch.
#include "drill_support.h"
#include "udp_relay.h"

#include "monitor/poll_results.h"

#include <map>
#include <set>

namespace drills {
namespace {

class RelayDrill : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_agent = startSuiteSwitch();
        ASSERT_NE(s_agent, nullptr);
        // The rows as a clean link shows them.
        snmp::CCommonSnmp session;
        WalkCollector walk(session, kLinkColumns);
        walk.start();
        ASSERT_TRUE(walk.waitForEnd());
        s_cleanRows = new std::vector<WalkRow>(walk.rows());
    }
    static void TearDownTestSuite()
    {
        delete s_agent;
        delete s_cleanRows;
    }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_NE(s_cleanRows, nullptr);
        ASSERT_GE(s_cleanRows->size(), 28u);
        ASSERT_TRUE(relay.ready());
    }

    // Every row delivered is the clean row of its index, in ascending order.
    static void expectCleanSubsequence(const std::vector<WalkRow>& rows)
    {
        std::map<std::string, WalkRow> clean;
        for (const WalkRow& row : *s_cleanRows)
            clean.emplace(row.suffix, row);
        int previous = 0;
        for (const WalkRow& row : rows) {
            const auto found = clean.find(row.suffix);
            ASSERT_NE(found, clean.end()) << row.suffix;
            EXPECT_EQ(row, found->second);
            const int port = monitor::firstSuffixComponent(row.suffix);
            EXPECT_GT(port, previous) << "row " << row.suffix << " delivered twice or out of order";
            previous = port;
        }
    }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    static inline std::vector<WalkRow>* s_cleanRows = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

TEST_F(RelayDrill, TableWalkUnderThirtyPercentLossCompletesOrEndsWithNoDuplicateRow)
{
    relay.setFaults({.dropShare = 0.3});
    useAgent(relay.port(), {}, 600);
    for (int round = 0; round < 3; ++round) {
        snmp::CCommonSnmp session;
        WalkCollector walk(session, kLinkColumns);
        walk.start();
        ASSERT_TRUE(walk.waitForEnd());
        EXPECT_TRUE(walk.endStatus() == snmp::kStatusNoAnswer || walk.endStatus() == snmp::kStatusEnded);
        EXPECT_EQ(walk.ends(), 1);
        if (walk.endStatus() == snmp::kStatusEnded) {
            EXPECT_EQ(walk.rows(), *s_cleanRows);
        }
        expectCleanSubsequence(walk.rows());
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
        snmp::CCommonSnmp session;
        WalkCollector collector(session, walked);
        collector.start(0, snmp::kPduGetBulk);
        EXPECT_TRUE(collector.waitForEnd());
        return std::pair(collector.rows(), relay.counts().requests - before);
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
        monitor::CPanelDeviceThread polling(&window.target);
        polling.startLinkWalk();
        ASSERT_TRUE(window.linkWalkEnded());
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
        window.closeSessions();
    }
}

TEST_F(RelayDrill, DuplicatedAndStaleAnswersAreDiscarded)
{
    relay.setFaults({.duplicateAnswers = true, .replayStaleAnswer = true});
    useAgent(relay.port());
    snmp::CCommonSnmp session;
    WalkCollector walk(session, kLinkColumns);
    walk.start();
    ASSERT_TRUE(walk.waitForEnd());
    EXPECT_EQ(walk.endStatus(), snmp::kStatusEnded);
    EXPECT_EQ(walk.rows(), *s_cleanRows);

    // Synchronous gets of different objects each get their own answer.
    for (const char* oid : {kSysName, kSysLocation, kSysName}) {
        ASSERT_TRUE(session.Open(snmp::kPduGet));
        session.addValue(oid, snmp::kTypeNull, nullptr);
        std::unique_ptr<snmp::CSnmpResponse> response;
        ASSERT_EQ(session.send(response), snmp::kStatusOk);
        std::string answered;
        ASSERT_TRUE(response->getOid(0, answered));
        EXPECT_EQ(answered, oid);
    }
    const RelayCounts counts = relay.counts();
    EXPECT_GT(counts.duplicated, 28);
    EXPECT_GT(counts.staleReplays, 28);
}

TEST_F(RelayDrill, AnswerArrivingAfterItsTimeOutIsIgnored)
{
    useAgent(relay.port(), {}, 500);
    snmp::CCommonSnmp session;
    ASSERT_TRUE(session.Open(snmp::kPduGet));
    session.addValue(kSysName, snmp::kTypeNull, nullptr);
    relay.setFaults({.answerDelay = std::chrono::milliseconds(1200)});
    std::unique_ptr<snmp::CSnmpResponse> response;
    EXPECT_EQ(session.send(response), snmp::kStatusNoAnswer);
    EXPECT_EQ(response, nullptr);

    // The late answers to sysName reach the session while it waits for this one.
    relay.setFaults({.answerDelay = std::chrono::milliseconds(900)});
    ASSERT_TRUE(session.Open(snmp::kPduGet));
    session.addValue(kSysLocation, snmp::kTypeNull, nullptr);
    ASSERT_EQ(session.send(response, 3000), snmp::kStatusOk);
    std::string answered;
    ASSERT_TRUE(response->getOid(0, answered));
    EXPECT_EQ(answered, kSysLocation);
    EXPECT_GE(relay.counts().answers, 2);
}

} // namespace
} // namespace drills
