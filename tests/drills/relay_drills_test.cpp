// Lossy, duplicating, replaying, slow and rewriting links between the
// session and the real snmpd serving the simulated switch.
#include "drill_support.h"

#include "dialogs/mib/table_view_rules.h"

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
    EXPECT_GT(relay.counts().dropped, 0);
}

TEST_F(RelayDrill, DuplicatedAndStaleAnswersAreDiscarded)
{
    const std::vector<WalkRow> clean = walkOnce(kLinkColumns).rows;
    ASSERT_GE(clean.size(), 28u);
    relay.setFaults({.duplicateAnswers = true, .replayStaleAnswer = true});
    const Walked walk = walkOnce(kLinkColumns);
    EXPECT_EQ(walk.endStatus, snmp::kStatusEnded);
    EXPECT_EQ(walk.rows, clean);

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

    // The late answers to sysName reach the session while it waits for this one.
    relay.setFaults({.answerDelay = std::chrono::milliseconds(900)});
    const Got got = getOne(session, kSysLocation, 3000);
    EXPECT_EQ(std::pair(got.status, got.oid), (std::pair<int, std::string>(snmp::kStatusOk, kSysLocation)));
    EXPECT_GE(relay.counts().answers, 2);
}

// An agent answering what no well-behaved agent would.
TEST_F(RelayDrill, InterfaceRowsWithAnIndexThatIsNoNumberAndHugeTextsDecode)
{
    relay.setFaults({.rewrite = [](const snmp::Pdu&, snmp::Pdu& answer) {
        for (snmp::VarBind& binding : answer.bindings) {
            if (within(binding.oid, "1.3.6.1.2.1.2.2.1.1"))
                binding.value = textValue("port-x");
            else if (within(binding.oid, "1.3.6.1.2.1.2.2.1.5"))
                binding.value = textValue(std::string(10000, 'z'));
            else
                binding.value = textValue(std::string(10000, '1'));
        }
    }});
    const dialogs::mib::TableView view = dialogs::mib::interfaceTableView();
    const Walked walk = walkOnce(view.walk.oids);
    EXPECT_EQ(walk.endStatus, snmp::kStatusEnded);
    std::vector<std::vector<std::string>> texts;
    for (const WalkRow& row : walk.rows)
        texts.push_back(view.rowTexts({row.values, row.suffix}));
    ASSERT_GE(texts.size(), 28u);
    for (const auto& row : texts)
        EXPECT_EQ(row, (std::vector<std::string>{"port-x", "Unknown", "0M"}));
}

} // namespace
} // namespace drills
