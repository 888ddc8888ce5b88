#include "dialogs/write_sequence.h"

#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <utility>

namespace dialogs {

struct WriteContext::Shared {
    Poster post;
    std::function<void(const std::string&)> onProgress;
    std::function<void(bool)> onAsking;
    std::mutex mutex;
    std::condition_variable changed;
    bool abandoned = false; // guarded by mutex
};

std::string writeProgressText(const std::string& what, int step, int total)
{
    return "Writing " + what + " " + std::to_string(step) + " of " + std::to_string(total);
}

WriteContext::WriteContext(std::shared_ptr<Shared> shared) : m_shared(std::move(shared)) {}

int WriteContext::set(CDialogSession& session, const Bindings& bindings, int timeoutMs)
{
    return session.exchange(snmp::kPduSet, bindings, nullptr, timeoutMs);
}

int WriteContext::setByGetNext(CDialogSession& session, const Bindings& bindings, int timeoutMs)
{
    return session.exchangeByGetNext(snmp::kPduSet, bindings, timeoutMs);
}

int WriteContext::get(CDialogSession& session, const Bindings& bindings, std::vector<std::string>* values,
                      int timeoutMs)
{
    return session.exchange(snmp::kPduGet, bindings, values, timeoutMs);
}

void WriteContext::pause(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

bool WriteContext::onOwner(std::function<void()> task)
{
    struct Handoff {
        bool done = false;
    };
    auto handoff = std::make_shared<Handoff>();
    {
        std::lock_guard lock(m_shared->mutex);
        if (m_shared->abandoned)
            return false;
    }
    m_shared->post([shared = m_shared, handoff, task = std::move(task)] {
        {
            std::lock_guard lock(shared->mutex);
            if (shared->abandoned)
                return;
        }
        task();
        std::lock_guard lock(shared->mutex);
        handoff->done = true;
        shared->changed.notify_all();
    });
    std::unique_lock lock(m_shared->mutex);
    m_shared->changed.wait(lock, [&] { return handoff->done || m_shared->abandoned; });
    return handoff->done;
}

bool WriteContext::asking(const std::function<void()>& box)
{
    return onOwner([&box, onAsking = m_shared->onAsking] {
        if (onAsking)
            onAsking(true);
        box();
        if (onAsking)
            onAsking(false);
    });
}

void WriteContext::inform(const std::string& text, const std::string& caption)
{
    asking([&] { platform::prompter().inform(text, caption); });
}

void WriteContext::warn(const std::string& text, const std::string& caption)
{
    asking([&] { platform::prompter().warn(text, caption); });
}

bool WriteContext::askOkCancel(const std::string& text, const std::string& caption)
{
    bool ok = false;
    asking([&] { ok = platform::prompter().askOkCancel(text, caption); });
    return ok;
}

void WriteContext::progress(int step, int total, const std::string& what)
{
    if (total <= 10 || !m_shared->onProgress)
        return;
    m_shared->post([shared = m_shared, text = writeProgressText(what, step, total)] {
        {
            std::lock_guard lock(shared->mutex);
            if (shared->abandoned)
                return;
        }
        shared->onProgress(text);
    });
}

CWriteRunner::CWriteRunner() = default;

CWriteRunner::~CWriteRunner()
{
    abandon();
}

bool CWriteRunner::start(WriteSequence sequence, Poster post, std::function<void()> onEnd,
                         std::function<void(const std::string&)> onProgress, std::function<void(bool)> onAsking)
{
    if (m_running)
        return false;
    if (m_thread.joinable())
        m_thread.join(); // the previous sequence has delivered its end already
    m_running = true;
    m_shared = std::make_shared<WriteContext::Shared>();
    m_shared->post = post;
    m_shared->onProgress = std::move(onProgress);
    m_shared->onAsking = std::move(onAsking);
    m_thread = std::thread([this, shared = m_shared, sequence = std::move(sequence), post = std::move(post),
                            onEnd = std::move(onEnd)] {
        WriteContext context(shared);
        sequence(context);
        post([this, shared, onEnd] {
            {
                std::lock_guard lock(shared->mutex);
                if (shared->abandoned)
                    return;
            }
            finished();
            if (onEnd)
                onEnd();
        });
    });
    return true;
}

void CWriteRunner::finished()
{
    m_running = false;
    if (m_thread.joinable())
        m_thread.join();
}

void CWriteRunner::abandon()
{
    if (m_shared) {
        std::lock_guard lock(m_shared->mutex);
        m_shared->abandoned = true;
        m_shared->changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    m_running = false;
}

} // namespace dialogs
