#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

// Manual-reset event: stays signalled until reset, wakes every waiter.
class Event {
public:
    explicit Event(bool signalled = false) : m_signalled(signalled) {}
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;

    void set();
    void reset();
    bool isSet() const;
    void wait();
    // Returns false when the time-out passed without the event being set.
    bool waitFor(std::chrono::milliseconds timeout);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled;
};

} // namespace platform
