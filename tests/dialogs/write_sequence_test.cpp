// The write path against the simulated switch in process: the order of sets
// and messages, progress, the end, and an owner that goes mid-sequence.
#include "../sim/switch_fixture.h"
#include "dialogs/write_sequence.h"
#include "scripted_prompter.h"
#include "sim/in_process_transport.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "task_queue.h"

#include <atomic>

namespace {

using namespace std::chrono_literals;
using dialogs::Binding;
using dialogs::WriteContext;

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
        snmp::SessionParameters parameters;
        parameters.agentAddress = "192.0.2.10";
        parameters.requestTimeout = "1000";
        snmp::setSessionParameters(parameters);
    }
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    // The bridge priority column takes any whole number: one set per value.
    static dialogs::Bindings prioritySet(int value)
    {
        return {Binding{"1.3.6.1.2.1.17.2.2.0", snmp::kTypeInteger, std::to_string(value)}};
    }

    std::shared_ptr<sim::InProcessTransport> transport = std::make_shared<sim::InProcessTransport>(
        sim::SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.scenario = false}));
    TaskQueue owner;
    ScriptedPrompter prompter;
};

TEST_F(WriteRunner, SetsMessagesAndProgressKeepTheirOrderAndTheEndComesLast)
{
    dialogs::CDialogSession session("m_cCommonSNMPSet");
    dialogs::CWriteRunner runner;
    std::vector<std::string> seen; // owner's thread: messages, progress and the end in arrival order
    std::vector<std::size_t> setsBeforeMessage;
    prompter.answer(true);
    bool ended = false;
    // The sets on the wire when each message box opens (the sequence waits for it).
    const dialogs::Poster counting = [&, post = owner.poster()](std::function<void()> task) {
        post([&, task = std::move(task)] {
            const std::size_t sets = setValues(*transport).size();
            const std::size_t shown = prompter.shown().size();
            task();
            if (prompter.shown().size() > shown)
                setsBeforeMessage.push_back(sets);
        });
    };
    ASSERT_TRUE(runner.start(
        [&](WriteContext& write) {
            for (int step = 1; step <= 12; ++step) {
                write.progress(step, 12);
                write.set(session, prioritySet(4096 * (step % 2)));
            }
            write.warn("Parameter Error !");
            write.set(session, prioritySet(8192));
            if (write.askOkCancel("Go on?"))
                write.set(session, prioritySet(12288));
            write.progress(1, 10); // ten or fewer sets show no progress
        },
        counting, [&] { seen.push_back("end"), ended = true; }, [&](const std::string& text) { seen.push_back(text); }));
    EXPECT_FALSE(runner.start([](WriteContext&) {}, owner.poster(), {})) << "a second sequence while one runs";
    EXPECT_TRUE(runner.running());
    ASSERT_TRUE(owner.runUntil([&] { return ended; }));
    EXPECT_FALSE(runner.running());

    std::vector<std::string> expected;
    std::vector<std::int64_t> values;
    for (int step = 1; step <= 12; ++step)
        expected.push_back("Writing port " + std::to_string(step) + " of 12"), values.push_back(4096 * (step % 2));
    expected.push_back("end");
    values.insert(values.end(), {8192, 12288});
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Parameter Error !", "Go on?"}));
    EXPECT_EQ(setsBeforeMessage, (std::vector<std::size_t>{12, 13})) << "a message moved among the sets";
    EXPECT_EQ(setValues(*transport), values);
}

TEST_F(WriteRunner, AnOwnerThatGoesDropsMessagesAndTheEndButNotTheRemainingSets)
{
    dialogs::CDialogSession session("m_cCommonSNMPSet");
    std::atomic<bool> waitingForAnswer = false;
    bool answered = true;
    bool ended = false;
    {
        dialogs::CWriteRunner runner;
        runner.start(
            [&](WriteContext& write) {
                write.set(session, prioritySet(4096));
                waitingForAnswer = true;
                answered = write.askOkCancel("Continue?");
                write.set(session, prioritySet(8192));
            },
            owner.poster(), [&] { ended = true; });
        while (!waitingForAnswer)
            std::this_thread::sleep_for(1ms);
        runner.abandon(); // the owner never runs the question
    }
    owner.drain();
    EXPECT_FALSE(answered) << "an unanswered question counts as Cancel";
    EXPECT_FALSE(ended);
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(setValues(*transport), (std::vector<std::int64_t>{4096, 8192}));
}

} // namespace
