// The parts of the switch that change by themselves: links, PoE power,
// file transfers and the reboot.
#include "platform/decimal_text.h"
#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

#include <ctime>

namespace sim {
namespace {

using namespace oids;

constexpr std::chrono::milliseconds kScenarioPeriod{4000};
const std::string kUnreachableServer{'\xc0', '\x00', '\x02', '\x63'}; // 192.0.2.99

std::uint32_t arc(int port) { return static_cast<std::uint32_t>(port); }

std::string decimal(double value)
{
    return platform::fixedDecimal(value, 1);
}

} // namespace

std::uint64_t SimulatedSwitch::uptimeTicks() const
{
    return static_cast<std::uint64_t>((now() - m_bootAt).count() / 10);
}

void SimulatedSwitch::syncPort(int port)
{
    const auto p = arc(port);
    PortLive& live = m_live[p - 1];
    const auto control = integerAt(joined(kPortEntry, {2, p}));
    const auto medium = integerAt(joined(kPortEntry, {7, p}));
    const bool enabled = control != 7;
    const bool up = enabled && live.link;
    const bool slowMedium = medium == 1 || medium == 3;

    std::uint64_t speed = slowMedium ? 100000000 : 1000000000;
    if (up) {
        switch (control) {
        case 1: speed = 1000000000; break;
        case 2: case 3: speed = 100000000; break;
        case 4: case 5: speed = 10000000; break;
        default: speed = std::min(live.negotiatedSpeed, speed); break;
        }
    }
    const bool half = control == 3 || control == 5;
    const std::int64_t mode = !up ? 1 : speed == 1000000000 ? 2 : speed == 100000000 ? (half ? 4 : 3) : (half ? 6 : 5);

    if (integerAt(joined(kIfEntry, {8, p})) != (up ? 1 : 2))
        live.lastChange = uptimeTicks();
    m_mib.assign(joined(kIfEntry, {5, p}), gaugeValue(speed));
    m_mib.assign(joined(kIfEntry, {7, p}), integerValue(enabled ? 1 : 2));
    m_mib.assign(joined(kIfEntry, {8, p}), integerValue(up ? 1 : 2));
    m_mib.assign(joined(kIfEntry, {9, p}), ticksValue(live.lastChange));
    m_mib.assign(joined(kPortEntry, {3, p}), integerValue(mode));
    m_mib.assign(joined(kPortEntry, {6, p}), integerValue(up && integerAt(joined(kPortEntry, {5, p})) == 1 ? 1 : 2));
    syncStpPort(port);
}

void SimulatedSwitch::syncStpPort(int port)
{
    const auto p = arc(port);
    const bool up = integerAt(joined(kIfEntry, {8, p})) == 1;
    const bool stpOn = integerAt(joined(kStpState, {0})) == 1;
    const bool portOn = integerAt(joined(kDot1dStpPortEntry, {4, p})) == 1;
    m_mib.assign(joined(kDot1dStpPortEntry, {3, p}), integerValue(!up ? 1 : (!stpOn || portOn) ? 5 : 1));
    const auto configured = integerAt(joined(kStpPortEntry, {5, p}));
    const auto speed = integerAt(joined(kIfEntry, {5, p}));
    const std::int64_t automatic = speed >= 1000000000 ? 20000 : speed >= 100000000 ? 200000 : 2000000;
    m_mib.assign(joined(kDot1dStpPortEntry, {5, p}), integerValue(configured ? configured : automatic));
}

void SimulatedSwitch::syncDot1x()
{
    const bool enabled = integerAt(joined(kDot1x, {1, 0})) == 1;
    for (int port = 1; port <= m_model.portCount; ++port) {
        const auto control = integerAt(joined(kDot1xPortEntry, {2, arc(port)}));
        m_mib.assign(joined(kDot1xPortEntry, {3, arc(port)}), integerValue(enabled && control != 3 ? 2 : 1));
    }
}

double SimulatedSwitch::poePortWatts(int port) const
{
    const PortSeed& seed = m_model.ports[arc(port) - 1];
    return seed.poweredDevice && m_live[arc(port) - 1].link ? seed.poeWatts : 0.0;
}

std::string SimulatedSwitch::poeStatusText(int port) const
{
    const auto p = arc(port);
    if (integerAt(joined(kPoePortEntry, {3, 1, p})) != 1)
        return "POWER OFF";
    if (const auto range = static_cast<std::uint32_t>(integerAt(joined(kPoePortEntry, {4, 1, p})));
        range && timeRangeActive(range)) {
        const std::time_t wall = std::time(nullptr);
        std::tm local{};
        localtime_r(&wall, &local);
        const auto column = [&](std::uint32_t c) { return integerAt(joined(kPoeTimeRangeEntry, {c, range})); };
        const int weekdayColumn = 14 + (local.tm_wday + 6) % 7; // Monday first
        const std::int64_t minute = local.tm_hour * 100 + local.tm_min;
        const std::int64_t today = (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
        const bool datesOk = column(3) != 1 || (today >= column(4) * 10000 + column(5) * 100 + column(6) &&
                                                today <= column(9) * 10000 + column(10) * 100 + column(11));
        const bool on = datesOk && column(static_cast<std::uint32_t>(weekdayColumn)) == 1 &&
                        minute >= column(7) * 100 + column(8) && minute < column(12) * 100 + column(13);
        if (!on)
            return "Time-based OFF";
    }
    const double watts = poePortWatts(port);
    if (watts <= 0)
        return "POWER OFF";
    static const double classLimits[] = {0, 4.0, 7.0, 15.4, 30.0};
    const auto limitClass = integerAt(joined(kPoePortEntry, {6, 1, p}));
    double limit = m_model.ports[p - 1].poeMaxWatts;
    if (integerAt(joined(kPoePortEntry, {7, 1, p})) == 1)
        limit = platform::leadingDecimal(octetsAt(joined(kPoePortEntry, {8, 1, p})));
    else if (limitClass >= 2 && limitClass <= 5)
        limit = std::min(limit, classLimits[limitClass - 1]);
    return watts > limit ? "OVER LOAD" : "POWER ON";
}

void SimulatedSwitch::syncPoe()
{
    if (!m_model.poe)
        return;
    double used = 0;
    for (int port = 1; port <= m_model.portCount; ++port) {
        const auto p = arc(port);
        if (!m_model.ports[p - 1].poe)
            continue;
        const std::string status = poeStatusText(port);
        const bool on = status == "POWER ON";
        const double watts = on ? poePortWatts(port) : 0.0;
        used += watts;
        const int deviceClass = m_model.ports[p - 1].poeClass;
        m_mib.assign(joined(kPoePortEntry, {9, 1, p}), octetValue(decimal(watts)));
        m_mib.assign(joined(kPoePortEntry, {10, 1, p}), octetValue(on ? "53.5" : "0.0"));
        m_mib.assign(joined(kPoePortEntry, {11, 1, p}), octetValue(std::to_string(static_cast<int>(watts / 53.5 * 1000))));
        m_mib.assign(joined(kPoePortEntry, {12, 1, p}),
                     octetValue(poePortWatts(port) > 0 ? "Class " + std::to_string(deviceClass) : "N/A"));
        m_mib.assign(joined(kPoePortEntry, {13, 1, p}), octetValue(status));
    }
    m_mib.assign(joined(kPoeRemainingPower, {0}), octetValue(decimal(m_model.poeBudgetWatts - used)));
}

void SimulatedSwitch::runScenario()
{
    if (!m_settings.scenario || m_model.scenarioPorts.empty())
        return;
    const auto due = static_cast<std::uint64_t>((now() - m_bootAt) / kScenarioPeriod);
    while (m_scenarioSteps < due)
        scenarioStep(m_scenarioSteps++);
}

// Each step changes one of the model's scenario ports: down, up again, to
// the other speed, back to its own speed.
void SimulatedSwitch::scenarioStep(std::uint64_t step)
{
    const auto& ports = m_model.scenarioPorts;
    const int port = ports[step % ports.size()];
    const PortSeed& seed = m_model.ports[arc(port) - 1];
    PortLive& live = m_live[arc(port) - 1];
    switch ((step / ports.size()) % 4) {
    case 0: live.link = !seed.link; break;
    case 1: live.link = seed.link; break;
    case 2:
        if (seed.medium == 2)
            live.negotiatedSpeed = seed.speed == 1000000000 ? 100000000 : 1000000000;
        break;
    default: live.negotiatedSpeed = seed.speed; break;
    }
    const bool wasUp = integerAt(joined(kIfEntry, {8, arc(port)})) == 1;
    syncPort(port);
    const bool isUp = integerAt(joined(kIfEntry, {8, arc(port)})) == 1;
    if (wasUp != isUp) {
        ++m_topologyChanges;
        m_lastTopologyChange = uptimeTicks();
        if (isUp) {
            const snmp::Oid transitions = joined(kDot1dStpPortEntry, {10, arc(port)});
            m_mib.assign(transitions, counterValue(static_cast<std::uint64_t>(integerAt(transitions)) + 1));
        }
    }
    syncPoe();
}

void SimulatedSwitch::startTransfer(Transfer& transfer)
{
    transfer.startedAt = now();
    syncTransfer(transfer);
}

// Status 4 (queued), then 3 (running), then 0 (done) or 2 (failed).
void SimulatedSwitch::syncTransfer(const Transfer& transfer)
{
    if (!transfer.startedAt)
        return;
    const snmp::Oid status = joined(transfer.base, {transfer.first + 3, 0});
    const auto elapsed = now() - *transfer.startedAt;
    const bool unreachable = octetsAt(joined(transfer.base, {transfer.first, 0})) == kUnreachableServer;
    const bool failing = octetsAt(joined(transfer.base, {transfer.first + 1, 0})).find("fail") != std::string::npos;
    std::int64_t value = 0;
    if (unreachable || elapsed < m_settings.transferQueued)
        value = 4;
    else if (elapsed < m_settings.transferQueued + m_settings.transferRunning)
        value = 3;
    else
        value = failing ? 2 : 0;
    m_mib.assign(status, integerValue(value));
}

void SimulatedSwitch::startReboot()
{
    m_mib.assign(joined(kReboot, {0}), integerValue(0));
    m_rebootUntil = now() + m_settings.rebootTime;
}

void SimulatedSwitch::finishReboot()
{
    m_rebootUntil.reset();
    m_mib = m_saved;
    m_bootAt = now();
    m_scenarioSteps = 0;
    m_topologyChanges = 0;
    m_lastTopologyChange = 0;
    m_firmware.startedAt.reset();
    m_config.startedAt.reset();
    m_mib.assign(joined(kTransfer, {4, 0}), integerValue(0));
    m_mib.assign(joined(kTransfer, {8, 0}), integerValue(0));
    for (std::size_t i = 0; i < m_live.size(); ++i) {
        m_live[i] = PortLive{m_model.ports[i].link, m_model.ports[i].speed, 0};
        syncPort(static_cast<int>(i + 1));
    }
    syncPoe();
    syncDot1x();
}

} // namespace sim
