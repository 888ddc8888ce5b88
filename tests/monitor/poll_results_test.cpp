#include "monitor/poll_results.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace monitor;

namespace {

LinkRow up(int port, const char* speed, const char* medium = "2")
{
    return {port, speed, "1", "1", medium};
}

PortTable freshTable()
{
    PortTable table;
    table.states.fill(kPortNoLink);
    return table;
}

const DeviceTraits k28Ports{28, false};

int finalStatus(const PanelUpdate& update, int element)
{
    int status = -1;
    for (const ElementStatus& change : update.elements)
        if (change.element == element)
            status = change.status;
    return status;
}

} // namespace

TEST(LinkResults, SpeedDecidesFullOrLowerByPortGroup)
{
    PanelUpdate update = applyLinkResults({up(24, "100000000"), up(25, "100000000"), up(26, "1000000000"), up(3, "10000000")},
                                          k28Ports, freshTable());
    EXPECT_EQ(update.ports.states[23], kPortFullSpeed); // copper group: 100 Mbit/s is full speed
    EXPECT_EQ(update.ports.states[24], kPortLowerSpeed); // last four: only gigabit is full speed
    EXPECT_EQ(update.ports.states[25], kPortFullSpeed);
    EXPECT_EQ(update.ports.states[2], kPortLowerSpeed);

    PanelUpdate allGiga = applyLinkResults({up(3, "100000000"), up(4, "1000000000")}, {28, true}, freshTable());
    EXPECT_EQ(allGiga.ports.states[2], kPortLowerSpeed);
    EXPECT_EQ(allGiga.ports.states[3], kPortFullSpeed);
}

TEST(LinkResults, AdministrativeAndOperationalStatesComeFirst)
{
    PanelUpdate update = applyLinkResults({{5, "100000000", "2", "1", "1"}, {6, "100000000", "1", "2", "1"}, {7, "1000000000", "1", "7", "1"}},
                                          k28Ports, freshTable());
    EXPECT_EQ(update.ports.states[4], kPortDisabled);
    EXPECT_EQ(update.ports.states[5], kPortNoLink);
    EXPECT_EQ(update.ports.states[6], kPortNoLink);
    EXPECT_EQ(finalStatus(update, 4), kPortDisabled);
    EXPECT_EQ(finalStatus(update, 5), kPortNoLink);
}

TEST(LinkResults, CombinationPortInFibreModeUsesTheAlternativeElement)
{
    PanelUpdate update = applyLinkResults({up(26, "1000000000", "4")}, k28Ports, freshTable());
    EXPECT_EQ(update.elements, (std::vector<ElementStatus>{{29, kPortFullSpeed}, {25, kPortNoLink}}));
    EXPECT_EQ(update.ports.states[25], kPortFullSpeed);
    EXPECT_EQ(update.ports.mediumTypes[25], 4);

    // A fibre medium below the combination ports stays on its own element.
    PanelUpdate low = applyLinkResults({up(10, "100000000", "3")}, k28Ports, freshTable());
    EXPECT_EQ(low.elements, (std::vector<ElementStatus>{{9, kPortFullSpeed}}));
    EXPECT_EQ(low.ports.mediumTypes[9], 3);
}

TEST(LinkResults, PortOneResetsTheFirstTwoAlternativeElementsBeforeItself)
{
    PanelUpdate update = applyLinkResults({up(1, "100000000")}, k28Ports, freshTable());
    EXPECT_EQ(update.elements, (std::vector<ElementStatus>{{28, kPortNoLink}, {29, kPortNoLink}, {0, kPortFullSpeed}}));

    // A fibre port 26 after port 1 wins over that reset.
    PanelUpdate both = applyLinkResults({up(1, "100000000"), up(26, "1000000000", "4")}, k28Ports, freshTable());
    EXPECT_EQ(finalStatus(both, 29), kPortFullSpeed);
}

TEST(LinkResults, RowsOutsideThePortsAreIgnoredAndNothingIsWrittenOutOfBounds)
{
    PortTable before = freshTable();
    before.mediumTypes[4] = 2;
    PanelUpdate update = applyLinkResults({up(29, "1000000000"), up(0, "1000000000"), up(-3, "1"), up(5, "100000000", "1")},
                                          k28Ports, before);
    EXPECT_EQ(update.elements, (std::vector<ElementStatus>{{4, kPortFullSpeed}}));
    EXPECT_EQ(update.ports.mediumTypes[4], 1);

    // A port count beyond the table: indexes past 100 are dropped, not written.
    PanelUpdate huge = applyLinkResults({up(100, "1000000000"), up(101, "1000000000")}, {200, true}, freshTable());
    EXPECT_EQ(huge.ports.states[99], kPortFullSpeed);
    EXPECT_EQ(huge.elements.size(), 1u);
}

TEST(LinkResults, PortsWithoutARowFallBackToNoLinkButKeepTheirMedium)
{
    PortTable before = freshTable();
    before.states[7] = kPortFullSpeed;
    before.mediumTypes[7] = 4;
    PanelUpdate update = applyLinkResults({up(2, "100000000")}, k28Ports, before);
    EXPECT_EQ(update.ports.states[7], kPortNoLink);
    EXPECT_EQ(update.ports.mediumTypes[7], 4);
    EXPECT_EQ(std::count(update.ports.states.begin(), update.ports.states.end(), kPortNoLink), kMaxPorts - 1);
}

TEST(PoeResults, StatusTextsMapToStates)
{
    EXPECT_EQ(poePortState("POWER ON"), kPortFullSpeed);
    EXPECT_EQ(poePortState("POWER OFF"), kPortDisabled);
    EXPECT_EQ(poePortState("Time-based OFF"), kPortDisabled);
    EXPECT_EQ(poePortState("Error: overload"), kPortLowerSpeed);
    EXPECT_EQ(poePortState("power on"), kPortLowerSpeed);
}

TEST(PoeResults, PortOneTurnsTheNonPoePortsOffAndEveryPortGetsCopperMedium)
{
    PanelUpdate update = applyPoeResults({{1, "POWER ON"}, {2, "Time-based OFF"}, {3, "Error"}, {29, "POWER ON"}}, k28Ports, freshTable());
    std::vector<ElementStatus> expected;
    for (int element = 24; element <= 29; ++element)
        expected.push_back({element, kPortDisabled});
    expected.push_back({0, kPortFullSpeed});
    expected.push_back({1, kPortDisabled});
    expected.push_back({2, kPortLowerSpeed});
    EXPECT_EQ(update.elements, expected);
    EXPECT_EQ(update.ports.states[0], kPortFullSpeed);
    EXPECT_EQ(update.ports.states[2], kPortLowerSpeed);
    EXPECT_EQ(update.ports.states[3], kPortNoLink);
    EXPECT_EQ(update.ports.mediumTypes[0], 2);
    EXPECT_EQ(update.ports.mediumTypes[2], 2);
    EXPECT_EQ(update.ports.mediumTypes[28], 0);
}

TEST(PollValues, PowerBudgetAndSuffixParsing)
{
    EXPECT_TRUE(powerBudgetNearlyExhausted("7"));
    EXPECT_TRUE(powerBudgetNearlyExhausted("7.0"));
    EXPECT_TRUE(powerBudgetNearlyExhausted(" 3.25"));
    EXPECT_FALSE(powerBudgetNearlyExhausted("7.5"));
    EXPECT_FALSE(powerBudgetNearlyExhausted("120"));

    EXPECT_EQ(firstSuffixComponent(".5"), 5);
    EXPECT_EQ(firstSuffixComponent(".26.1"), 26);
    EXPECT_EQ(firstSuffixComponent("12"), 12);
    EXPECT_EQ(firstSuffixComponent(""), 0);
    EXPECT_EQ(firstSuffixComponent(".x"), 0);
}
