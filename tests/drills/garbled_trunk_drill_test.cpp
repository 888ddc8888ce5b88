// The trunk dialogs read garbled link state, members and modes: loading sends
// no set, and neither Apply nor the member dialog gets anything to write
// back from a garbled read (a member list too short for the switch is listed,
// but its members cannot be changed; a longer one is read as a list). The
// relay counts the sets that went out.
#include "garbled_reads.h"
#include "relayed_switch.h"

#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_rules.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "walk_ends.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>

namespace drills {
namespace {

enum class Field { State, Members, Mode };

struct Case {
    const char* name;
    Field field;
    Garble garble;
    int rowsListed; // of the eight links
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

std::string oidOfField(Field field)
{
    if (field == Field::State)
        return dialogs::switching::trunkStateRead().front().oid;
    const auto columns = dialogs::switching::trunkTableRead().oids;
    return field == Field::Members ? columns[0] : columns[1];
}

void garble(const Case& c, const snmp::Pdu& request, snmp::Pdu& answer)
{
    const std::string target = oidOfField(c.field);
    garbleAnswer(c.garble, request, answer, [&](const snmp::Oid& oid, Garble) { return isOrUnder(oid, target); });
}

class GarbledTrunkDrill : public RelayedSwitch<::testing::TestWithParam<Case>> {
protected:
    void SetUp() override
    {
        RelayedSwitch::SetUp();
        relay.setFaults({.rewrite = [c = GetParam()](const snmp::Pdu& request, snmp::Pdu& answer) {
            garble(c, request, answer);
        }});
    }
};

TEST_P(GarbledTrunkDrill, NothingReadGarbledIsWrittenBack)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    dialogs::switching::CTrunkConfigurationDialog dialog(28);
    WalkEnds(dialog).wait(1);
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_EQ(dialog.list()->topLevelItemCount(), c.rowsListed);

    // The state box as read, applied; then every listed link's mode and members.
    EXPECT_EQ(dialog.applyState(), c.field != Field::State);
    ASSERT_TRUE(waitForWrite(dialog));
    const int setsAfterState = relay.counts().setRequests;
    EXPECT_EQ(setsAfterState, c.field == Field::State ? 0 : 1);
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == c.rowsListed; }));
    if (c.rowsListed == 0) {
        EXPECT_FALSE(dialog.applyMode());
        dialog.findChild<QPushButton*>("portMember")->click();
        ASSERT_EQ(prompter.shown().size(), 1u);
        EXPECT_EQ(prompter.shown()[0].text, "Please select the Trunk !");
        EXPECT_EQ(relay.counts().setRequests, setsAfterState);
    }
    if (c.field == Field::Members && c.garble == Garble::IntegerForText) {
        emit dialog.list()->itemClicked(dialog.list()->topLevelItem(0), 0);
        dialog.findChild<QPushButton*>("portMember")->click();
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{dialogs::switching::kPartialMembers});
        EXPECT_EQ(relay.counts().setRequests, setsAfterState);
    }
}

INSTANTIATE_TEST_SUITE_P(TrunkDialogs, GarbledTrunkDrill,
                         ::testing::Values(Case{"State_TextForInteger", Field::State, Garble::TextForInteger, 8},
                                           Case{"State_NoSuchName", Field::State, Garble::NoSuchName, 8},
                                           Case{"Members_IntegerForText", Field::Members, Garble::IntegerForText, 8},
                                           Case{"Members_HugeText", Field::Members, Garble::HugeText, 8},
                                           Case{"Mode_TextForInteger", Field::Mode, Garble::TextForInteger, 0},
                                           Case{"Mode_ShortAnswer", Field::Mode, Garble::ShortAnswer, 0}),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
} // namespace drills
