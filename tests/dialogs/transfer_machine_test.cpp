// The transfer machine alone on a simulated clock, with its real periods:
// every path ends with its message, at its time, and gives the controls back.
#include "dialogs/management/transfer_machine.h"
#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace dialogs::management;

namespace {

constexpr int kOk = snmp::kStatusOk, kSilent = snmp::kStatusNoAnswer, kError = snmp::kStatusFailed;
struct Answer {
    int status = kOk;
    std::string value;
};

// A switch that answers as scripted: at once, or never (the request's
// time-out, the machine's own, ends it). The last status answer repeats.
class ClockedSwitch final : public TransferActions {
public:
    ClockedSwitch(TransferKind kind, int fileSet, int operation, long operationMs, std::vector<Answer> polls)
        : m_operation(operation), m_operationMs(operationMs), m_polls(std::move(polls))
    {
        m_machine.start(kind);
        after(fileSet == kSilent ? m_machine.timings().fileSetTimeoutMs : 0, [this, fileSet] { m_machine.fileSetEnded(fileSet); });
        while (finishedAt < 0 && !m_events.empty()) {
            m_now = m_events.begin()->first;
            const auto event = std::move(m_events.begin()->second);
            m_events.erase(m_events.begin());
            event();
        }
    }
    void arm(TransferTimer timer, std::chrono::milliseconds delay) override
    {
        stop(timer);
        m_timers[timer] = after(delay.count(), [this, timer] {
            m_timers.erase(timer);
            m_machine.timerFired(timer);
        });
    }
    void stop(TransferTimer timer) override
    {
        if (const auto armed = m_timers.find(timer); armed != m_timers.end()) {
            m_events.erase(armed->second);
            m_timers.erase(armed);
        }
    }
    void sendOperation() override
    {
        after(m_operation == kSilent ? m_machine.timings().operationSetTimeoutMs : m_operationMs, [this] { m_machine.operationSetEnded(m_operation); });
    }
    void pollStatus() override
    {
        const Answer answer = m_polls[std::min(m_polled++, m_polls.size() - 1)];
        after(answer.status == kSilent ? m_machine.timings().pollTimeoutMs : 0, [this, answer] { m_machine.statusAnswered(answer.status, answer.value); });
    }
    void report(const std::string& message) override { reports.push_back(message + " @" + std::to_string(m_now)); }
    void showProgress(int position) override { progress = position; }
    void finished() override { finishedAt = m_now; }

    std::vector<std::string> reports;
    int progress = 0;
    long finishedAt = -1;

private:
    using Events = std::multimap<long, std::function<void()>>; // equal times in the order armed
    Events::iterator after(long delay, std::function<void()> event) { return m_events.emplace(m_now + delay, std::move(event)); }

    CTransferMachine m_machine{*this};
    int m_operation;
    long m_operationMs;
    std::vector<Answer> m_polls;
    std::size_t m_polled = 0;
    Events m_events;
    std::map<TransferTimer, Events::iterator> m_timers;
    long m_now = 0;
};

TEST(TransferMachine, EveryPathEndsWithItsMessageAtItsTime)
{
    const auto firmware = TransferKind::Firmware, configuration = TransferKind::Configuration;
    const std::string timeOut = "Time out ! Please check TFTP Server IP and network. @";
    const Answer silent{kSilent, ""};
    // Path, kind, the file name set's and the operation set's answers, the operation set's delay, the status
    // answers, the reports with their times, the end's time.
    const std::tuple<const char*, TransferKind, int, int, long, std::vector<Answer>, std::vector<std::string>, long> cases[] = {
        {"file name set unanswered", configuration, kSilent, kOk, 0, {{kOk, "1"}}, {"Setting file name TimeOut ! @10000"}, 10005},
        {"operation set unanswered, switch idle", configuration, kOk, kSilent, 0, {{kOk, "0"}}, {"Setting operation TimeOut ! @15000"}, 15005},
        {"operation set slower than the first poll", configuration, kOk, kOk, 5000, {{kOk, "0"}}, {"Success ! @6000"}, 6005},
        {"a failure left from before, read until the operation set answers", configuration, kOk, kOk, 5000,
         {{kOk, "2"}, {kOk, "3"}, {kOk, "1"}}, {"Success ! @9500"}, 9505},
        {"operation set unanswered after the switch said done", configuration, kOk, kSilent, 0, {{kOk, "3"}, {kOk, "0"}},
         {"Success ! @8000", "Setting operation TimeOut ! @15000"}, 15000},
        {"status read fails", configuration, kOk, kOk, 0, {{kError, ""}}, {"Get Info Fail ! @3000"}, 3005},
        {"four status reads unanswered before start", firmware, kOk, kOk, 0, {silent}, {"Get Info Time Out ! @48000"}, 48005},
        {"status reads unanswered, started at once", configuration, kOk, kOk, 0, {silent}, {timeOut + "230000"}, 230005},
        {"status of no meaning", configuration, kOk, kOk, 0, {{kOk, "9"}}, {timeOut + "230000"}, 230005},
        {"stuck at not started", firmware, kOk, kOk, 0, {{kOk, "4"}}, {timeOut + "230000"}, 230005},
        {"running, then unanswered", firmware, kOk, kOk, 0, {{kOk, "3"}, silent}, {timeOut + "245000"}, 245005},
        {"running, then done", configuration, kOk, kOk, 0, {{kOk, "3"}, {kOk, "1"}}, {"Success ! @8000"}, 8005},
        {"failed", firmware, kOk, kOk, 0, {{kOk, "2"}}, {"Firmware Upgrade Fail ! @15000"}, 15005},
        {"failed", configuration, kOk, kOk, 0, {{kOk, "2"}}, {"Config Restore Fail ! @3000"}, 3005},
    };
    for (const auto& [path, kind, fileSet, operation, operationMs, polls, reports, finishedAt] : cases) {
        const ClockedSwitch device(kind, fileSet, operation, operationMs, polls);
        EXPECT_EQ(std::tie(device.reports, device.finishedAt), std::tie(reports, finishedAt)) << path;
        EXPECT_EQ(device.progress == 99, reports[0].starts_with("Success")) << path << ": " << device.progress;
    }
}

} // namespace
