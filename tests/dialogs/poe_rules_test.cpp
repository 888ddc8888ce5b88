// PoE Configuration and the time-range editor: limits, ports offered, date
// and time checks, the free index, and what a read row shows.
#include "dialogs/management/poe_rules.h"
#include "dialogs/management/time_range_rules.h"

#include <gtest/gtest.h>

using namespace dialogs::management;

namespace {

const std::string kRange = "The User Defined power limit ranges between 1.0 ~ 30.0";
const std::string kStep = "The per-port power limit must be a multiple of 0.2";
const std::string kHighPort = "Invalid PoE Port User Define value Setting! ";

TEST(PoeRules, UserDefinedLimitPerPort)
{
    const struct {
        const char* watts;
        int port;
        std::string message;
    } cases[] = {
        {"15.6", 3, ""},      {"15.6", 5, kHighPort}, {"30.0", 4, ""},    {"30.0", 24, kHighPort},
        {"15.4", 24, ""},     {"30.2", 1, kRange},    {"0.8", 1, kRange}, {"0.8", 7, kRange},
        {"7.3", 1, kStep},    {"1.0", 8, ""},         {"", 1, kRange},    {"29.9", 2, kStep},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkUserLimit(c.watts, c.port), c.message) << c.watts << " W on port " << c.port;
}

TEST(PoeRules, EveryPortOfTheRangeIsCheckedBeforeAnySet)
{
    PoeSettings s;
    s.userDefined = true;
    const struct {
        std::vector<int> ports;
        const char* watts;
        std::string message;
    } cases[] = {
        {{3, 4, 5}, "15.6", kHighPort}, {{1, 2, 3, 4}, "30.0", ""}, {{5, 6}, "15.4", ""}, {{24}, "7.3", kStep},
    };
    for (const auto& c : cases) {
        s.userLimit = c.watts;
        EXPECT_EQ(checkPoeRange(s, c.ports), c.message) << c.watts;
    }
    s.userDefined = false; // the class limit: the edit's text is not read
    EXPECT_EQ(checkPoeRange(s, {3, 4, 5}), "");
}

TEST(PoeRules, PortsOfferedAreThePoePortsUpToTwentyFour)
{
    const auto upTo = [](int last) {
        std::vector<int> ports;
        for (int p = 1; p <= last; ++p)
            ports.push_back(p);
        return ports;
    };
    const struct {
        int portCount;
        std::vector<int> answered;
        std::vector<int> offered;
    } cases[] = {
        {28, upTo(24), upTo(24)}, {10, upTo(8), upTo(8)}, {10, {}, upTo(10)}, {52, {}, upTo(24)}, {28, {2, 5, 26}, {2, 5}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(offeredPoePorts(c.portCount, c.answered), c.offered) << c.portCount;
}

TEST(PoeRules, PortLineTexts)
{
    const std::vector<TimeRangeName> ranges{{1, "office-hours"}, {3, "night"}};
    const struct {
        std::vector<std::string> values; // columns .3 to .13
        std::vector<std::string> texts;
    } cases[] = {
        {{"1", "0", "2", "1", "2", "30.0", "19.8", "53.5", "370", "Class 4", "POWER ON"},
         {"5", "Enable", "N/A", "Normal", "Auto", "19.8", "53.5", "370", "Class 4", "POWER ON"}},
        {{"2", "3", "3", "5", "1", "15.6", "0.0", "0.0", "0", "N/A", "POWER OFF"},
         {"5", "Disable", "night", "High", "15.6", "0.0", "0.0", "0", "N/A", "POWER OFF"}},
        // An index without a name shows blank; unknown codes as received.
        {{"7", "2", "9", "4", "2", "", "", "", "", "", ""}, {"5", "7", "", "9", "Class 3", "", "", "", "", ""}},
    };
    for (const auto& c : cases) {
        const PoePortLine line = decodePoePort({c.values, ".1.6"}, 4, ranges);
        EXPECT_EQ(line.port, 6);
        EXPECT_EQ(line.texts, c.texts);
    }
    EXPECT_EQ(decodePoePort({cases[0].values, ".2.6"}, 0, ranges).port, 0) << "not unit 1";
}

TEST(PoeRules, TimeRangeNamesNeedAnIndexMatchingTheirInstance)
{
    EXPECT_EQ(decodeTimeRangeName({{"3", "night"}, ".3"})->index, 3);
    EXPECT_FALSE(decodeTimeRangeName({{"77 garbled", "night"}, ".3"}));
    EXPECT_FALSE(decodeTimeRangeName({{"4", "night"}, ".3"}));
    EXPECT_FALSE(decodeTimeRangeName({{"3"}, ".3"}));
}

TimeRange times(int startHour, int startMinute, int endHour, int endMinute)
{
    TimeRange r;
    r.startHour = startHour, r.startMinute = startMinute, r.endHour = endHour, r.endMinute = endMinute;
    return r;
}

TimeRange dated(int fromYear, int fromMonth, int fromDay, int toYear, int toMonth, int toDay, TimeRange r)
{
    r.dated = true;
    r.fromYear = fromYear, r.fromMonth = fromMonth, r.fromDay = fromDay;
    r.toYear = toYear, r.toMonth = toMonth, r.toDay = toDay;
    return r;
}

TEST(TimeRangeRules, DatesAndTimesInOrder)
{
    const TimeRange eightToNine = times(8, 0, 9, 0);
    const struct {
        TimeRange range;
        std::string message;
    } cases[] = {
        {dated(2010, 5, 1, 2010, 4, 30, eightToNine), "'To month' can't be less than 'From month'"},
        {dated(2010, 5, 20, 2010, 5, 3, eightToNine), "'To day' can't be less than 'From day'"},
        {dated(2011, 1, 1, 2010, 12, 31, eightToNine), "'To year' can't be less than 'From year'"},
        {times(8, 0, 7, 59), "'Start Time' can't be grater than 'End Time'"},
        {times(8, 0, 8, 1), ""},
        {dated(2010, 1, 1, 2010, 1, 2, times(8, 0, 7, 0)), ""},
        {dated(2010, 1, 1, 2010, 1, 1, times(8, 0, 7, 0)), "'Start Time' can't be grater than 'End Time'"},
        {dated(2011, 1, 1, 2010, 12, 31, times(8, 0, 8, 0)), "'Start Time' and 'End Time' can't be the same"},
        // Unused dates count as 2 whatever the combos hold.
        {[] { auto r = dated(2011, 1, 1, 2010, 12, 31, times(6, 0, 7, 0)); r.dated = false; return r; }(), ""},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(checkTimeRangeTimes(cases[i].range), cases[i].message) << "case " << i;
}

TEST(TimeRangeRules, NamesOfANewRange)
{
    const std::vector<RememberedRange> rows{{1, "office-hours", "1"}, {2, "parked", "2"}};
    const struct {
        const char* name;
        std::string message;
    } cases[] = {
        {"", "The TimeRange name can not be empty,please input it."},
        {"night.shift", "Invalid TimeRange Name."},
        {"parked", "Invalid TimeRange Name."},
        {"office-hours", "Invalid TimeRange Name."},
        {"night", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkTimeRangeName(c.name, rows), c.message) << c.name;
}

TEST(TimeRangeRules, FreeIndex)
{
    const auto rows = [](std::vector<std::pair<int, const char*>> indexAndStatus) {
        std::vector<RememberedRange> remembered;
        for (const auto& [index, status] : indexAndStatus)
            remembered.push_back({index, "r" + std::to_string(index), status});
        return remembered;
    };
    const struct {
        std::vector<RememberedRange> rows;
        std::optional<int> index;
    } cases[] = {
        {{}, 1},
        {rows({{1, "1"}, {2, "1"}, {4, "1"}}), 3},
        {rows({{1, "1"}, {2, "2"}, {3, "1"}}), 2},
        {rows({{2, "1"}}), 1},
        {rows({{1, "1"}, {2, "1"}, {3, "1"}, {4, "1"}, {5, "1"}, {6, "1"}, {7, "1"}, {8, "1"}}), std::nullopt},
        {rows({{1, "1"}, {2, "1"}, {3, "1"}, {4, "1"}, {5, "1"}, {6, "1"}, {7, "1"}}), 8},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(freeTimeRangeIndex(cases[i].rows), cases[i].index) << "case " << i;
}

std::vector<std::string> rowValues(std::vector<std::string> changes = {})
{
    std::vector<std::string> v{"1", "office", "1", "2010", "5", "3", "8", "5", "2011", "12", "31", "18", "30",
                               "1", "2", "1", "2", "1", "2", "2", "1"};
    for (std::size_t i = 0; i + 1 < changes.size(); i += 2)
        v[std::stoul(changes[i])] = changes[i + 1];
    return v;
}

TEST(TimeRangeRules, ReadRowsShowOrRefuse)
{
    const auto range = decodeTimeRange(rowValues());
    ASSERT_TRUE(range);
    EXPECT_EQ(timeRangeTexts(*range),
              (std::vector<std::string>{"office", "Mon,Wed,Fri", "2010/05/03", "2011/12/31", "08:05", "18:30"}));
    auto undated = decodeTimeRange(rowValues({"2", "2", "3", "0"}));
    ASSERT_TRUE(undated) << "unused dates are not checked";
    EXPECT_EQ(timeRangeTexts(*undated)[2], "");

    const std::vector<std::vector<std::string>> refused{
        rowValues({"3", "77 garbled"}), rowValues({"6", "24"}),  rowValues({"12", "60"}), rowValues({"4", "13"}),
        rowValues({"2", "3"}),          rowValues({"15", "0"}), rowValues({"1", std::string(65, '7')}),
        std::vector<std::string>(20, "1"),
    };
    for (std::size_t i = 0; i < refused.size(); ++i)
        EXPECT_FALSE(decodeTimeRange(refused[i])) << "case " << i;
}

} // namespace
