// The path from this computer to the simulated switch, read over UDP on
// loopback, where the next hop's MAC is all zeros.
#include "../snmp/silent_agent.h"
#include "app/command_line.h"
#include "app/management_path_reader.h"
#include "parameters_scope.h"
#include "qt_wait.h"
#include "sim/switch_agent.h"
#include "snmp/snmp_layer.h"

#include <QTimer>

#include <optional>
#include <regex>

#include <gtest/gtest.h>

namespace {

using Path = std::tuple<bool, int, int, int, bool, std::string, std::string>;

Path fields(const commands::ManagementPath& p) { return {p.known, p.port, p.vlan, p.pvid, p.untagged, p.mac, p.unknownWhy}; }

sim::SwitchAgentOptions agentWith(sim::ManagerEntry manager, sim::SwitchFaults faults = {})
{
    sim::SwitchAgentOptions options;
    options.scenario = false;
    options.manager = std::move(manager);
    options.faults = std::move(faults);
    return options;
}

} // namespace

TEST(ManagementPathReader, FindsTheManagersPortAndVlanOrSaysWhyNot)
{
    ASSERT_TRUE(snmp::snmpLayerInit());
    const std::string zeros = "00-00-00-00-00-00";
    const std::string v1 = "/Xc/I127.0.0.1/Rqevtal/Wmorvint/Vtrue/S1/P";
    const std::string v3 = "/Xc/I127.0.0.1/Rqevtal/Wmorvint/Vtrue/S3/P@/a/b/c1/L3/Usimshaaes/Aauthpass123/Bprivpass123/H3/E4";
    sim::SwitchFaults port5Tagged; // VLAN 1's untagged list without port 5
    ASSERT_TRUE(sim::addFault("--answer", "1.3.6.1.4.1.32473.10.75.7.7.6.1.4.1=0xF7FFFFF0", port5Tagged));
    const struct {
        const char* name;
        std::string line; // "@" stands for the agent's port
        std::optional<sim::SwitchAgentOptions> agent; // none: a port that answers nothing
        Path expected;
    } rows[] = {
        {"manager on port 5", v1 + "@", agentWith({5}),
         {true, 5, 1, 1, true, zeros, ""}},
        {"port 5 tagged in VLAN 1, version 3", v3,
         agentWith({5}, port5Tagged), {true, 5, 1, 1, false, zeros, ""}},
        {"another MAC learnt on port 5", v1 + "@",
         agentWith({5, std::string("\x02\0\0\0\0\x01", 6)}),
         {false, 0, 0, 0, true, zeros, "no forwarding entry for " + zeros}},
        {"no manager entry", v1 + "@", agentWith({}), {false, 0, 0, 0, true, zeros, "no forwarding entry for " + zeros}},
        {"silent switch", v1 + "@", std::nullopt, {false, 0, 0, 0, true, zeros, "the switch did not answer"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::unique_ptr<sim::SnmpdProcess> agent;
        SilentAgent silent;
        std::string error;
        if (row.agent) {
            agent = sim::startSwitchAgent(*row.agent, &error);
            ASSERT_TRUE(agent) << error;
        }
        const int port = agent ? agent->port() : silent.port();
        snmp::SessionParameters parameters = app::parseCommandLine(std::regex_replace(row.line, std::regex("@"), std::to_string(port)));
        parameters.requestTimeout = "700";
        ParametersScope scope(parameters);
        app::ManagementPathReader reader(nullptr, 28);

        // Asked and answered on this thread, later: it keeps running meanwhile.
        int ticks = 0, ticksAtAnswer = -1;
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
        timer.start(10);
        std::optional<commands::ManagementPath> answered;
        reader.read([&](const commands::ManagementPath& path) {
            answered = path;
            ticksAtAnswer = ticks;
        });
        EXPECT_FALSE(answered);
        ASSERT_TRUE(waitUntil([&] { return answered.has_value(); }, 10000));
        EXPECT_EQ(fields(*answered), row.expected);
        EXPECT_EQ(fields(reader.last()), row.expected);
        if (!row.agent) {
            EXPECT_GE(ticksAtAnswer, 20); // the time-out passed with the UI thread turning
        }
    }
}
