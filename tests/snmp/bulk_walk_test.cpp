#include "session_parameters_for.h"
#include "udp_relay.h"
#include "walk_recorder.h"

#include "sim/switch_agent.h"
#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"

#include <gtest/gtest.h>

using namespace snmp;
using namespace std::chrono_literals;

namespace {

using Rows = std::vector<WalkRecorder::Row>;

// The simulated switch behind snmpd over UDP: bulk walks against get-next
// walks of the same tables.
class BulkWalk : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        sim::SwitchAgentOptions options;
        options.fdbEntries = 130; // not a multiple of any repetition count
        options.scenario = false;
        agent = sim::startSwitchAgent(options, &error);
        ASSERT_NE(agent, nullptr) << error;
        ASSERT_TRUE(snmpLayerInit());
    }
    static void TearDownTestSuite() { agent.reset(); }
    void SetUp() override { ASSERT_NE(agent, nullptr); }

    // The rows of one walk through a relay, and how many requests it took.
    static std::pair<Rows, int> walk(const char* version, bool bulkReads, const std::vector<std::string>& columns)
    {
        drills::UdpRelay relay(agent->port());
        EXPECT_TRUE(relay.ready());
        SessionParameters parameters = sessionParametersFor(relay.port(), *version == '3' ? kAgentUsers[5] : kVersion1);
        parameters.version = version;
        parameters.bulkReads = bulkReads;
        setSessionParameters(parameters);
        CCommonSnmp session;
        WalkRecorder recorder(session);
        EXPECT_TRUE(session.Open(kPduGetBulk));
        for (const std::string& column : columns)
            EXPECT_EQ(session.addValue(column, kTypeNull, nullptr), 0);
        recorder.start();
        EXPECT_TRUE(recorder.ended.waitFor(60s));
        session.Close();
        EXPECT_EQ(recorder.endStatus, kStatusEnded);
        EXPECT_EQ(recorder.staleResults, 0);
        return {recorder.rowsSoFar(), relay.counts().requests};
    }

    static inline std::unique_ptr<sim::SnmpdProcess> agent;
};

TEST_F(BulkWalk, GivesTheRowsOfTheGetNextWalkInOrderAndEndsWhereItEnds)
{
    const std::string fdb = "1.3.6.1.2.1.17.7.1.2.2.1.";
    const std::string ifEntry = "1.3.6.1.2.1.2.2.1.";
    const std::pair<const char*, std::vector<std::string>> tables[] = {
        {"forwarding table", {fdb + "3", fdb + "2"}},
        // 6 columns x 25 repetitions: snmpd cuts its answer at 100 bindings, inside a row.
        {"six interface columns",
         {ifEntry + "1", ifEntry + "2", ifEntry + "3", ifEntry + "4", ifEntry + "5", ifEntry + "8"}},
        {"a column with no rows", {fdb + "4"}},
    };
    for (const auto& [name, columns] : tables) {
        const auto [expected, getNextRequests] = walk("1", true, columns);
        EXPECT_EQ(expected.empty(), columns.size() == 1) << name;
        if (columns.size() == 2) // 130 learnt entries and the switch's own address
            EXPECT_EQ(expected.size(), 131u * 2) << name;
        for (const char* version : {"2c", "3"}) {
            const auto [rows, requests] = walk(version, true, columns);
            EXPECT_EQ(rows, expected) << name << " under version " << version;
            // Version 3 adds its engine discovery.
            EXPECT_LE(requests, 1 + static_cast<int>(rows.size() / columns.size()) / 12 + (*version == '3') * 2)
                << name << " under version " << version;
            // Without bulk reads asked for: one get-next per row, as version 1.
            EXPECT_GE(walk(version, false, columns).second, getNextRequests) << name;
        }
    }
}

} // namespace
