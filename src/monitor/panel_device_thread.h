#pragma once

#include "monitor/panel_state.h"
#include "monitor/poll_results.h"
#include "platform/event.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace snmp {
class CCommonSnmp;
class CSnmpResponse;
}

namespace monitor {

// What the polling hands to the window's thread. Called from the polling
// thread or a session's callback thread: an implementation queues the work
// to its own thread and never blocks.
class PanelSink {
public:
    enum class Repaint { Window, EachPort };
    virtual ~PanelSink() = default;
    // Port element statuses, in order; then repaint as told.
    virtual void portElementsChanged(std::vector<ElementStatus> changes, Repaint repaint) = 0;
    // Contact lost: reset the port element statuses and repaint the window.
    virtual void portElementsLost() = 0;
    // Start (or keep) the 200 ms blink timer.
    virtual void blinkTimerWanted() = 0;
    // A cycle's walk ended: with an answer, or without one (time-out). A sink
    // that does not tell the user need not listen.
    virtual void cycleAnswered(bool /*answered*/) {}
};

// The window as the polling sees it.
struct PollingTarget {
    PanelState& state;
    snmp::CCommonSnmp& fanSession;      // m_cCommonSNMPFan
    snmp::CCommonSnmp& poeSession;      // m_cCommonSNMPPoe
    snmp::CCommonSnmp& devStatSession;  // m_cCommonSNMPDevStat
    snmp::CCommonSnmp& poeStatSession;  // m_cCommonSNMPPoeStat
    PanelSink& sink;
    bool poeModel = false;   // the device name holds "P" or "p"
    std::string snmpVersion = "1";
    DeviceTraits device;
    bool hasFan = false;
};

struct PollTimings {
    std::chrono::milliseconds firstPause{500};
    std::chrono::milliseconds unit{500};       // ten of these end a cycle
    std::chrono::milliseconds beforeWalk{500}; // after the LED mode read
    // 500 ms units for versions "1" and "2c", 1000 ms otherwise.
    static PollTimings forVersion(const std::string& version);
};

// Polls the switch for the window. Walk callbacks use this object as their
// context: close the four sessions before destroying it.
class CPanelDeviceThread {
public:
    // `window` may be null: the thread then ends at once with -1.
    explicit CPanelDeviceThread(PollingTarget* window);
    CPanelDeviceThread(PollingTarget* window, PollTimings timings);
    ~CPanelDeviceThread();
    CPanelDeviceThread(const CPanelDeviceThread&) = delete;
    CPanelDeviceThread& operator=(const CPanelDeviceThread&) = delete;

    void start();
    // Sets the stop flag and wakes the sleeps; waits at most `limit` for the
    // thread-ended event, then joins (the thread is then at most one request
    // time-out from its end). False when the limit passed first.
    bool stop(std::chrono::milliseconds limit = std::chrono::milliseconds(1000));

    // The run loop itself; 0 after a stop, -1 without a window.
    int Run();

    // Single steps of a cycle, on the caller's thread.
    void readFanState();
    int readLedModeAndPower();
    void startLinkWalk();
    void startPoeWalk();

    platform::Event& threadEnded() { return m_threadEnded; }

private:
    static unsigned linkCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status);
    static unsigned poeCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status);
    void onLinkRow(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, int status);
    void onPoeRow(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, int status);
    void finishLinkWalk();
    void finishPoeWalk();
    // Sleeps unless stopping; false once the stop flag is set.
    bool pause(std::chrono::milliseconds length);

    PollingTarget* m_window;
    PollTimings m_timings;
    std::atomic<int> m_stop{0};
    platform::Event m_wake;
    platform::Event m_threadEnded;
    std::thread m_thread;
    int m_poeSkipCount = 0; // polling thread only

    // Walk accumulators. Normally one walk's callback chain owns them, but a
    // slow walk can overlap the next cycle's start, so they are guarded.
    std::mutex m_walkMutex;
    std::vector<LinkRow> m_linkRows;
    std::vector<PoeRow> m_poeRows;
};

} // namespace monitor
