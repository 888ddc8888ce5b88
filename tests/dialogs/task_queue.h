#pragma once

#include "dialogs/dialog_session.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// The owner's thread of a dialog session without Qt: tasks posted from the
// session's thread run when the test drains the queue.
class TaskQueue {
public:
    dialogs::Poster poster()
    {
        return [this](std::function<void()> task) {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
            m_posted.notify_all();
        };
    }

    // Runs tasks until `done` holds; false when none came for `limit`.
    template <typename Done>
    bool runUntil(Done done, std::chrono::milliseconds limit = std::chrono::seconds(10))
    {
        while (!done())
            if (!runOne(limit))
                return false;
        return true;
    }

    // Runs whatever is queued now.
    void drain() { runUntil([] { return false; }, std::chrono::milliseconds(0)); }

private:
    // Runs the next task, waiting up to `limit` for one; false when none came.
    bool runOne(std::chrono::milliseconds limit)
    {
        std::unique_lock lock(m_mutex);
        if (!m_posted.wait_for(lock, limit, [this] { return !m_tasks.empty(); }))
            return false;
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        task();
        return true;
    }

    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};
