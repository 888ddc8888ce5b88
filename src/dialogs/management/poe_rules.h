#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"
#include "dialogs/write_sequence.h"

#include <optional>
#include <string>
#include <vector>

namespace dialogs::management {

// ---- PoE Configuration ----

inline constexpr int kPoeSetTimeoutMs = 20000;
inline constexpr int kPoePauseMs = 300;

const std::vector<std::string>& poePortHeaders();
const std::vector<std::string>& poeStateItems();      // "Enable", "Disable"
const std::vector<std::string>& poePriorityItems();   // "Low", "Normal", "High"
const std::vector<std::string>& poePowerLimitItems(); // "Auto", "Class 1" .. "Class 4"

// The index and name columns of the time-range table.
WalkRequest poeTimeRangeNamesRead();

struct TimeRangeName {
    int index = 0;
    std::string name;
};
// A row whose index is no whole number or differs from its instance: none.
std::optional<TimeRangeName> decodeTimeRangeName(const WalkRow& row);

// The eleven columns of the port table, one port per answer.
WalkRequest poePortTableRead();

// What Apply writes to each port of the range. A position of -1 (a value
// read from a line that no item shows) leaves that column as the switch has it.
struct PoeSettings {
    int state = 0;          // combo position: "Enable", "Disable"
    int timeRange = 0;      // index, 0 for "N/A"
    int priority = 1;       // combo position
    bool userDefined = false;
    int powerLimit = 0;     // combo position
    std::string userLimit;  // the edit's text
};

struct PoePortLine {
    int port = 0; // from the row's instance, 0 when it names none
    std::vector<std::string> texts; // one per header
    PoeSettings settings;           // what choosing the line shows
};
// `line` counts from 0; `ranges` are the names read before.
PoePortLine decodePoePort(const WalkRow& row, int line, const std::vector<TimeRangeName>& ranges);

// The ports "Form Port"/"To Port" offer: the answered ports among 1 to
// min(24, portCount); 1 to min(24, portCount) before any answered.
std::vector<int> offeredPoePorts(int portCount, const std::vector<int>& answered);

// The user-defined limit on one port: "" when it passes.
std::string checkUserLimit(const std::string& text, int port);
// Every port of the range before anything is sent: the first failure's
// message; nothing to write at all is refused too.
std::string checkPoeRange(const PoeSettings& settings, const std::vector<int>& ports);
Bindings poePortSet(int port, const PoeSettings& settings);

// On the write thread: one set per port (20 000 ms), 300 ms between ports;
// a set without success says "Unsuccessful!" and ends the loop. `ports` ascend.
// Progress counts the sets: "Writing port 3 of 20" for the third of a range 5 to 24.
void writePoePorts(WriteContext& write, CDialogSession& session, const std::vector<int>& ports,
                   const PoeSettings& settings);

} // namespace dialogs::management
