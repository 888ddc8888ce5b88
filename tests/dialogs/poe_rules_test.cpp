// PoE Configuration and the time-range editor: limits, ports offered, date
// and time checks, the free index, and what a read row shows.
#include "dialogs/management/poe_rules.h"
#include "dialogs/management/time_range_rules.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace dialogs::management;

namespace {

const std::string kRange = "The User Defined power limit ranges between 1.0 ~ 30.0";
const std::string kStep = "The per-port power limit must be a multiple of 0.2";
const std::string kHighPort = "Invalid PoE Port User Define value Setting! ";

// The C library's locale as the desktop may set it: a decimal comma must not
// cut "15.6" to 15.
TEST(PoeRules, UserDefinedLimitsAreCheckedOnEveryPortOfTheRangeWhateverTheLocale)
{
    // Watts, the ports of the range, message.
    const std::tuple<const char*, std::vector<int>, std::string> cases[] = {
        {"15.6", {3}, ""},         {"15.6", {5}, kHighPort},  {"15.6", {3, 4, 5}, kHighPort}, {"30.0", {1, 2, 3, 4}, ""},
        {"15.4", {24}, ""},        {"30.2", {1}, kRange},     {"0.8", {7}, kRange},           {"", {1}, kRange},
        {"7.3", {1}, kStep},       {"29.9", {2, 3}, kStep},   {"1.0", {8}, ""},               {" +2.4", {9}, ""},
    };
    const std::string before = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        ASSERT_TRUE(std::setlocale(LC_ALL, locale)) << locale << " is missing: scripts/bootstrap generates it";
        PoeSettings s;
        s.userDefined = true;
        for (const auto& [watts, ports, message] : cases) {
            s.userLimit = watts;
            EXPECT_EQ(checkPoeRange(s, ports), message) << watts << " W from port " << ports.front() << " in " << locale;
        }
        s.userDefined = false; // by class: the edit is not read
        EXPECT_EQ(checkPoeRange(s, {5}), "");
    }
    std::setlocale(LC_ALL, before.c_str());
}

TEST(PoeRules, ALineWithoutItsTimeRangesNameShowsItBlankAndAGarbledIndexGivesNoName)
{
    const PoePortLine line = decodePoePort({{"2", "3", "3", "5", "1", "15.6", "0", "0", "0", "N/A", "OFF"}, ".1.6"}, 4, {{1, "day"}});
    EXPECT_EQ(line.texts, (std::vector<std::string>{"5", "Disable", "", "High", "15.6", "0", "0", "0", "N/A", "OFF"}));
    EXPECT_EQ(line.port, 6);
    const PoeSettings& s = line.settings; // what choosing the line shows: time range 3 has no name here
    EXPECT_EQ(std::tie(s.state, s.timeRange, s.priority, s.userDefined, s.powerLimit, s.userLimit), std::tuple(1, 3, 2, true, 4, "15.6"));
    EXPECT_FALSE(decodeTimeRangeName({{"77 garbled", "night"}, ".3"}));
    EXPECT_FALSE(decodeTimeRangeName({{"4", "night"}, ".3"}));
}

TimeRange range(std::vector<int> fields, bool dated = true)
{
    TimeRange r; // from y m d, to y m d, start h m, end h m
    r.dated = dated;
    int* const targets[] = {&r.fromYear, &r.fromMonth, &r.fromDay,   &r.toYear,  &r.toMonth,
                            &r.toDay,    &r.startHour, &r.startMinute, &r.endHour, &r.endMinute};
    for (std::size_t i = 0; i < fields.size(); ++i)
        *targets[i] = fields[i];
    return r;
}

TEST(TimeRangeRules, DatesAndTimesInOrder)
{
    const std::pair<TimeRange, std::string> cases[] = {
        {range({2010, 5, 1, 2010, 4, 30, 8, 0, 9, 0}), "'To month' can't be less than 'From month'"},
        {range({2010, 5, 20, 2010, 5, 3, 8, 0, 9, 0}), "'To day' can't be less than 'From day'"},
        {range({2011, 1, 1, 2010, 12, 31, 8, 0, 9, 0}), "'To year' can't be less than 'From year'"},
        {range({2011, 1, 1, 2010, 12, 31, 8, 0, 8, 0}), "'Start Time' and 'End Time' can't be the same"},
        {range({2011, 1, 1, 2010, 12, 31, 8, 0, 7, 59}, false), "'Start Time' can't be grater than 'End Time'"},
        {range({2011, 1, 1, 2010, 12, 31, 8, 0, 8, 1}, false), ""}, {range({2010, 1, 1, 2010, 1, 2, 8, 0, 7, 0}), ""},
        {range({2010, 1, 1, 2010, 1, 1, 8, 0, 7, 0}), "'Start Time' can't be grater than 'End Time'"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(checkTimeRangeTimes(cases[i].first), cases[i].second) << "case " << i;
}

TEST(TimeRangeRules, NamesAndTheFreeIndexOfANewRange)
{
    const std::vector<RememberedRange> rows{{1, "office-hours", "1"}, {2, "parked", "2"}};
    for (const auto& [name, message] : std::initializer_list<std::pair<const char*, std::string>>{
             {"", "The TimeRange name can not be empty,please input it."}, {"night.shift", "Invalid TimeRange Name."},
             {"parked", "Invalid TimeRange Name."}, {"office-hours", "Invalid TimeRange Name."}, {"night", ""}})
        EXPECT_EQ(checkTimeRangeName(name, rows), message) << name;

    const auto indexFor = [](std::vector<std::pair<int, const char*>> walked) {
        std::vector<RememberedRange> remembered;
        for (const auto& [index, status] : walked)
            remembered.push_back({index, "", status});
        return freeTimeRangeIndex(remembered);
    };
    // A row in any status holds its index, and only 1 to 8 exist.
    EXPECT_EQ((std::vector<std::optional<int>>{indexFor({}), indexFor({{1, "1"}, {2, "1"}, {4, "1"}}),
                                               indexFor({{1, "1"}, {2, "2"}, {3, "1"}}), indexFor({{2, "2"}, {1, "5"}}),
                                               indexFor({{1, "1"}, {2, "1"}, {3, "1"}, {4, "1"}, {5, "1"}, {6, "1"}, {7, "5"}, {8, "1"}})}),
              (std::vector<std::optional<int>>{1, 3, 4, 3, std::nullopt}));
}

TEST(TimeRangeRules, ARowIsShownWithWhatDecodes)
{
    const std::string longName(70, 'n');
    const auto texts = [](std::string name, const char* dated, const char* fromYear, const char* fromMonth) {
        return timeRangeTexts({"3", name, dated, fromYear, fromMonth, "1", "8", "0", "2010", "4", "3", "18", "5",
                               "1", "2", "1", "2", "1", "2", "2", "1"});
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(texts("night", "1", "2009", "12"), (Texts{"night", "Mon,Wed,Fri", "2009/12/01", "2010/04/03", "08:00", "18:05"}));
    EXPECT_EQ(texts("night", "2", "2009", "12"), (Texts{"night", "Mon,Wed,Fri", "", "", "08:00", "18:05"}));
    EXPECT_EQ(texts(longName, "1", "20x9", "123"), (Texts{longName, "Mon,Wed,Fri", "20x9/123/01", "2010/04/03", "08:00", "18:05"}));
}

} // namespace
