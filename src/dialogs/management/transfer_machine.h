#pragma once

#include "dialogs/management/transfer_rules.h"

#include <chrono>
#include <string>

namespace dialogs::management {

// The dialog's four one-shot timers.
enum class TransferTimer { Poll = 2074, Finish = 2124, Progress = 2125, Overall = 2126 };

// Every period of a transfer; tests pass shorter ones.
struct TransferTimings {
    using ms = std::chrono::milliseconds;
    ms firmwareFirstPoll{15000};
    ms configurationFirstPoll{3000};
    ms runningPoll{5000};  // after status "3"
    ms waitingPoll{1500};  // after status "4"
    ms retryPoll{3000};    // after a poll that went unanswered
    ms finish{5};
    ms firstTick{2000};
    ms tick{2500};
    ms overall{230000};
    int fileSetTimeoutMs = 10000;
    int operationSetTimeoutMs = 15000;
    int pollTimeoutMs = 6000;
};

// What the machine has its owner do. All calls come on the owner's thread.
class TransferActions {
public:
    virtual ~TransferActions() = default;
    // (Re)starts `timer` to fire once after `after`.
    virtual void arm(TransferTimer timer, std::chrono::milliseconds after) = 0;
    virtual void stop(TransferTimer timer) = 0;
    virtual void sendOperation() = 0;
    // Reads the status; the answer comes back through statusAnswered.
    virtual void pollStatus() = 0;
    virtual void report(const std::string& message) = 0;
    virtual void showProgress(int position) = 0;
    // The transfer is over: the controls may be used again.
    virtual void finished() = 0;
};

// One transfer from the address/file set to its end: the status answers,
// the time-outs and the progress, as one-shot timers driven by the owner.
class CTransferMachine {
public:
    explicit CTransferMachine(TransferActions& actions, TransferTimings timings = {});

    // The checks passed and the address/file set is on its way.
    void start(TransferKind kind);
    // Ends of the two sets and of a status read; status as CCommonSnmp.
    void fileSetEnded(int status);
    void operationSetEnded(int status);
    void statusAnswered(int status, const std::string& value);
    void timerFired(TransferTimer timer);

    // From start until finished() was called: the end of the transfer and the
    // operation set's answer, whichever comes later.
    bool running() const { return m_running; }
    const TransferTimings& timings() const { return m_timings; }

private:
    // Stops every timer, reports `message` and lets the finish timer end it.
    void end(const std::string& message);
    void stopAll();
    void complete();

    TransferActions& m_actions;
    TransferTimings m_timings;
    TransferKind m_kind = TransferKind::Configuration;
    bool m_running = false;
    bool m_isFinish = false;
    bool m_started = false;
    bool m_operationPending = false;
    bool m_operationAnswered = false;
    // A "3" or "4" was read: the switch has taken this transfer.
    bool m_statusMoved = false;
    bool m_finishDue = false;
    int m_progressTimes = 1;
    int m_timeouts = 0;
};

} // namespace dialogs::management
