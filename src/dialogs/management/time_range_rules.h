#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"
#include "dialogs/write_sequence.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace dialogs::management {

// ---- Time Range Information / Time Based PoE Config ----

inline constexpr int kMaxTimeRanges = 8;

const std::vector<std::string>& timeRangeHeaders();

// The 21 columns: the list's walk.
WalkRequest timeRangeTableRead();
// The 21 instances of one row: the editor's get.
Bindings timeRangeRowRead(int index);

struct TimeRange {
    std::string name;
    bool dated = false;
    int fromYear = 2009, fromMonth = 1, fromDay = 1;
    int startHour = 0, startMinute = 0;
    int toYear = 2009, toMonth = 1, toDay = 1;
    int endHour = 0, endMinute = 0;
    std::array<bool, 7> days{}; // Monday first
};

// The 21 values of a row. None when a value the editor would show and
// write back is no whole number, out of its combo's range or no 1/2 flag.
std::optional<TimeRange> decodeTimeRange(const std::vector<std::string>& values);

// What the list keeps of each walked row.
struct RememberedRange {
    int index = 0; // the row's instance
    std::string name;
    std::string status;
};
RememberedRange rememberRange(const WalkRow& row);

// "Rang Name", "Weekdays", "From Day", "To Day", "Start Time", "End Time" of
// a walked row's 21 values. A field that does not decode shows as read: the
// row still holds its index, and must be seen to be deleted.
std::vector<std::string> timeRangeTexts(const std::vector<std::string>& values);

// The list's line of a walked row: timeRangeTexts, the name marked
// kNotActive when the row is not active (it still holds its index, and is
// listed so that it can be deleted). None for a row without an index.
inline constexpr const char* kNotActive = " (not active)";
std::optional<std::vector<std::string>> timeRangeListTexts(const RememberedRange& row,
                                                           const std::vector<std::string>& values);

// Add mode's name check: "" when it passes.
std::string checkTimeRangeName(const std::string& name, const std::vector<RememberedRange>& rows);
// The times and dates, dates counting as 2 when not used: "" when they pass.
std::string checkTimeRangeTimes(const TimeRange& range);
// The lowest index 1 to 8 that no row holds, whatever its status; none
// (kTimeRangesFull) when every one is held.
std::optional<int> freeTimeRangeIndex(const std::vector<RememberedRange>& rows);
inline constexpr const char* kTimeRangesFull = "The max number of PoE Time Range is 8";

Bindings timeRangeStatusSet(int index, int status);
// Name, date flag, the dates when used, times, days, then status 1.
Bindings timeRangeColumnsSet(int index, const TimeRange& range);

// What the editor's Apply writes; `old` is the row read at opening (edit).
struct TimeRangeChange {
    int index = 0;
    TimeRange range;
    std::optional<TimeRange> old;
};
inline constexpr const char* kTimeRangeNotChanged = "Unsuccessful! The change was not applied.";
inline constexpr const char* kTimeRangeRemoved =
    "Unsuccessful! The change was not applied, and the time range could not be put back: it has been removed.";

// On the write thread. Edit destroys the old row first; a create that fails
// takes its half-made row away again, and an edit then puts the old row back
// (and says so when that fails too).
void writeTimeRange(WriteContext& write, CDialogSession& session, const TimeRangeChange& change);

// Combo items: years 2009..2037, months 1..12, days 1..31, hours 0..23, minutes 0..59.
std::vector<std::string> numberItems(int first, int last);

} // namespace dialogs::management
