#include "platform/event.h"

namespace platform {

void Event::set()
{
    {
        std::lock_guard lock(m_mutex);
        m_signalled = true;
    }
    m_changed.notify_all();
}

void Event::reset()
{
    std::lock_guard lock(m_mutex);
    m_signalled = false;
}

bool Event::isSet() const
{
    std::lock_guard lock(m_mutex);
    return m_signalled;
}

void Event::wait()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_signalled; });
}

bool Event::waitFor(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_signalled; });
}

} // namespace platform
