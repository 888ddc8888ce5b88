#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dialogs {

// "Writing port 12 of 52"
std::string writeProgressText(const std::string& what, int step, int total);

// What a write sequence may do. Every call runs on the write thread; messages
// and progress are handed to the owner's thread, and a message blocks the
// sequence until the user has closed it, so it stands where it stands among
// the sets.
class WriteContext {
public:
    // Synchronous exchanges; status as CCommonSnmp.
    int set(CDialogSession& session, const Bindings& bindings, int timeoutMs = 0);
    // A set through the walker's getNext (the sets that wait an explicit time).
    int setByGetNext(CDialogSession& session, const Bindings& bindings, int timeoutMs = 0);
    int get(CDialogSession& session, const Bindings& bindings, std::vector<std::string>* values, int timeoutMs = 0);
    void pause(std::chrono::milliseconds duration);

    // Message boxes on the owner's thread. When the owner is gone, nothing is
    // shown and a question counts as cancelled.
    void inform(const std::string& text, const std::string& caption = {});
    void warn(const std::string& text, const std::string& caption = {});
    bool askOkCancel(const std::string& text, const std::string& caption = {});

    // Shows "Writing <what> <step> of <total>" while total is above ten.
    void progress(int step, int total, const std::string& what = "port");

    // Runs `task` on the owner's thread and waits for it; false when the
    // owner went away first (the task then does not run).
    bool onOwner(std::function<void()> task);

private:
    friend class CWriteRunner;
    struct Shared;
    explicit WriteContext(std::shared_ptr<Shared> shared);
    // Shows a message box on the owner's thread, framed by the owner's onAsking.
    bool asking(const std::function<void()>& box);
    std::shared_ptr<Shared> m_shared;
};

using WriteSequence = std::function<void(WriteContext&)>;

// Runs one write sequence at a time on its own thread. The owner's thread
// starts it and gets its end; progress texts reach the owner as they come.
class CWriteRunner {
public:
    CWriteRunner();
    ~CWriteRunner(); // abandons and waits for a running sequence
    CWriteRunner(const CWriteRunner&) = delete;
    CWriteRunner& operator=(const CWriteRunner&) = delete;

    // Owner's thread. False (and nothing runs) while a sequence is running.
    // `onEnd` reaches the owner through `post` after the sequence returned;
    // `onAsking` runs on the owner's thread with true before each message box
    // and false after it.
    bool start(WriteSequence sequence, Poster post, std::function<void()> onEnd,
               std::function<void(const std::string&)> onProgress = {}, std::function<void(bool)> onAsking = {});
    bool running() const { return m_running; }

    // Owner's thread: the owner is going. Messages still to be shown are
    // dropped, the sequence's remaining sets run to its end, and this waits
    // for it. No end is delivered.
    void abandon();

private:
    void finished();

    std::shared_ptr<WriteContext::Shared> m_shared;
    std::thread m_thread;
    bool m_running = false;
};

} // namespace dialogs
