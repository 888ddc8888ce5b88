#include "dialogs/switching/port_config_rules.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::switching;

TEST(PortConfigRules, ChecksInOrderWithTheirMessages)
{
    // Ports 1 and 2 form link 3 at "Auto"; port 3 holds a 100Base-x SFP, port 4 a 1000Base-x SFP.
    const PortTableState base{{4, 2, false}, {"Auto", "Auto", "1000MFull", "Auto"}, {2, 2, 3, 4}, {3, 3, 0, 0}};
    PortTableState copper100 = base, allGiga = base, othersDisabled = base, rowsMissing = base, halfLink = base;
    copper100.media = allGiga.media = {1, 1, 1, 1};
    allGiga.layout.allGiga = true;
    othersDisabled.speedTexts = {"Disable", "Disable", "Disable", "Auto"};
    rowsMissing.speedTexts.resize(1); // the walk ended early: port 2 unknown
    halfLink.speedTexts = {"100MHalf", "100MHalf", "Auto", "Auto"};

    const std::tuple<PortChoice, const PortTableState&, std::string> cases[] = {
        {{"", 5, 1}, base, "Please Select one port !"}, {{"1", 0, 1}, base, "LA port can not support in different speed."},
        {{"1", 2, 1}, rowsMissing, "LA port can not support in different speed."}, // before the half-duplex rule
        {{"2", 5, 0}, base, ""}, {{"2", 0, 1}, base, "LA port can not support in different speed."}, {{"4", 6, 1}, othersDisabled, "Sorry, you cannot disable all ports."},
        {{"3", 6, 1}, othersDisabled, ""}, // port 4 stays enabled
        {{"3", 0, 1}, copper100, "Port 3 can not support 1000M speed."}, {{"3", 0, 1}, allGiga, ""},
        {{"3", 5, 1}, base, "Fiber Port 3 with 100Base-x SFP Module can not support in Auto mode."},
        {{"4", 1, 1}, base, "Fiber Port 4 with 1000Base-x SFP Module can not support this speed."}, {{"4", 0, 1}, base, ""},
        {{"3", 0, 1}, base, "Fiber Port 3 with 100Base-x SFP Module can not support this speed."}, {{"3", 2, 1}, base, ""},
        {{"1", 2, 1}, halfLink, "LA port 1 can not support in half-duplex mode."},
    };
    for (const auto& [choice, state, message] : cases)
        EXPECT_EQ(checkPortChoice(choice, state), message) << choice.portId << " speed " << choice.speedIndex;
}

TEST(PortConfigRules, RowTexts)
{
    // Values (speed, operating mode, flow control, priority, operating flow control, medium), row, all-gigabit,
    // texts, writable.
    const std::tuple<std::vector<std::string>, int, bool, std::vector<std::string>, bool> cases[] = {
        {{"6", "2", "1", "4", "1", "2"}, 0, false, {"1", "Auto", "1000MFull", "Enable", "Highest", "Enabled"}, true},
        {{"9", "9", "3", "0", "7", "2"}, 4, false, {"5", "1000MFull", "1000MFull", "Disable", "Low", "7"}, true},
        // Combination ports 25..28 of 28: copper marks up to port 26, or with IsAllGiga.
        {{"2", "4", "2", "2", "2", "2"}, 24, false, {"25", "100MFull", "100M C Half", "Disable", "Middle", "Disabled"}, true},
        {{"2", "4", "2", "2", "2", "2"}, 26, false, {"27", "100MFull", "100MHalf", "Disable", "Middle", "Disabled"}, true},
        {{"2", "4", "2", "2", "2", "2"}, 26, true, {"27", "100MFull", "100M C Half", "Disable", "Middle", "Disabled"}, true},
        {{"2", "3", "2", "1", "2", "3"}, 27, false, {"28", "100MFull", "100M F Full", "Disable", "Low", "Disabled"}, true},
        {{"1", "2", "2", "1", "2", "4"}, 25, false, {"26", "1000MFull", "1000M F Full", "Disable", "Low", "Disabled"}, true},
        {{"1", "3", "2", "1", "2", "2"}, 23, false, {"24", "1000MFull", "100MFull", "Disable", "Low", "Disabled"}, true},
        // Garbled values show no default text and are never written back.
        {{"77 garbled", "2", "x", "1", "2", "2"}, 0, false, {"1", "", "1000MFull", "", "Low", "Disabled"}, false},
        {{"6", "2", "1", "1", "2", std::string(11, '7')}, 0, false, {"1", "Auto", "1000MFull", "Enable", "Low", "Disabled"}, false},
    };
    for (const auto& [values, rowIndex, allGiga, texts, writable] : cases) {
        const PortRow row = decodePortRow({values, ".1"}, rowIndex, {28, 4, allGiga});
        EXPECT_EQ(std::tie(row.texts, row.writable), std::tie(texts, writable)) << rowIndex;
    }
    // Speed 9 shows "1000MFull" but chooses no speed: only the flow control is written, without the forced-speed question.
    const PortSelection unknown = selectPortRow(decodePortRow({{"9", "2", "1", "1", "2", "2"}, ".5"}, 4, {28, 4, false}));
    const PortChoice choice{unknown.portId, unknown.speedIndex, 0};
    EXPECT_EQ(std::pair(portConfigSet(choice, false), asksForcedSpeed(choice)), std::pair(Bindings{{"1.3.6.1.4.1.32473.10.75.7.1.13.1.5.5", 1, "1"}}, false));
}
