#include "harness.h"

#include "monitor/panel_device_thread.h"
#include "snmp/common_snmp.h"

#include <thread>

namespace fuzz {
namespace {

// Every element the polling names exists on the panel: the ports, then the
// fibre positions of the combination ports.
struct CheckingSink final : monitor::PanelSink {
    explicit CheckingSink(int ports) : portCount(ports) {}

    void portElementsChanged(std::vector<monitor::ElementStatus> changes, Repaint) override
    {
        for (const monitor::ElementStatus& change : changes)
            require(change.element >= 0 && change.element < portCount + 4 && change.status >= 0
                        && change.status <= monitor::kPortNoLink, "a port status of an element on the panel");
    }
    void portElementsLost() override {}
    void blinkTimerWanted() override {}

    const int portCount;
};

// The walk has ended and left states the window can draw.
void requireWalkEnded(snmp::CCommonSnmp& session, const monitor::PanelState& state)
{
    // Every answer is immediate: pending after 20 s is a hang.
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!session.IsGetDone()) {
        require(std::chrono::steady_clock::now() < limit, "the walk ends");
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    for (const auto& portState : state.portStates)
        require(portState.load() <= monitor::kPortNoLink, "a port state the window can draw");
}

} // namespace

// A polling cycle whose four sessions are answered by the fuzz input.
int poll_results(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    useLoopbackAgent();
    monitor::DeviceTraits device;
    device.portCount = static_cast<int>(in.upTo(99)) + 1;
    device.allGigabit = in.flag();
    const bool poeModel = in.flag();
    const bool hasFan = in.flag();

    monitor::PanelState state;
    CheckingSink sink(device.portCount);
    auto transport = std::make_shared<AnswerTransport>(in);
    snmp::CCommonSnmp fan(transport), poe(transport), devStat(transport), poeStat(transport);
    monitor::PollingTarget window{state, fan, poe, devStat, poeStat, sink, poeModel, "1", device, hasFan};
    monitor::PollTimings timings;
    timings.beforeWalk = std::chrono::milliseconds(0);
    {
        monitor::CPanelDeviceThread polling(&window, timings);
        for (int cycle = 0; cycle < 3 && !in.empty(); ++cycle) {
            if (hasFan)
                polling.readFanState();
            if (poeModel)
                polling.readLedModeAndPower();
            else
                polling.startLinkWalk();
            requireWalkEnded(devStat, state);
            requireWalkEnded(poeStat, state);
            if (in.flag()) {
                polling.startPoeWalk();
                requireWalkEnded(poeStat, state);
            }
        }
        // The window's order: sessions closed before the polling object goes.
        for (snmp::CCommonSnmp* session : {&fan, &poe, &devStat, &poeStat})
            session->Close();
    }
    require(state.fanState.load() == '1' || state.fanState.load() == '2', "a fan state");
    return 0;
}

} // namespace fuzz
