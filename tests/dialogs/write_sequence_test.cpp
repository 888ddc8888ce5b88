// The write path against the simulated switch in process: the order of sets
// and messages, progress, the end, and an owner that goes mid-sequence.
#include "../sim/switch_fixture.h"
#include "../snmp/session_parameters_for.h"
#include "dialogs/write_sequence.h"
#include "scripted_prompter.h"
#include "sim/in_process_transport.h"
#include "snmp/common_snmp.h"
#include "task_queue.h"

#include <atomic>

namespace {

// The integer written by each set request (binding 0), in order.
std::vector<std::int64_t> setValues(const sim::InProcessTransport& transport)
{
    std::vector<std::int64_t> values;
    for (const snmp::Pdu& pdu : transport.requests())
        if (pdu.type == snmp::PduType::Set)
            values.push_back(pdu.bindings.at(0).value.integer);
    return values;
}

class WriteRunner : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialogs::CDialogSession::setTransport(transport);
        snmp::setSessionParameters(sessionParametersFor(161, kVersion1, 1000));
    }
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    // The bridge priority column takes any whole number: one set per value.
    static dialogs::Bindings prioritySet(int value) { return {{"1.3.6.1.2.1.17.2.2.0", snmp::kTypeInteger, std::to_string(value)}}; }

    std::shared_ptr<sim::InProcessTransport> transport = std::make_shared<sim::InProcessTransport>(
        sim::SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.scenario = false}));
    TaskQueue owner;
    ScriptedPrompter prompter;
};

TEST_F(WriteRunner, SetsMessagesAndProgressKeepTheirOrderAndTheEndComesLast)
{
    dialogs::CDialogSession session("m_cCommonSNMPSet");
    dialogs::CWriteRunner runner;
    // Owner's thread, in arrival order: progress, the sets on the wire as each
    // message box opens and closes (the sequence waits for it), the end.
    std::vector<std::string> seen;
    prompter.answer(true);
    ASSERT_TRUE(runner.start(
        [&](dialogs::WriteContext& write) {
            for (int step = 1; step <= 11; ++step) {
                write.progress(step, 11);
                write.set(session, prioritySet(4096 * (step % 2)));
            }
            write.warn("Parameter Error !");
            write.set(session, prioritySet(8192));
            if (write.askOkCancel("Go on?"))
                write.set(session, prioritySet(12288));
            write.progress(1, 10); // eleven sets show progress, ten or fewer none
        },
        owner.poster(), [&] { seen.push_back("end"); }, [&](const std::string& text) { seen.push_back(text); },
        [&](bool opens) { seen.push_back((opens ? "box after " : "closed after ") + std::to_string(setValues(*transport).size())); }));
    EXPECT_TRUE(runner.running() && !runner.start([](dialogs::WriteContext&) {}, owner.poster(), {})) << "a second sequence while one runs";
    ASSERT_TRUE(owner.runUntil([&] { return !seen.empty() && seen.back() == "end"; }));
    EXPECT_FALSE(runner.running());

    std::vector<std::string> expected;
    for (int step = 1; step <= 11; ++step)
        expected.push_back("Writing port " + std::to_string(step) + " of 11");
    expected.insert(expected.end(), {"box after 11", "closed after 11", "box after 12", "closed after 12", "end"});
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Parameter Error !", "Go on?"}));
    EXPECT_EQ(setValues(*transport), (std::vector<std::int64_t>{4096, 0, 4096, 0, 4096, 0, 4096, 0, 4096, 0, 4096, 8192, 12288}));
}

TEST_F(WriteRunner, AnOwnerThatGoesDropsMessagesAndTheEndButNotTheRemainingSets)
{
    dialogs::CDialogSession session("m_cCommonSNMPSet");
    std::atomic<bool> waitingForAnswer = false;
    bool answered = true, ended = false;
    dialogs::CWriteRunner runner;
    runner.start(
        [&](dialogs::WriteContext& write) {
            write.set(session, prioritySet(4096));
            waitingForAnswer = true;
            answered = write.askOkCancel("Continue?");
            write.set(session, prioritySet(8192));
        },
        owner.poster(), [&] { ended = true; });
    while (!waitingForAnswer)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    runner.abandon(); // the owner never runs the question; waits for the sequence's end
    owner.drain();
    // An unanswered question counts as Cancel; neither the box nor the end shows.
    EXPECT_EQ(std::tuple(answered, ended, prompter.shown().size()), std::tuple(false, false, 0u));
    EXPECT_EQ(setValues(*transport), (std::vector<std::int64_t>{4096, 8192}));
}

} // namespace
