#include "dialogs/switching/multicast_filter_rules.h"
#include "dialogs/switching/port_config_rules.h"
#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::switching;

namespace {

// Four ports: 1 and 2 form aggregated link 3, port 3 holds a 100Base-x SFP,
// port 4 a 1000Base-x SFP; ports 1 and 2 run at "Auto".
PortTableState fourPorts()
{
    return {{4, 2, false}, {"Auto", "Auto", "1000MFull", "Auto"}, {2, 2, 3, 4}, {3, 3, 0, 0}};
}

} // namespace

TEST(PortConfigRules, ChecksInOrderWithTheirMessages)
{
    PortTableState copper100 = fourPorts();
    copper100.media = {1, 1, 1, 1};
    PortTableState allGiga = copper100;
    allGiga.layout.allGiga = true;
    PortTableState othersDisabled = fourPorts();
    othersDisabled.speedTexts = {"Disable", "Disable", "Disable", "Auto"};
    PortTableState partnerDiffers = fourPorts();
    partnerDiffers.speedTexts[1] = "100MFull";
    PortTableState rowsMissing = fourPorts();
    rowsMissing.speedTexts.resize(1); // the walk ended early: port 2 unknown

    const struct {
        PortChoice choice;
        PortTableState state;
        std::string message;
    } cases[] = {
        {{"", 5, 1}, fourPorts(), "Please Select one port !"},
        {{"1", 0, 1}, fourPorts(), "LA port can not support in different speed."},
        {{"1", 5, 1}, partnerDiffers, "LA port can not support in different speed."},
        {{"1", 5, 1}, rowsMissing, "LA port can not support in different speed."},
        {{"2", 5, 0}, fourPorts(), ""},
        {{"4", 6, 1}, othersDisabled, "Sorry, you cannot disable all ports."},
        {{"3", 6, 1}, othersDisabled, ""}, // port 4 stays enabled
        {{"3", 0, 1}, copper100, "Port 3 can not support 1000M speed."},
        {{"3", 0, 1}, allGiga, ""},
        {{"3", 1, 1}, copper100, ""},
        {{"3", 5, 1}, fourPorts(), "Fiber Port 3 with 100Base-x SFP Module can not support in Auto mode."},
        {{"4", 1, 1}, fourPorts(), "Fiber Port 4 with 1000Base-x SFP Module can not support this speed."},
        {{"4", 4, 1}, fourPorts(), "Fiber Port 4 with 1000Base-x SFP Module can not support this speed."},
        {{"4", 0, 1}, fourPorts(), ""},
        {{"4", 5, 1}, fourPorts(), ""},
        {{"4", 6, 1}, fourPorts(), ""},
        {{"3", 0, 1}, fourPorts(), "Fiber Port 3 with 100Base-x SFP Module can not support this speed."},
        {{"3", 3, 1}, fourPorts(), "Fiber Port 3 with 100Base-x SFP Module can not support this speed."},
        {{"3", 2, 1}, fourPorts(), ""},
        {{"3", 6, 1}, fourPorts(), ""},
        {{"1", 2, 1}, rowsMissing, "LA port can not support in different speed."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkPortChoice(c.choice, c.state), c.message) << c.choice.portId << " speed " << c.choice.speedIndex;

    // A half-duplex choice on a link whose partners already run it.
    PortTableState halfLink = fourPorts();
    halfLink.speedTexts = {"100MHalf", "100MHalf", "Auto", "Auto"};
    EXPECT_EQ(checkPortChoice({"1", 2, 1}, halfLink), "LA port 1 can not support in half-duplex mode.");
}

TEST(PortConfigRules, RowTextsAndCombinationPortModes)
{
    const PortLayout layout{28, 4, false};
    const auto texts = [&](std::vector<std::string> values, int rowIndex, PortLayout at) {
        return decodePortRow({std::move(values), ".1"}, rowIndex, at).texts;
    };
    using Texts = std::vector<std::string>;
    // speed, oper mode, flow, priority, oper flow, medium
    EXPECT_EQ(texts({"6", "2", "1", "4", "1", "2"}, 0, layout),
              (Texts{"1", "Auto", "1000MFull", "Enable", "Highest", "Enabled"}));
    EXPECT_EQ(texts({"9", "9", "3", "0", "7", "2"}, 4, layout),
              (Texts{"5", "1000MFull", "1000MFull", "Disable", "Low", "7"}));
    EXPECT_EQ(texts({"2", "4", "2", "2", "2", "2"}, 24, layout)[2], "100M C Half"); // 25 <= 28 - 2
    EXPECT_EQ(texts({"2", "4", "2", "2", "2", "2"}, 26, layout)[2], "100MHalf");
    EXPECT_EQ(texts({"2", "4", "2", "2", "2", "2"}, 26, {28, 4, true})[2], "100M C Half");
    EXPECT_EQ(texts({"2", "1", "2", "2", "2", "2"}, 24, layout)[2], "Down");
    EXPECT_EQ(texts({"2", "3", "2", "2", "2", "3"}, 27, layout)[2], "100M F Full");
    EXPECT_EQ(texts({"2", "4", "2", "2", "2", "3"}, 27, layout)[2], "100M F Half");
    EXPECT_EQ(texts({"2", "2", "2", "2", "2", "3"}, 27, layout)[2], "1000MFull");
    EXPECT_EQ(texts({"1", "2", "2", "2", "2", "4"}, 25, layout)[2], "1000M F Full");
    EXPECT_EQ(texts({"1", "3", "2", "2", "2", "2"}, 23, layout)[2], "100MFull"); // not a combination port

    // Garbled speed, flow or medium: no default text, and never written back.
    const PortRow garbled = decodePortRow({{"77 garbled", "2", "x", "1", "2", "2"}, ".1"}, 0, layout);
    EXPECT_EQ(garbled.texts[1], "");
    EXPECT_EQ(garbled.texts[3], "");
    EXPECT_FALSE(garbled.writable);
    EXPECT_FALSE(decodePortRow({{"6", "2", "1", "1", "2", std::string(10000, '7')}, ".1"}, 0, layout).writable);
    EXPECT_TRUE(decodePortRow({{"9", "2", "7", "1", "2", "2"}, ".1"}, 0, layout).writable);
}

TEST(PortConfigRules, RowClickQuestionsAndSet)
{
    const PortSelection disable = selectPortRow({"7", "Disable", "Down", "Enable"});
    EXPECT_EQ(disable.portId, "7");
    EXPECT_EQ(disable.speedIndex, 6);
    EXPECT_EQ(disable.flowIndex, 0);
    EXPECT_EQ(selectPortRow({"2", "", "Down", "Disable"}).speedIndex, -1);

    EXPECT_FALSE(asksForcedSpeed({"1", 5, 1}));
    EXPECT_FALSE(asksForcedSpeed({"1", 6, 1}));
    EXPECT_TRUE(asksForcedSpeed({"1", 0, 1}));
    EXPECT_TRUE(asksForcedSpeed({"1", -1, 1})); // no selection writes "1"
    EXPECT_TRUE(asksFlowControl({"1", 5, 0}));
    EXPECT_FALSE(asksFlowControl({"1", 5, 1}));

    const std::string speed = "1.3.6.1.4.1.32473.10.75.7.1.13.1.2.12";
    const std::string flow = "1.3.6.1.4.1.32473.10.75.7.1.13.1.5.12";
    EXPECT_EQ(portConfigSet({"12", 2, 0}, false),
              (Bindings{{speed, snmp::kTypeInteger, "3"}, {flow, snmp::kTypeInteger, "1"}}));
    EXPECT_EQ(portConfigSet({"12", -1, 1}, false),
              (Bindings{{speed, snmp::kTypeInteger, "1"}, {flow, snmp::kTypeInteger, "2"}}));
    EXPECT_EQ(portConfigSet({"12", 5, 1}, true), (Bindings{{flow, snmp::kTypeInteger, "2"}}));
}

TEST(MulticastFilterRules, NamesPairOnlyWithTheirOwnVlan)
{
    const struct {
        WalkRow row;
        bool listed;
        std::string name;
        std::string mode;
    } cases[] = {
        {{{"10", "office", "0"}, ".10", {".10", ".10", ".10"}}, true, "office", "Forward Unregistered Groups"},
        // The multicast table lacks VLAN 20: the name column answered 20 for row 30.
        {{{"30", "voice", "1"}, ".30", {".30", ".20", ".30"}}, true, "", "Filtering Unregistered Groups"},
        {{{"30", "cameras", "7"}, ".30", {".30", ".30", ".30"}}, true, "cameras", "Filtering Unregistered Groups"},
        {{{"5", "", "0"}, ".5", {".5"}}, true, "", "Forward Unregistered Groups"},
        {{{"77 garbled", "x", "0"}, ".77", {".77", ".77", ".77"}}, false, "", ""},
        {{{"0", "x", "0"}, ".0", {".0", ".0", ".0"}}, false, "", ""},
        {{{"10", "office"}, ".10", {".10", ".10"}}, false, "", ""},
    };
    for (const auto& c : cases) {
        const auto decoded = decodeMulticastRow(c.row);
        ASSERT_EQ(decoded.has_value(), c.listed) << c.row.values[0];
        if (decoded) {
            EXPECT_EQ(decoded->vid, c.row.values[0]);
            EXPECT_EQ(decoded->name, c.name);
            EXPECT_EQ(decoded->mode, c.mode);
        }
    }
    const std::string mode = "1.3.6.1.4.1.32473.10.75.7.7.8.1.2.";
    EXPECT_EQ(multicastFilterSet({"1", "30"}, 1),
              (Bindings{{mode + "1", snmp::kTypeInteger, "1"}, {mode + "30", snmp::kTypeInteger, "1"}}));
    EXPECT_EQ(multicastFilterSet({"10"}, 0), (Bindings{{mode + "10", snmp::kTypeInteger, "0"}}));
    EXPECT_TRUE(multicastFilterSet({}, 0).empty());
}
