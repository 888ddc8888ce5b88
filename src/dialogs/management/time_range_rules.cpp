#include "dialogs/management/time_range_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <cstdio>

namespace dialogs::management {
namespace {

constexpr const char* kTable = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";
constexpr int kStatusColumn = 21;
constexpr std::size_t kColumns = 21;
// Longer than any name the switch keeps.
constexpr std::size_t kLongestName = 64;
constexpr std::size_t kNameCapacity = 256;

std::string cell(int column, int index)
{
    return kTable + std::to_string(column) + "." + std::to_string(index);
}

std::string twoDigits(int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string number(int value)
{
    return std::to_string(value);
}

bool isFlag(const std::string& value)
{
    return value == "1" || value == "2";
}

} // namespace

const std::vector<std::string>& timeRangeHeaders()
{
    static const std::vector<std::string> kHeaders{"Rang Name", "Weekdays", "From Day", "To Day", "Start Time", "End Time"};
    return kHeaders;
}

WalkRequest timeRangeTableRead()
{
    std::vector<std::string> oids;
    for (int column = 1; column <= kStatusColumn; ++column)
        oids.push_back(kTable + number(column));
    return {WalkRequest::Mode::Table, std::move(oids), kColumns};
}

Bindings timeRangeRowRead(int index)
{
    std::vector<std::string> oids;
    for (int column = 1; column <= kStatusColumn; ++column)
        oids.push_back(cell(column, index));
    return nullBindings(oids);
}

std::optional<TimeRange> decodeTimeRange(const std::vector<std::string>& v)
{
    if (v.size() < kColumns || !isFlag(v[2]) || v[1].size() > kLongestName)
        return std::nullopt;
    for (std::size_t i = 3; i <= 12; ++i)
        if (!isWholeNumber(v[i]))
            return std::nullopt;
    for (std::size_t i = 13; i <= 19; ++i)
        if (!isFlag(v[i]))
            return std::nullopt;
    const auto at = [&](std::size_t i) { return static_cast<int>(leadingNumber(v[i])); };
    TimeRange range;
    range.name = snmp::utf8ToLocal(v[1]);
    range.dated = v[2] == "1";
    range.fromYear = at(3), range.fromMonth = at(4), range.fromDay = at(5);
    range.startHour = at(6), range.startMinute = at(7);
    range.toYear = at(8), range.toMonth = at(9), range.toDay = at(10);
    range.endHour = at(11), range.endMinute = at(12);
    for (std::size_t day = 0; day < 7; ++day)
        range.days[day] = v[13 + day] == "1";
    const auto within = [](int value, int low, int high) { return value >= low && value <= high; };
    if (!within(range.startHour, 0, 23) || !within(range.endHour, 0, 23) || !within(range.startMinute, 0, 59)
        || !within(range.endMinute, 0, 59))
        return std::nullopt;
    if (range.dated
        && !(within(range.fromYear, 2009, 2037) && within(range.toYear, 2009, 2037) && within(range.fromMonth, 1, 12)
             && within(range.toMonth, 1, 12) && within(range.fromDay, 1, 31) && within(range.toDay, 1, 31)))
        return std::nullopt;
    return range;
}

RememberedRange rememberRange(const WalkRow& row)
{
    RememberedRange remembered;
    const std::string instance = row.suffix.empty() ? std::string() : row.suffix.substr(1);
    if (isWholeNumber(instance))
        remembered.index = static_cast<int>(std::clamp<std::int64_t>(leadingNumber(instance), 0, 65535));
    if (row.values.size() >= kColumns) {
        remembered.name = snmp::utf8ToLocal(row.values[1]);
        remembered.status = row.values[kColumns - 1];
    }
    return remembered;
}

std::vector<std::string> timeRangeTexts(const std::vector<std::string>& values)
{
    static const char* const kDays[] = {"Mon,", "Tue,", "Wed,", "Thu,", "Fri,", "Sat,", "Sun,"};
    std::vector<std::string> v = values;
    v.resize(kColumns);
    std::string weekdays;
    for (std::size_t day = 0; day < 7; ++day)
        if (v[13 + day] == "1")
            weekdays += kDays[day];
    if (!weekdays.empty())
        weekdays.pop_back();
    const auto field = [&](std::size_t i) {
        const bool small = isWholeNumber(v[i]) && leadingNumber(v[i]) >= 0 && leadingNumber(v[i]) <= 99;
        return small ? twoDigits(static_cast<int>(leadingNumber(v[i]))) : v[i];
    };
    const bool dated = v[2] != "2";
    const auto date = [&](std::size_t year) { return v[year] + "/" + field(year + 1) + "/" + field(year + 2); };
    return {snmp::utf8ToLocal(v[1]),
            weekdays,
            dated ? date(3) : std::string(),
            dated ? date(8) : std::string(),
            field(6) + ":" + field(7),
            field(11) + ":" + field(12)};
}

std::optional<std::vector<std::string>> timeRangeListTexts(const RememberedRange& row,
                                                           const std::vector<std::string>& values)
{
    if (row.index == 0)
        return std::nullopt;
    std::vector<std::string> texts = timeRangeTexts(values);
    if (row.status != "1")
        texts.front() += kNotActive;
    return texts;
}

std::string checkTimeRangeName(const std::string& name, const std::vector<RememberedRange>& rows)
{
    if (name.empty())
        return "The TimeRange name can not be empty,please input it.";
    if (!snmp::isValidName(name))
        return "Invalid TimeRange Name.";
    if (std::any_of(rows.begin(), rows.end(), [&](const RememberedRange& row) { return row.name == name; }))
        return "Invalid TimeRange Name.";
    return {};
}

std::string checkTimeRangeTimes(const TimeRange& r)
{
    const int start = r.startHour * 100 + r.startMinute;
    const int end = r.endHour * 100 + r.endMinute;
    if (start == end)
        return "'Start Time' and 'End Time' can't be the same";
    const auto dateField = [&](int value) { return r.dated ? value : 2; };
    const int fromYear = dateField(r.fromYear), fromMonth = dateField(r.fromMonth);
    const int toYear = dateField(r.toYear), toMonth = dateField(r.toMonth);
    const int from = fromYear * 10000 + fromMonth * 100 + dateField(r.fromDay);
    const int to = toYear * 10000 + toMonth * 100 + dateField(r.toDay);
    if (from > to) {
        if (fromYear > toYear)
            return "'To year' can't be less than 'From year'";
        if (fromMonth <= toMonth)
            return "'To day' can't be less than 'From day'";
        return "'To month' can't be less than 'From month'";
    }
    if (from == to && start > end)
        return "'Start Time' can't be grater than 'End Time'";
    return {};
}

std::optional<int> freeTimeRangeIndex(const std::vector<RememberedRange>& rows)
{
    // A row in any status keeps its index: the switch refuses to create over it.
    for (int index = 1; index <= kMaxTimeRanges; ++index)
        if (std::none_of(rows.begin(), rows.end(), [&](const RememberedRange& row) { return row.index == index; }))
            return index;
    return std::nullopt;
}

Bindings timeRangeStatusSet(int index, int status)
{
    return {{cell(kStatusColumn, index), snmp::kTypeInteger, number(status)}};
}

Bindings timeRangeColumnsSet(int index, const TimeRange& r)
{
    using snmp::kTypeInteger;
    Bindings bindings{{cell(2, index), snmp::kTypeOctetString, snmp::localToUtf8(r.name, kNameCapacity)},
                      {cell(3, index), kTypeInteger, r.dated ? "1" : "2"}};
    const auto add = [&](int column, int value) { bindings.push_back({cell(column, index), kTypeInteger, number(value)}); };
    if (r.dated) {
        add(4, r.fromYear), add(5, r.fromMonth), add(6, r.fromDay);
        add(9, r.toYear), add(10, r.toMonth), add(11, r.toDay);
    }
    add(7, r.startHour), add(8, r.startMinute), add(12, r.endHour), add(13, r.endMinute);
    for (int day = 0; day < 7; ++day)
        add(14 + day, r.days[static_cast<std::size_t>(day)] ? 1 : 2);
    add(kStatusColumn, 1);
    return bindings;
}

namespace {

// createAndWait, then the columns; a failed column set destroys the row again.
bool createRange(WriteContext& write, CDialogSession& session, int index, const TimeRange& range)
{
    if (write.set(session, timeRangeStatusSet(index, 5)) != snmp::kStatusOk)
        return false; // the index may hold another manager's row: nothing more goes to it
    if (write.setByGetNext(session, timeRangeColumnsSet(index, range)) == snmp::kStatusOk)
        return true;
    write.set(session, timeRangeStatusSet(index, 6));
    return false;
}

} // namespace

void writeTimeRange(WriteContext& write, CDialogSession& session, const TimeRangeChange& change)
{
    if (change.old && write.set(session, timeRangeStatusSet(change.index, 6)) != snmp::kStatusOk) {
        write.warn(kTimeRangeNotChanged);
        return;
    }
    if (createRange(write, session, change.index, change.range))
        return;
    if (!change.old) {
        write.warn("Unsuccessful!");
        return;
    }
    const bool restored = createRange(write, session, change.index, *change.old);
    write.warn(restored ? kTimeRangeNotChanged : kTimeRangeRemoved);
}

std::vector<std::string> numberItems(int first, int last)
{
    std::vector<std::string> items;
    for (int value = first; value <= last; ++value)
        items.push_back(number(value));
    return items;
}

} // namespace dialogs::management
