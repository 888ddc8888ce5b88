#pragma once

#include "commands/management_path.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <string>
#include <vector>

namespace dialogs::switching {

// What the port texts depend on besides the answered values.
struct PortLayout {
    int portCount = 0;
    int comboPorts = 0; // the last ports, which can hold an SFP module
    bool allGiga = false;
};

// The list's six columns, trailing blanks included.
const std::vector<std::string>& portConfigHeaders();
// The speed combo's items; item index = speed code - 1.
const std::vector<std::string>& speedItems();
const std::vector<std::string>& flowControlItems();

// Speed, operating mode, flow control, default priority, operating flow
// control and medium, one row per port.
WalkRequest portTableRead();

// One answered row as the list shows it.
struct PortRow {
    std::vector<std::string> texts; // the six column texts
    int medium = 0;
    // Speed, flow control and medium are whole numbers: only then may the
    // row's values go back to the switch.
    bool writable = false;
    // The speed is one of the seven codes; any other shows "1000MFull" but
    // is not written back as such.
    bool speedKnown = false;
};
// rowIndex: the row's place in walk order (its Index is rowIndex + 1).
PortRow decodePortRow(const WalkRow& row, int rowIndex, const PortLayout& layout);

// What choosing a row puts into the controls: the speed item whose list
// text the row shows (-1 for none, and for a speed it did not decode) and
// "Enable" (0) or "Disable" (1).
struct PortSelection {
    std::string portId;
    int speedIndex = -1;
    int flowIndex = 1;
};
PortSelection selectPortRow(const PortRow& row);

// What Apply checks against: the dialog's reading of the switch.
struct PortTableState {
    PortLayout layout;
    std::vector<std::string> speedTexts; // "PortControlSpeed" of each listed row
    std::vector<int> media;              // per port, port 1 first
    std::vector<int> linkIds;            // per port, 0 = no aggregated link
};

struct PortChoice {
    std::string portId;  // "Port ID:"; empty until a row was clicked
    int speedIndex = -1; // -1: no selection, the speed is not written
    int flowIndex = -1;
};

// The first failing check's message, or "".
std::string checkPortChoice(const PortChoice& choice, const PortTableState& state);

// Questions asked before the set; OK goes on, anything else stops.
bool asksForcedSpeed(const PortChoice& choice);
bool asksFlowControl(const PortChoice& choice);
extern const char* const kForcedSpeedQuestion;
extern const char* const kFlowControlQuestion;

// The speed (unless the port is in an aggregated link or none is chosen)
// and the flow control.
Bindings portConfigSet(const PortChoice& choice, bool inAggregatedLink);

// What `sent` does to the path from this computer to the switch: "This
// disables port N." when it writes "Disable" to the path's port, read
// otherwise; "" for anything else and for an unknown path.
std::string portConfigPathCut(const commands::ManagementPath& path, const Bindings& sent, const PortTableState& read);

// The set goes through getNext with this time-out, and the re-read follows
// after this pause.
inline constexpr int kPortSetTimeoutMs = 7000;
inline constexpr int kPortSetPauseMs = 10;

} // namespace dialogs::switching
