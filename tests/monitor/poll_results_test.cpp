#include "monitor/poll_results.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace monitor;

namespace {

LinkRow up(int port, const char* speed, const char* medium = "2")
{
    return {port, speed, "1", "1", medium};
}

// Port 8 was up on fibre, port 5 on copper, before the walk.
PortTable tableBefore()
{
    PortTable table;
    table.states.fill(kPortNoLink);
    table.states[7] = kPortFullSpeed;
    table.mediumTypes[7] = 4;
    table.mediumTypes[4] = 2;
    return table;
}

using PortEntry = std::tuple<int, int, int>; // index, state, medium

std::vector<PortEntry> entries(const PortTable& ports, const std::vector<PortEntry>& like)
{
    std::vector<PortEntry> out;
    for (const auto& [index, state, medium] : like)
        out.emplace_back(index, ports.states[index], ports.mediumTypes[index]);
    return out;
}

const DeviceTraits k28Ports{28, false};

} // namespace

TEST(LinkResults, SpeedDecidesFullOrLowerByPortGroup)
{
    // Copper group: 100 Mbit/s is full speed; the last four, or an all-gigabit model: only gigabit is.
    for (const auto& [port, speed, allGiga, state] :
         {std::tuple{24, "100000000", false, kPortFullSpeed}, {25, "100000000", false, kPortLowerSpeed},
          {26, "1000000000", false, kPortFullSpeed}, {3, "10000000", false, kPortLowerSpeed},
          {3, "100000000", true, kPortLowerSpeed}, {4, "1000000000", true, kPortFullSpeed}})
        EXPECT_EQ(applyLinkResults({up(port, speed)}, {28, allGiga}, tableBefore()).ports.states[port - 1], state)
            << port << " " << speed << " " << allGiga;
}

TEST(LinkResults, ElementsInOrderAndThePortTable)
{
    // The rows, the device, the elements changed, port table entries (port 8, without a row, falls back to no link but keeps its medium).
    const std::tuple<std::vector<LinkRow>, DeviceTraits, std::vector<ElementStatus>, std::vector<PortEntry>> cases[] = {
        // Administrative state first, then operational.
        {{{5, "100000000", "2", "1", "1"}, {6, "100000000", "1", "2", "1"}, {7, "1000000000", "1", "7", "1"}}, k28Ports,
         {{4, kPortDisabled}, {5, kPortNoLink}, {6, kPortNoLink}}, {{4, kPortDisabled, 1}, {5, kPortNoLink, 1}, {6, kPortNoLink, 1}, {7, kPortNoLink, 4}}},
        // A combination port in fibre mode shows on its alternative element; below them fibre stays on its own.
        {{up(26, "1000000000", "4")}, k28Ports, {{29, kPortFullSpeed}, {25, kPortNoLink}}, {{25, kPortFullSpeed, 4}, {7, kPortNoLink, 4}}},
        {{up(10, "100000000", "3")}, k28Ports, {{9, kPortFullSpeed}}, {{9, kPortFullSpeed, 3}}},
        // Port 1 resets the first two alternative elements before itself; a fibre port 26 after it wins.
        {{up(1, "100000000")}, k28Ports, {{28, kPortNoLink}, {29, kPortNoLink}, {0, kPortFullSpeed}}, {{0, kPortFullSpeed, 2}}},
        {{up(1, "100000000"), up(26, "1000000000", "4")}, k28Ports,
         {{28, kPortNoLink}, {29, kPortNoLink}, {0, kPortFullSpeed}, {29, kPortFullSpeed}, {25, kPortNoLink}},
         {{0, kPortFullSpeed, 2}, {25, kPortFullSpeed, 4}}},
        // Rows outside the ports, or past the table, are ignored and nothing is written out of bounds.
        {{up(29, "1000000000"), up(0, "1000000000"), up(-3, "1"), up(5, "100000000", "1")}, k28Ports, {{4, kPortFullSpeed}},
         {{4, kPortFullSpeed, 1}, {7, kPortNoLink, 4}}},
        {{up(100, "1000000000"), up(101, "1000000000")}, {200, true}, {{99, kPortFullSpeed}}, {{99, kPortFullSpeed, 2}}},
    };
    for (const auto& [rows, device, elements, ports] : cases) {
        const PanelUpdate update = applyLinkResults(rows, device, tableBefore());
        EXPECT_EQ(std::pair(update.elements, entries(update.ports, ports)), std::pair(elements, ports)) << rows.front().interfaceIndex;
    }
}

TEST(PoeResults, StatusTextsPortOneTurnsTheNonPoePortsOffEveryPortGetsCopperMediumAndTheBudgetAndSuffixesParse)
{
    // Only the exact "POWER ON" is full speed; "OFF" texts disable; anything else is lower speed.
    for (const auto& [text, state] : {std::pair{"POWER ON", kPortFullSpeed}, {"POWER OFF", kPortDisabled},
                                      {"Time-based OFF", kPortDisabled}, {"Error: overload", kPortLowerSpeed},
                                      {"power on", kPortLowerSpeed}})
        EXPECT_EQ(poePortState(text), state) << text;

    PanelUpdate update = applyPoeResults({{1, "POWER ON"}, {2, "Time-based OFF"}, {3, "Error"}, {29, "POWER ON"}}, k28Ports, tableBefore());
    EXPECT_EQ(update.elements, (std::vector<ElementStatus>{{24, kPortDisabled}, {25, kPortDisabled}, {26, kPortDisabled}, {27, kPortDisabled},
                                                           {28, kPortDisabled}, {29, kPortDisabled}, {0, kPortFullSpeed}, {1, kPortDisabled},
                                                           {2, kPortLowerSpeed}}));
    const std::vector<PortEntry> ports{{0, kPortFullSpeed, 2}, {2, kPortLowerSpeed, 2}, {3, kPortNoLink, 0}, {7, kPortNoLink, 4}, {28, kPortNoLink, 0}};
    EXPECT_EQ(entries(update.ports, ports), ports);

    for (const auto& [watts, nearlyUsed] : {std::pair{"7", true}, {"7.0", true}, {" 3.25", true}, {"7.5", false}, {"120", false}})
        EXPECT_EQ(powerBudgetNearlyExhausted(watts), nearlyUsed) << watts;
    for (const auto& [suffix, first] : {std::pair{".5", 5}, {".26.1", 26}, {"12", 12}, {"", 0}, {".x", 0}})
        EXPECT_EQ(firstSuffixComponent(suffix), first) << suffix;
}
