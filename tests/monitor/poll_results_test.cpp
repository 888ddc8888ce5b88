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
        status = change.element == element ? change.status : status;
    return status;
}

} // namespace

TEST(LinkResults, SpeedDecidesFullOrLowerByPortGroup)
{
    // Copper group: 100 Mbit/s is full speed; the last four, or an all-gigabit
    // model: only gigabit is.
    const auto stateOf = [](int port, const char* speed, bool allGiga) {
        return applyLinkResults({up(port, speed)}, {28, allGiga}, freshTable()).ports.states[port - 1];
    };
    for (const auto& [port, speed, allGiga, state] :
         {std::tuple{24, "100000000", false, kPortFullSpeed}, {25, "100000000", false, kPortLowerSpeed},
          {26, "1000000000", false, kPortFullSpeed}, {3, "10000000", false, kPortLowerSpeed},
          {3, "100000000", true, kPortLowerSpeed}, {4, "1000000000", true, kPortFullSpeed}})
        EXPECT_EQ(stateOf(port, speed, allGiga), state) << port << " " << speed << " " << allGiga;
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
    // Only the exact "POWER ON" is full speed; "OFF" texts disable; anything else is lower speed.
    for (const auto& [text, state] : {std::pair{"POWER ON", kPortFullSpeed}, {"POWER OFF", kPortDisabled},
                                      {"Time-based OFF", kPortDisabled}, {"Error: overload", kPortLowerSpeed},
                                      {"power on", kPortLowerSpeed}})
        EXPECT_EQ(poePortState(text), state) << text;
}

TEST(PoeResults, PortOneTurnsTheNonPoePortsOffAndEveryPortGetsCopperMedium)
{
    PanelUpdate update = applyPoeResults({{1, "POWER ON"}, {2, "Time-based OFF"}, {3, "Error"}, {29, "POWER ON"}}, k28Ports, freshTable());
    std::vector<ElementStatus> expected;
    for (int element = 24; element <= 29; ++element)
        expected.push_back({element, kPortDisabled});
    expected.insert(expected.end(), {{0, kPortFullSpeed}, {1, kPortDisabled}, {2, kPortLowerSpeed}});
    EXPECT_EQ(update.elements, expected);
    EXPECT_EQ(update.ports.states[0], kPortFullSpeed);
    EXPECT_EQ(update.ports.states[2], kPortLowerSpeed);
    EXPECT_EQ(update.ports.states[3], kPortNoLink);
    EXPECT_EQ(std::make_pair(update.ports.mediumTypes[0], update.ports.mediumTypes[2]), std::make_pair(2, 2));
    EXPECT_EQ(update.ports.mediumTypes[28], 0);
}

TEST(PollValues, PowerBudgetAndSuffixParsing)
{
    for (const auto& [watts, nearlyUsed] : {std::pair{"7", true}, {"7.0", true}, {" 3.25", true}, {"7.5", false}, {"120", false}})
        EXPECT_EQ(powerBudgetNearlyExhausted(watts), nearlyUsed) << watts;
    for (const auto& [suffix, first] : {std::pair{".5", 5}, {".26.1", 26}, {"12", 12}, {"", 0}, {".x", 0}})
        EXPECT_EQ(firstSuffixComponent(suffix), first) << suffix;
}
