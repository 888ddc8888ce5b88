#include "monitor/panel_device_thread.h"

#include "platform/debug_output.h"
#include "snmp/common_snmp.h"

#include <utility>

namespace monitor {
namespace {

constexpr const char* kFanStatusOid = "1.3.6.1.4.1.32473.10.75.6.1.15.1.0";
constexpr const char* kLedModeOid = "1.3.6.1.4.1.32473.10.75.6.22.8.0";
constexpr const char* kPowerBudgetOid = "1.3.6.1.4.1.32473.10.75.6.22.6.0";
constexpr const char* kLinkColumns[] = {
    "1.3.6.1.2.1.2.2.1.3",                 // ifType: its index is the port
    "1.3.6.1.2.1.2.2.1.5",                 // ifSpeed
    "1.3.6.1.2.1.2.2.1.7",                 // ifAdminStatus
    "1.3.6.1.2.1.2.2.1.8",                 // ifOperStatus
    "1.3.6.1.4.1.32473.10.75.7.1.13.1.7",  // port medium type
};
constexpr const char* kPoeStatusColumn = "1.3.6.1.4.1.32473.10.75.6.22.1.1.13";
constexpr const char* kForeignSubtree = "1.3.6.1.4.1.32473.7777.1.";

constexpr int kFanSendTimeoutMs = 500;
constexpr int kLedSendTimeoutMs = 500;
constexpr unsigned long kLinkStepTimeoutMs = 500;
constexpr unsigned long kPoeStepTimeoutMs = 1000;
constexpr int kMaxPoeSkips = 3;
constexpr int kPausesPerCycle = 10;
constexpr int kPausesAfterSkip = 2;

} // namespace

PollTimings PollTimings::forVersion(const std::string& version)
{
    PollTimings timings;
    // Version 2c polls at the pace of version 1.
    timings.unit = std::chrono::milliseconds(version == "1" || version == "2c" ? 500 : 1000);
    return timings;
}

CPanelDeviceThread::CPanelDeviceThread(PollingTarget* window)
    : CPanelDeviceThread(window, PollTimings::forVersion(window ? window->snmpVersion : "1"))
{
}

CPanelDeviceThread::CPanelDeviceThread(PollingTarget* window, PollTimings timings)
    : m_window(window), m_timings(timings)
{
}

CPanelDeviceThread::~CPanelDeviceThread()
{
    stop();
}

void CPanelDeviceThread::start()
{
    if (!m_thread.joinable())
        m_thread = std::thread([this] { Run(); });
}

bool CPanelDeviceThread::stop(std::chrono::milliseconds limit)
{
    m_stop.store(1);
    m_wake.set();
    if (!m_thread.joinable())
        return true;
    const bool endedInTime = m_threadEnded.waitFor(limit);
    // A thread cannot be killed safely; every wait of the loop is bounded by a
    // request time-out, so joining here ends soon.
    m_thread.join();
    return endedInTime;
}

bool CPanelDeviceThread::pause(std::chrono::milliseconds length)
{
    if (m_stop.load())
        return false;
    m_wake.waitFor(length);
    return !m_stop.load();
}

int CPanelDeviceThread::Run()
{
    if (!m_window)
        return -1;
    int result = 0;
    while (!m_stop.load()) {
        pause(m_timings.firstPause);
        if (!m_stop.load() && !m_window->state.dialogOpen.load()) {
            if (m_window->hasFan)
                readFanState();
            if (m_window->poeModel)
                result = readLedModeAndPower();
            else
                startLinkWalk();
        }
        const int pauses = result != -1 ? kPausesPerCycle : kPausesAfterSkip;
        for (int i = 0; i < pauses && pause(m_timings.unit); ++i) {
        }
    }
    m_threadEnded.set();
    return 0;
}

void CPanelDeviceThread::readFanState()
{
    platform::debugOutput("======GetGetFanStatus======");
    snmp::CCommonSnmp& session = m_window->fanSession;
    session.Open(snmp::kPduGet);
    session.addValue(kFanStatusOid, snmp::kTypeNull, nullptr);
    std::unique_ptr<snmp::CSnmpResponse> response;
    if (session.send(response, kFanSendTimeoutMs) != snmp::kStatusOk || !response)
        return;
    m_window->state.fanState.store(response->getValue(0) == "1" ? '1' : '2');
}

int CPanelDeviceThread::readLedModeAndPower()
{
    platform::debugOutput("Get10PPOEOrLinkStatus");
    PanelState& state = m_window->state;
    if (state.poeBusy.load() && m_poeSkipCount < kMaxPoeSkips) {
        ++m_poeSkipCount;
        return -1;
    }
    m_poeSkipCount = 0;
    state.poeBusy.store(true);

    snmp::CCommonSnmp& session = m_window->poeSession;
    session.Open(snmp::kPduGet);
    session.addValue(kLedModeOid, snmp::kTypeNull, nullptr);
    session.addValue(kPowerBudgetOid, snmp::kTypeNull, nullptr);
    std::unique_ptr<snmp::CSnmpResponse> response;
    if (session.send(response, kLedSendTimeoutMs) == snmp::kStatusOk && response) {
        state.ledMode.store(response->getValue(0) == "1" ? 1 : 0);
        const bool powerMax = powerBudgetNearlyExhausted(response->getValue(1));
        state.powerMax.store(powerMax ? 1 : 0);
        platform::debugOutput(powerMax ? "pThis->m_BIsPowMax = TRUE" : "pThis->m_BIsPowMax = FALSE");
    }
    response.reset();

    pause(m_timings.beforeWalk);
    if (state.ledMode.load() == 1)
        startLinkWalk();
    else
        startPoeWalk();
    return 0;
}

void CPanelDeviceThread::startLinkWalk()
{
    {
        std::lock_guard lock(m_walkMutex);
        m_linkRows.clear();
    }
    snmp::CCommonSnmp& session = m_window->devStatSession;
    session.Open(snmp::kPduGetNext);
    for (const char* column : kLinkColumns)
        session.addValue(column, snmp::kTypeNull, nullptr);
    session.getNextAsync(&CPanelDeviceThread::linkCallback, this, kLinkStepTimeoutMs);
}

void CPanelDeviceThread::startPoeWalk()
{
    platform::debugOutput("--1----GetPOEPortStatus---------");
    {
        std::lock_guard lock(m_walkMutex);
        m_poeRows.clear();
    }
    snmp::CCommonSnmp& session = m_window->poeStatSession;
    session.Open(snmp::kPduGetNext);
    session.addValue(kPoeStatusColumn, snmp::kTypeNull, nullptr);
    session.getNextAsync(&CPanelDeviceThread::poeCallback, this, kPoeStepTimeoutMs);
}

unsigned CPanelDeviceThread::linkCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status)
{
    static_cast<CPanelDeviceThread*>(context)->onLinkRow(std::move(response), requestId, status);
    return 0;
}

unsigned CPanelDeviceThread::poeCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status)
{
    static_cast<CPanelDeviceThread*>(context)->onPoeRow(std::move(response), requestId, status);
    return 0;
}

void CPanelDeviceThread::onLinkRow(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, int status)
{
    snmp::CCommonSnmp& session = m_window->devStatSession;
    if (!session.FindRequestID(requestId))
        return;
    PanelState& state = m_window->state;

    if (status == snmp::kStatusOk && response) {
        LinkRow row;
        const int count = response->getValuesCount();
        for (int i = 0; i < count && i < static_cast<int>(std::size(kLinkColumns)); ++i) {
            std::string oid;
            response->getOid(i, oid);
            if (oid.find(kForeignSubtree) != std::string::npos)
                continue;
            std::string suffix;
            session.getSuffix(i, *response, suffix);
            std::string value = response->getValue(i);
            switch (i) {
            case 0: row.interfaceIndex = firstSuffixComponent(suffix); break;
            case 1: row.speed = std::move(value); break;
            case 2: row.adminStatus = std::move(value); break;
            case 3: row.operStatus = std::move(value); break;
            case 4: row.mediumType = std::move(value); break;
            }
        }
        response.reset();
        if (row.interfaceIndex <= m_window->device.portCount) {
            {
                std::lock_guard lock(m_walkMutex);
                m_linkRows.push_back(std::move(row));
            }
            // Nothing of ours may be touched after the re-arm: the next row
            // can already be under way on another thread.
            session.getNextAsync(&CPanelDeviceThread::linkCallback, this, kLinkStepTimeoutMs);
            return;
        }
        finishLinkWalk();
    } else {
        response.reset();
        resetPortStates(state);
        if (status == snmp::kStatusNoAnswer)
            m_window->sink.portElementsLost();
        else if (status == snmp::kStatusEnded || status == snmp::kStatusFailed)
            finishLinkWalk(); // the panel shows what it read before an error answer too
    }
    m_window->sink.cycleAnswered(status != snmp::kStatusNoAnswer);
    // The busy flag is cleared before the walk is signalled done: once it is,
    // the window may close the session and go away.
    state.poeBusy.store(false);
    session.SignalGetDone();
}

void CPanelDeviceThread::finishLinkWalk()
{
    std::vector<LinkRow> rows;
    {
        std::lock_guard lock(m_walkMutex);
        rows.swap(m_linkRows);
    }
    PanelState& state = m_window->state;
    PanelUpdate update = applyLinkResults(rows, m_window->device, snapshot(state));
    publish(update.ports, state);
    m_window->sink.portElementsChanged(std::move(update.elements), PanelSink::Repaint::Window);
    m_window->sink.blinkTimerWanted();
}

void CPanelDeviceThread::onPoeRow(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, int status)
{
    snmp::CCommonSnmp& session = m_window->poeStatSession;
    if (!session.FindRequestID(requestId))
        return;
    PanelState& state = m_window->state;

    if (status == snmp::kStatusOk && response) {
        std::string suffix;
        session.getSuffix(0, *response, suffix);
        platform::debugOutput(suffix);
        PoeRow row{firstSuffixComponent(suffix), response->getValue(0)};
        response.reset();
        if (row.portIndex <= m_window->device.portCount) {
            {
                std::lock_guard lock(m_walkMutex);
                m_poeRows.push_back(std::move(row));
            }
            session.getNextAsync(&CPanelDeviceThread::poeCallback, this, kPoeStepTimeoutMs);
            return;
        }
        finishPoeWalk();
    } else {
        response.reset();
        resetPortStates(state);
        if (status == snmp::kStatusEnded || status == snmp::kStatusFailed)
            finishPoeWalk();
    }
    m_window->sink.cycleAnswered(status != snmp::kStatusNoAnswer);
    state.poeBusy.store(false);
    session.SignalGetDone();
}

void CPanelDeviceThread::finishPoeWalk()
{
    std::vector<PoeRow> rows;
    {
        std::lock_guard lock(m_walkMutex);
        rows.swap(m_poeRows);
    }
    PanelState& state = m_window->state;
    PanelUpdate update = applyPoeResults(rows, m_window->device, snapshot(state));
    publish(update.ports, state);
    m_window->sink.portElementsChanged(std::move(update.elements), PanelSink::Repaint::EachPort);
    m_window->sink.blinkTimerWanted();
}

} // namespace monitor
