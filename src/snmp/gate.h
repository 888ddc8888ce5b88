#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// The exclusive gate of one session: open when created; an operation takes
// it, works, and opens it again. Unlike a mutex it may be released by a
// thread other than the one that took it.
namespace snmp {

class Gate {
public:
    void acquire()
    {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_open; });
        m_open = false;
    }

    bool tryAcquireFor(std::chrono::milliseconds timeout)
    {
        std::unique_lock lock(m_mutex);
        if (!m_changed.wait_for(lock, timeout, [this] { return m_open; }))
            return false;
        m_open = false;
        return true;
    }

    void release()
    {
        {
            std::lock_guard lock(m_mutex);
            m_open = true;
        }
        m_changed.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = true;
};

} // namespace snmp
