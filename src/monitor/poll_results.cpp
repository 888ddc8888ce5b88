#include "monitor/poll_results.h"

#include "platform/debug_output.h"
#include "platform/decimal_text.h"

#include <charconv>
#include <cstdlib>

namespace monitor {
namespace {

constexpr int kCombinationPorts = 4; // the last four ports have a fibre position
constexpr const char* kGigabit = "1000000000";
constexpr const char* kFastEthernet = "100000000";

bool validPort(int port, const DeviceTraits& device)
{
    // Ports past the table would write outside it; the agent decides the index.
    return port >= 1 && port <= device.portCount && port <= kMaxPorts;
}

void clearStates(PortTable& ports)
{
    ports.states.fill(kPortNoLink);
}

} // namespace

PortTable snapshot(const PanelState& state)
{
    PortTable ports;
    for (int i = 0; i < kMaxPorts; ++i) {
        ports.states[i] = state.portStates[i].load(std::memory_order_relaxed);
        ports.mediumTypes[i] = state.mediumTypes[i].load(std::memory_order_relaxed);
    }
    return ports;
}

void publish(const PortTable& ports, PanelState& state)
{
    for (int i = 0; i < kMaxPorts; ++i) {
        state.portStates[i].store(ports.states[i], std::memory_order_relaxed);
        state.mediumTypes[i].store(ports.mediumTypes[i], std::memory_order_relaxed);
    }
}

void resetPortStates(PanelState& state)
{
    for (auto& portState : state.portStates)
        portState.store(kPortNoLink, std::memory_order_relaxed);
}

int linkPortState(const LinkRow& row, const DeviceTraits& device)
{
    if (row.adminStatus != "1")
        return kPortDisabled;
    if (row.operStatus != "1")
        return kPortNoLink;
    const bool gigabitPort = device.allGigabit || row.interfaceIndex > device.portCount - kCombinationPorts;
    return row.speed == (gigabitPort ? kGigabit : kFastEthernet) ? kPortFullSpeed : kPortLowerSpeed;
}

int poePortState(const std::string& statusText)
{
    if (statusText == "POWER ON")
        return kPortFullSpeed;
    if (statusText == "POWER OFF" || statusText == "Time-based OFF")
        return kPortDisabled;
    return kPortLowerSpeed;
}

int portElement(int port, int mediumType, const DeviceTraits& device)
{
    const bool fibre = mediumType == 3 || mediumType == 4;
    return fibre && port > device.portCount - kCombinationPorts ? port + 3 : port - 1;
}

PanelUpdate applyLinkResults(const std::vector<LinkRow>& rows, const DeviceTraits& device, const PortTable& before)
{
    const int portCount = device.portCount;
    PanelUpdate update{before, {}};
    clearStates(update.ports);
    for (const LinkRow& row : rows) {
        const int port = row.interfaceIndex;
        if (!validPort(port, device))
            continue;
        const int state = linkPortState(row, device);
        const int medium = std::atoi(row.mediumType.c_str());
        if (port == 1) {
            // The first two fibre positions start from scratch on every walk.
            update.elements.push_back({portCount, kPortNoLink});
            update.elements.push_back({portCount + 1, kPortNoLink});
        }
        const int element = portElement(port, medium, device);
        update.elements.push_back({element, state});
        if (element != port - 1)
            update.elements.push_back({port - 1, kPortNoLink});
        update.ports.states[port - 1] = static_cast<std::uint8_t>(state);
        update.ports.mediumTypes[port - 1] = medium;
    }
    return update;
}

PanelUpdate applyPoeResults(const std::vector<PoeRow>& rows, const DeviceTraits& device, const PortTable& before)
{
    constexpr int kFirstPortWithoutPoe = 24;
    constexpr int kPoeMedium = 2;
    PanelUpdate update{before, {}};
    clearStates(update.ports);
    for (const PoeRow& row : rows) {
        platform::debugOutput("YYYYYYYYYYYYYYYYYYYYYYYYYY");
        platform::debugOutput(row.statusText);
        const int state = poePortState(row.statusText);
        const int port = row.portIndex;
        if (!validPort(port, device))
            continue;
        if (port == 1)
            for (int element = kFirstPortWithoutPoe; element <= device.portCount + 1; ++element)
                update.elements.push_back({element, kPortDisabled});
        update.elements.push_back({port - 1, state});
        update.ports.states[port - 1] = static_cast<std::uint8_t>(state);
        update.ports.mediumTypes[port - 1] = kPoeMedium;
        platform::debugOutput("m_uPortStatus = " + std::to_string(state));
    }
    return update;
}

int firstSuffixComponent(const std::string& suffix)
{
    std::size_t begin = suffix.starts_with('.') ? 1 : 0;
    int value = 0;
    const char* first = suffix.data() + begin;
    const char* last = suffix.data() + suffix.size();
    auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || (end != last && *end != '.'))
        return 0;
    return value;
}

bool powerBudgetNearlyExhausted(const std::string& value)
{
    return platform::leadingDecimal(value) <= 7.0;
}

} // namespace monitor
