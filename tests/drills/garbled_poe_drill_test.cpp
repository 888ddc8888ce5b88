// The time-range editor writes back the row it read, and puts it back when a
// change fails: fed a garbled read by a PoE switch, it keeps Apply off and
// sends nothing. (PoE Configuration offers no range whose index reads garbled.)
#include "garbled_reads.h"

#include "dialogs/management/time_range_editor_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

#include <QPushButton>

namespace drills {
namespace {

const std::string kRange = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";

class GarbledTimeRangeDrill : public LoggedSwitchDrill<Garble> {
protected:
    static void SetUpTestSuite() { startLoggedSwitch({.model = "QMX-7740-ZP"}); }
};

TEST_P(GarbledTimeRangeDrill, EditingARowReadGarbledSendsNothing)
{
    // The date flag, a year, an hour and a day; the name.
    const Fields fields{{kRange + "3.1", kRange + "4.1", kRange + "7.1", kRange + "14.1"}, {kRange + "2.1"}, kRange + "2.1"};
    relay.setFaults({.rewrite = [kind = GetParam(), fields](const snmp::Pdu& request, snmp::Pdu& answer) {
        garble(kind, fields, request, answer);
    }});
    ScriptedPrompter prompter;
    const std::size_t setsBefore = setValues().size();
    dialogs::management::CTimeBasedPoeConfigDialog editor({{1, "office-hours", "1"}}, 1);
    ASSERT_TRUE(waitForReads(editor));
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_FALSE(editor.findChild<QPushButton*>(QStringLiteral("apply"))->isEnabled());
    EXPECT_FALSE(editor.apply());
    settle(20);
    EXPECT_EQ(setValues().size(), setsBefore);
    EXPECT_TRUE(prompter.shown().empty());
}

// The name read as an INTEGER is not among these: a range may be named "42".
INSTANTIATE_TEST_SUITE_P(Editor, GarbledTimeRangeDrill,
                         ::testing::Values(Garble::TextForInteger, Garble::HugeText, Garble::NoSuchName, Garble::ShortAnswer),
                         [](const ::testing::TestParamInfo<Garble>& info) { return std::string(garbleName(info.param)); });

} // namespace
} // namespace drills
