#pragma once

#include "monitor/panel_device_thread.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// What the polling hands to the window, recorded (from any thread).
class RecordingSink final : public monitor::PanelSink {
public:
    void portElementsChanged(std::vector<monitor::ElementStatus> changes, Repaint repaint) override
    {
        record([&] { m_updates.emplace_back(std::move(changes), repaint); });
    }
    void portElementsLost() override {}
    void blinkTimerWanted() override { record([&] { ++m_blinks; }); }

    std::size_t updates() const { return locked([&] { return m_updates.size(); }); }
    int blinks() const { return locked([&] { return m_blinks; }); }
    Repaint lastRepaint() const { return locked([&] { return m_updates.back().second; }); }
    // The last status any update gave `element`; -1 when none did.
    int lastStatusOf(int element) const
    {
        return locked([&] {
            int status = -1;
            for (const auto& update : m_updates)
                for (const auto& change : update.first)
                    status = change.element == element ? change.status : status;
            return status;
        });
    }
    // Waits until `done` holds or `limit` passes; the result of `done`. Checks
    // at least every 50 ms: the shared state changes without a notification.
    bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(30))
    {
        const auto until = std::chrono::steady_clock::now() + limit;
        while (!done() && std::chrono::steady_clock::now() < until) {
            std::unique_lock lock(m_mutex);
            m_changed.wait_for(lock, std::chrono::milliseconds(50));
        }
        return done();
    }

private:
    template <typename F>
    auto locked(F read) const -> decltype(read())
    {
        std::lock_guard lock(m_mutex);
        return read();
    }
    template <typename F>
    void record(F change)
    {
        std::lock_guard lock(m_mutex);
        change();
        m_changed.notify_all();
    }
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::pair<std::vector<monitor::ElementStatus>, Repaint>> m_updates;
    int m_blinks = 0;
};

// The four polling sessions, the shared state and the thread, torn down in
// the window's order: thread stopped, sessions closed, thread object freed.
class PollingRig {
public:
    // `makeSession` builds each session (after the session parameters are set).
    PollingRig(const std::function<std::unique_ptr<snmp::CCommonSnmp>()>& makeSession, monitor::DeviceTraits device,
               bool poeModel, bool hasFan)
        : fan(makeSession()), poe(makeSession()), devStat(makeSession()), poeStat(makeSession()),
          target{.state = state,
                 .fanSession = *fan,
                 .poeSession = *poe,
                 .devStatSession = *devStat,
                 .poeStatSession = *poeStat,
                 .sink = sink,
                 .poeModel = poeModel,
                 .snmpVersion = snmp::sessionParameters().version,
                 .device = device,
                 .hasFan = hasFan}
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

    monitor::PanelState state;
    RecordingSink sink;
    std::unique_ptr<snmp::CCommonSnmp> fan, poe, devStat, poeStat;
    monitor::PollingTarget target;
    std::unique_ptr<monitor::CPanelDeviceThread> thread;
};
