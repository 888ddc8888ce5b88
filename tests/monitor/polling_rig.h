#pragma once

#include "monitor/panel_device_thread.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <chrono>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// What the polling hands to the window, recorded (from any thread).
class RecordingSink final : public monitor::PanelSink {
public:
    void portElementsChanged(std::vector<monitor::ElementStatus> changes, Repaint repaint) override
    {
        std::lock_guard lock(m_mutex);
        m_updates.emplace_back(std::move(changes), repaint);
    }
    void portElementsLost() override { ++m_lost; }
    void blinkTimerWanted() override { ++m_blinks; }

    int blinks() const { return m_blinks; }
    int lost() const { return m_lost; }
    // Each update's changes, in order.
    std::vector<std::vector<monitor::ElementStatus>> changes() const
    {
        std::lock_guard lock(m_mutex);
        std::vector<std::vector<monitor::ElementStatus>> out;
        for (const auto& update : m_updates)
            out.push_back(update.first);
        return out;
    }
    std::size_t updates() const
    {
        std::lock_guard lock(m_mutex);
        return m_updates.size();
    }
    Repaint lastRepaint() const
    {
        std::lock_guard lock(m_mutex);
        return m_updates.back().second;
    }
    // The last status any update gave `element`; -1 when none did.
    int lastStatusOf(int element) const
    {
        std::lock_guard lock(m_mutex);
        int status = -1;
        for (const auto& update : m_updates)
            for (const auto& change : update.first)
                status = change.element == element ? change.status : status;
        return status;
    }
    // Waits until `done` holds or `limit` passes; the result of `done`.
    static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(30))
    {
        for (const auto until = std::chrono::steady_clock::now() + limit; !done() && std::chrono::steady_clock::now() < until;)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return done();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<std::vector<monitor::ElementStatus>, Repaint>> m_updates;
    std::atomic<int> m_blinks{0};
    std::atomic<int> m_lost{0};
};

// The four polling sessions, the shared state and the thread, torn down in
// the window's order: thread stopped, sessions closed, thread object freed.
class PollingRig {
public:
    // `makeSession` builds each session (after the session parameters are set).
    PollingRig(const std::function<std::unique_ptr<snmp::CCommonSnmp>()>& makeSession, monitor::DeviceTraits device,
               bool poeModel, bool hasFan)
        : fan(makeSession()), poe(makeSession()), devStat(makeSession()), poeStat(makeSession()),
          target{.state = state, .fanSession = *fan, .poeSession = *poe, .devStatSession = *devStat, .poeStatSession = *poeStat, .sink = sink,
                 .poeModel = poeModel, .snmpVersion = snmp::sessionParameters().version, .device = device, .hasFan = hasFan}
    {
    }
    ~PollingRig()
    {
        if (thread)
            thread->stop();
        for (snmp::CCommonSnmp* session : {fan.get(), poe.get(), devStat.get(), poeStat.get()})
            session->Close();
        thread.reset();
    }

    // A short cycle: the first pause, then ten units. A walk must fit in one
    // cycle: the next cycle's walk start calls off one still running.
    void start(std::chrono::milliseconds unit = std::chrono::milliseconds(50))
    {
        thread = std::make_unique<monitor::CPanelDeviceThread>(&target, monitor::PollTimings{unit, unit, unit});
        thread->start();
    }
    // One link walk to its end, as a cycle of a thread that is not started.
    bool cycle()
    {
        if (!thread)
            thread = std::make_unique<monitor::CPanelDeviceThread>(&target);
        thread->startLinkWalk();
        return RecordingSink::waitFor([this] { return devStat->IsGetDone(); }, std::chrono::seconds(60));
    }

    monitor::PanelState state;
    RecordingSink sink;
    std::unique_ptr<snmp::CCommonSnmp> fan, poe, devStat, poeStat;
    monitor::PollingTarget target;
    std::unique_ptr<monitor::CPanelDeviceThread> thread;
};
