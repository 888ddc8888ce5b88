// An agent that answers what no well-behaved agent would: the relay rewrites
// the simulated switch's version-1 answers on their way to the session.
#include "drill_support.h"
#include "task_queue.h"

#include "dialogs/dialog_session.h"
#include "dialogs/mib/table_view_rules.h"
#include "snmp/encodings.h"

namespace drills {
namespace {

// The egress port set of the switch's VLAN table.
constexpr const char* kVlanEgressPorts = "1.3.6.1.4.1.32473.10.75.7.7.6.1.2";

class MisbehavingAgentDrill : public RelayedSwitch<> {};

TEST_F(MisbehavingAgentDrill, PortBitmapsOfNoneAndOfAHundredOctetsStayWithinThePorts)
{
    for (const std::size_t length : {std::size_t{0}, std::size_t{100}}) {
        SCOPED_TRACE(length);
        relay.setFaults({.rewrite = [length](const snmp::Pdu&, snmp::Pdu& answer) {
            for (snmp::VarBind& binding : answer.bindings)
                if (within(binding.oid, kVlanEgressPorts))
                    binding.value = textValue(std::string(length, '\xff'));
        }});
        const Walked walk = walkOnce({kVlanEgressPorts});
        EXPECT_EQ(walk.endStatus, snmp::kStatusEnded);
        ASSERT_FALSE(walk.rows.empty());
        for (const WalkRow& row : walk.rows) {
            ASSERT_EQ(row.values.front().size(), length);
            const snmp::PortList ports = snmp::bitmapToPortList(row.values.front(), 28);
            EXPECT_EQ(ports.count, length == 0 ? 0 : 32);
        }
    }
}

// Polling answers turned odd: indexes past the ports and 0, octet strings
// where integers belong, a speed of 10,000 characters.
TEST_F(MisbehavingAgentDrill, PollingOfGarbledLinkRowsStaysOnThePanel)
{
    relay.setFaults({.rewrite = [](const snmp::Pdu&, snmp::Pdu& answer) {
        for (snmp::VarBind& binding : answer.bindings) {
            if (within(binding.oid, kLinkColumns[1]))
                binding.value = textValue(std::string(10000, '9'));
            else if (within(binding.oid, kLinkColumns[2]))
                binding.value = textValue("up");
            else if (within(binding.oid, kLinkColumns[4]))
                binding.value = textValue("\x03");
        }
    }});
    PollingWindow window;
    ASSERT_TRUE(window.cycle());
    const auto changes = window.panel.changes();
    ASSERT_EQ(changes.size(), 1u);
    for (const monitor::ElementStatus& change : changes.front()) {
        EXPECT_GE(change.element, 0);
        EXPECT_LT(change.element, 28 + 4);
        // "up" is no admin status 1: every port shows disabled.
        if (change.element < 28) {
            EXPECT_EQ(change.status, monitor::kPortDisabled);
        }
    }
    EXPECT_EQ(relay.counts().setRequests, 0);
}

TEST_F(MisbehavingAgentDrill, InterfaceRowsWithAnIndexThatIsNoNumberAndHugeTextsDecode)
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
    TaskQueue tasks;
    std::vector<std::vector<std::string>> texts;
    bool ended = false;
    {
        dialogs::CDialogSession session("m_cCommonSNMP");
        session.startWalk(view.walk, tasks.poster(),
                          {[&](const dialogs::WalkRow& row) { texts.push_back(view.rowTexts(row)); },
                           [&] { ended = true; }});
        tasks.runUntil([&ended] { return ended; });
        session.close();
    }
    ASSERT_TRUE(ended);
    ASSERT_GE(texts.size(), 28u);
    for (const auto& row : texts) {
        ASSERT_EQ(row.size(), 3u);
        EXPECT_EQ(row[0], "port-x");
        EXPECT_EQ(row[1], "Unknown");
        EXPECT_EQ(row[2], "0M");
    }
}

} // namespace
} // namespace drills
