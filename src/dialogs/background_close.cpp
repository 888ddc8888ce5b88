#include "dialogs/background_close.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace dialogs {
namespace {

class BackgroundCloser {
public:
    ~BackgroundCloser()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        if (m_thread.joinable())
            m_thread.join();
    }

    void add(std::function<void()> task)
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
        ++m_handedOver;
        if (!m_thread.joinable())
            m_thread = std::thread([this] { run(); });
        m_wake.notify_all();
    }

    void waitForAll()
    {
        std::unique_lock lock(m_mutex);
        const unsigned long long target = m_handedOver;
        m_done.wait(lock, [&] { return m_finished >= target; });
    }

private:
    void run()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [this] { return m_stopping || !m_tasks.empty(); });
            if (m_tasks.empty())
                return; // stopping, and everything handed over has run
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            task = nullptr; // what it holds goes here, off the caller's thread
            lock.lock();
            ++m_finished;
            m_done.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    std::deque<std::function<void()>> m_tasks;
    unsigned long long m_handedOver = 0;
    unsigned long long m_finished = 0;
    bool m_stopping = false;
    std::thread m_thread; // last: joined before the state above goes
};

BackgroundCloser& closer()
{
    static BackgroundCloser instance;
    return instance;
}

} // namespace

void closeInBackground(std::function<void()> task)
{
    closer().add(std::move(task));
}

void waitForBackgroundCloses()
{
    closer().waitForAll();
}

} // namespace dialogs
