// The time-range editor writes back the row it read, and puts it back when a
// change fails: fed a garbled read by a PoE switch, it keeps Apply off and
// sends nothing. (PoE Configuration offers no range whose index reads garbled.)
#include "garbled_reads.h"
#include "udp_relay.h"

#include "dialogs/management/time_range_editor_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"

#include <QPushButton>
#include <QTemporaryDir>

namespace drills {
namespace {

const std::string kRange = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";

class GarbledTimeRangeDrill : public ::testing::TestWithParam<Garble> {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        std::string error;
        s_agent = sim::startSwitchAgent({.model = "QMX-7740-ZP", .requestLog = log(), .scenario = false}, &error).release();
        ASSERT_NE(s_agent, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        delete s_agent;
        delete s_dir;
    }
    static std::string log() { return s_dir->filePath("requests.log").toStdString(); }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    static inline QTemporaryDir* s_dir = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

TEST_P(GarbledTimeRangeDrill, EditingARowReadGarbledSendsNothing)
{
    ASSERT_NE(s_agent, nullptr);
    ASSERT_TRUE(relay.ready());
    useAgent(relay.port());
    // The date flag, a year, an hour and a day; the name.
    const Fields fields{{kRange + "3.1", kRange + "4.1", kRange + "7.1", kRange + "14.1"}, {kRange + "2.1"}, kRange + "2.1"};
    relay.setFaults({.rewrite = [kind = GetParam(), fields](const snmp::Pdu& request, snmp::Pdu& answer) {
        garble(kind, fields, request, answer);
    }});
    ScriptedPrompter prompter;
    const std::size_t setsBefore = loggedSetValues(log()).size();
    dialogs::management::CTimeBasedPoeConfigDialog editor({{1, "office-hours", "1"}}, 1);
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_FALSE(editor.findChild<QPushButton*>(QStringLiteral("apply"))->isEnabled());
    EXPECT_FALSE(editor.apply());
    settle(20);
    EXPECT_EQ(loggedSetValues(log()).size(), setsBefore);
    EXPECT_TRUE(prompter.shown().empty());
}

// The name read as an INTEGER is not among these: a range may be named "42".
INSTANTIATE_TEST_SUITE_P(Editor, GarbledTimeRangeDrill,
                         ::testing::Values(Garble::TextForInteger, Garble::HugeText, Garble::NoSuchName, Garble::ShortAnswer),
                         [](const ::testing::TestParamInfo<Garble>& info) { return std::string(garbleName(info.param)); });

} // namespace
} // namespace drills
