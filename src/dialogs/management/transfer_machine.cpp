#include "dialogs/management/transfer_machine.h"

#include "snmp/common_snmp.h"

namespace dialogs::management {
namespace {

// Time-outs of the status read tolerated before the transfer is seen running.
constexpr int kTimeoutsBeforeStart = 3;
constexpr int kProgressLimit = 90;
constexpr int kProgressDone = 99;

} // namespace

CTransferMachine::CTransferMachine(TransferActions& actions, TransferTimings timings)
    : m_actions(actions), m_timings(timings)
{
}

void CTransferMachine::start(TransferKind kind)
{
    m_kind = kind;
    m_running = true;
    m_isFinish = false;
    // A configuration transfer has no "not started" phase worth waiting for.
    m_started = kind == TransferKind::Configuration;
    m_progressTimes = 1;
    m_timeouts = 0;
    m_operationPending = m_operationAnswered = m_statusMoved = m_finishDue = false;
}

void CTransferMachine::fileSetEnded(int status)
{
    if (!m_running || m_isFinish)
        return;
    if (status == snmp::kStatusNoAnswer) {
        end("Setting file name TimeOut !");
        return;
    }
    if (status != snmp::kStatusOk) {
        // The switch refused the server or the file: the transfer cannot start.
        end(transferFailText(m_kind));
        return;
    }
    m_actions.arm(TransferTimer::Progress, m_timings.firstTick);
    m_operationPending = true;
    m_actions.sendOperation();
    m_actions.arm(TransferTimer::Poll, m_kind == TransferKind::Firmware ? m_timings.firmwareFirstPoll
                                                                        : m_timings.configurationFirstPoll);
    // Bounds a transfer that never leaves "not started".
    m_actions.arm(TransferTimer::Overall, m_timings.overall);
}

void CTransferMachine::operationSetEnded(int status)
{
    if (!m_running || !m_operationPending)
        return;
    m_operationPending = false;
    m_operationAnswered = status == snmp::kStatusOk;
    if (!m_operationAnswered) {
        const std::string message = status == snmp::kStatusNoAnswer ? "Setting operation TimeOut !" : transferFailText(m_kind);
        if (!m_isFinish) {
            end(message);
            return;
        }
        // The status ended the transfer first; the switch may not have run it.
        m_actions.report(message);
    }
    if (m_finishDue)
        complete();
}

void CTransferMachine::statusAnswered(int status, const std::string& value)
{
    if (!m_running || m_isFinish)
        return;
    if (status == snmp::kStatusNoAnswer) {
        if (!m_started && ++m_timeouts > kTimeoutsBeforeStart) {
            end("Get Info Time Out !");
            return;
        }
        m_actions.arm(TransferTimer::Poll, m_timings.retryPoll);
        return;
    }
    if (status != snmp::kStatusOk) {
        end("Get Info Fail !");
        return;
    }
    m_timeouts = 0;
    const bool finalStatus = value == "0" || value == "1" || value == "2";
    if (finalStatus && !m_operationAnswered && !m_statusMoved) {
        // What an earlier transfer left, read before the switch took this one.
        m_actions.arm(TransferTimer::Poll, m_timings.waitingPoll);
    } else if (value == "0" || value == "1") {
        m_actions.showProgress(kProgressDone);
        end("Success !");
    } else if (value == "2") {
        end(transferFailText(m_kind));
    } else if (value == "3") {
        m_started = m_statusMoved = true;
        m_actions.arm(TransferTimer::Poll, m_timings.runningPoll);
        m_actions.arm(TransferTimer::Overall, m_timings.overall);
    } else if (value == "4") {
        m_statusMoved = true;
        m_actions.arm(TransferTimer::Poll, m_timings.waitingPoll);
    } else {
        // A status of no meaning: ask again; the overall time-out bounds it.
        m_actions.arm(TransferTimer::Poll, m_timings.retryPoll);
    }
}

void CTransferMachine::timerFired(TransferTimer timer)
{
    if (!m_running)
        return;
    switch (timer) {
    case TransferTimer::Poll:
        if (!m_isFinish)
            m_actions.pollStatus();
        break;
    case TransferTimer::Progress:
        if (m_progressTimes < kProgressLimit && !m_isFinish) {
            m_actions.showProgress(m_progressTimes);
            m_progressTimes += 2;
            m_actions.arm(TransferTimer::Progress, m_timings.tick);
        }
        break;
    case TransferTimer::Overall:
        if (!m_isFinish)
            end("Time out ! Please check TFTP Server IP and network.");
        break;
    case TransferTimer::Finish:
        if (m_isFinish) {
            stopAll();
            m_finishDue = true;
            if (!m_operationPending)
                complete();
        }
        break;
    }
}

void CTransferMachine::end(const std::string& message)
{
    // Set first: the message box may let timers and answers in meanwhile.
    m_isFinish = true;
    stopAll();
    m_actions.arm(TransferTimer::Finish, m_timings.finish);
    m_actions.report(message);
}

void CTransferMachine::complete()
{
    m_running = false;
    m_actions.finished();
}

void CTransferMachine::stopAll()
{
    m_actions.stop(TransferTimer::Poll);
    m_actions.stop(TransferTimer::Progress);
    m_actions.stop(TransferTimer::Overall);
}

} // namespace dialogs::management
