#include "../sim/switch_fixture.h"
#include "../snmp/session_parameters_for.h"
#include "parameters_scope.h"
#include "polling_rig.h"

#include "sim/in_process_transport.h"
#include "sim/loopback_probe.h"
#include "sim/switch_agent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace std::chrono_literals;
using monitor::kPortDisabled;
using monitor::kPortFullSpeed;
using monitor::kPortNoLink;

namespace {

// The simulated switch in-process, its scenario driven by the test's clock.
struct InProcessSwitch {
    explicit InProcessSwitch(const std::string& name)
        : transport(std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(loadedModel(name), {}, [this] { return std::chrono::milliseconds(clock.load()); })))
    {
    }
    std::function<std::unique_ptr<snmp::CCommonSnmp>()> sessions() { return [this] { return std::make_unique<snmp::CCommonSnmp>(transport); }; }
    void setFanFault(bool fault) { transport->withSwitch([fault](sim::SimulatedSwitch& s) { s.setFanFault(fault); }); }
    std::atomic<long long> clock{0};
    std::shared_ptr<sim::InProcessTransport> transport;
};

constexpr monitor::DeviceTraits k7720{28, true};

} // namespace

TEST(PanelPolling, NothingWhileADialogIsOpenThenTheIndicatorFollowsAPortThatGoesDownAndUpAndTheFanIsReadEachCycle)
{
    ParametersScope parameters(sessionParametersFor(161, kVersion1));
    InProcessSwitch device("QMX-7720-ZA");
    PollingRig rig(device.sessions(), k7720, false, true);
    device.setFanFault(true);
    rig.state.dialogOpen = true;
    rig.start(); // cycles of 0.55 s
    std::this_thread::sleep_for(1200ms);
    EXPECT_EQ(std::pair(device.transport->requests().size(), rig.sink.updates()), std::pair(std::size_t{0}, std::size_t{0}));
    rig.state.dialogOpen = false;

    // Port 3 is up at gigabit; the fibre port 26 shows on element 29. The
    // shared state is published before the window hears of the walk's end.
    ASSERT_TRUE(rig.sink.waitFor([&] { return rig.sink.blinks() > 0 && rig.state.fanState == '2'; }));
    EXPECT_EQ((std::vector<int>{rig.sink.lastStatusOf(2), rig.sink.lastStatusOf(29), rig.sink.lastStatusOf(25)}),
              (std::vector<int>{kPortFullSpeed, kPortFullSpeed, kPortNoLink}));
    // Port 29 is beyond the ports: never written.
    EXPECT_EQ((std::vector<int>{rig.state.portStates[2], rig.state.portStates[25], rig.state.mediumTypes[25], rig.state.portStates[28]}),
              (std::vector<int>{kPortFullSpeed, kPortFullSpeed, 4, kPortNoLink}));
    EXPECT_EQ(rig.sink.lastRepaint(), monitor::PanelSink::Repaint::Window);

    // The switch's first scenario step takes port 3 down; four steps later it is back.
    for (const auto& [clock, status] : {std::pair{4000, kPortNoLink}, {20000, kPortFullSpeed}}) {
        device.clock = clock;
        ASSERT_TRUE(rig.sink.waitFor([&] { return rig.sink.lastStatusOf(2) == status; })) << clock;
        EXPECT_EQ(rig.state.portStates[2].load(), status);
    }
    device.setFanFault(false);
    EXPECT_TRUE(rig.sink.waitFor([&] { return rig.state.fanState == '1'; }));
}

TEST(PanelPolling, PoeModelInPoeLedModeWalksThePoeStatus)
{
    ParametersScope parameters(sessionParametersFor(161, kVersion1));
    InProcessSwitch device("QMX-7740-ZP");
    PollingRig rig(device.sessions(), k7720, true, true);
    std::unique_ptr<snmp::CCommonSnmp> set = device.sessions()();
    set->Open(snmp::kPduSet);
    set->addValue("1.3.6.1.4.1.32473.10.75.6.22.8.0", snmp::kTypeInteger, "2");
    std::unique_ptr<snmp::CSnmpResponse> response;
    ASSERT_EQ(set->send(response), snmp::kStatusOk);
    rig.start();

    ASSERT_TRUE(rig.sink.waitFor([&] { return rig.sink.updates() > 0; }));
    EXPECT_EQ(std::tuple(rig.state.ledMode.load(), rig.sink.lastRepaint(), rig.state.mediumTypes[0].load(), rig.sink.lastStatusOf(24)),
              std::tuple(0, monitor::PanelSink::Repaint::EachPort, 2, int(kPortDisabled))); // no PoE on the ports past 24
    // The walk's end frees the next cycle to read and walk again.
    EXPECT_TRUE(rig.sink.waitFor([&] { return rig.sink.updates() > 1; }));
    const std::vector<snmp::Pdu> requests = device.transport->requests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(), [](const snmp::Pdu& request) {
        return !request.bindings.empty() && snmp::oidToText(request.bindings[0].oid).starts_with("1.3.6.1.4.1.32473.10.75.6.22.1.1.13");
    }));
}

TEST(PanelPolling, ReadsThePortsOfAVersion3AgentOnTheIpv6Loopback)
{
    if (sim::freeLoopbackPort("::1") == 0)
        GTEST_SKIP() << "no IPv6 loopback";
    std::string error;
    const auto agent = sim::startSwitchAgent({.listenAddress = "::1", .requestLog = {}, .scenario = false, .modelDirectory = {}}, &error);
    ASSERT_NE(agent, nullptr) << error;
    snmp::SessionParameters parameters = sessionParametersFor(agent->port(), AgentUser{"simsha256", "3", "5", "4"});
    parameters.agentAddress = "::1";
    ParametersScope scope(parameters);
    PollingRig rig([] { return std::make_unique<snmp::CCommonSnmp>(); }, k7720, false, false);
    rig.start(200ms); // a walk over UDP must fit in one cycle
    ASSERT_TRUE(rig.sink.waitFor([&] { return rig.sink.updates() > 0; }));
    // 100 Mbit/s on an all-gigabit model is the lower speed.
    EXPECT_EQ((std::vector<int>{rig.state.portStates[0], rig.state.portStates[5], rig.state.portStates[6]}),
              (std::vector<int>{kPortFullSpeed, monitor::kPortLowerSpeed, kPortNoLink}));
}
