#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs::mib {

// ---- STP Configuration ----

// The thirteen bridge scalars, the private state and version last.
WalkRequest stpBridgeRead();

struct StpBridgeTexts {
    std::string priority;
    std::string timeSinceTopologyChange;
    std::string topologyChanges;
    std::string designatedRoot;
    std::string rootPort;
    std::string maxAge;
    std::string helloTime;
    std::string forwardDelay;
    std::string currentHelloTime;
    std::string holdTime;
    std::string currentForwardDelay;
    bool enabled = false;
    // The version item to select: RSTP, STP Compatible, or keep the selection.
    enum class Version { Keep, Rstp, StpCompatible } version = Version::Keep;
};

// Fewer than 11 values, or a priority or timer that is no whole number (an
// empty one included): nothing to show. A state other than "1", a missing
// one included, shows the protocol off.
std::optional<StpBridgeTexts> decodeStpBridge(const WalkRow& row);

// "%02X:...:%02X" for eight octets, other lengths as received.
std::string bridgeIdText(std::string_view octets);

// The priority combo's items 0, 4096, ... 61440.
std::vector<std::string> bridgePriorityItems();

// Numbers typed as anything but digits are -1 here.
struct StpBridgeSettings {
    std::int64_t maxAge = 0;
    std::int64_t helloTime = 0;
    std::int64_t forwardDelay = 0;
    std::int64_t priority = 0;
    bool rstp = true;   // "RSTP" selected, else "STP Compatible"
    bool enabled = false;
};

// The first failing check's message, or "".
std::string checkStpBridge(const StpBridgeSettings& settings);
// A priority typed as anything but digits, after the timer checks.
extern const char* const kStpPriorityNotNumber;

// The timer edits take at most 4 characters; a longer value from the switch
// is shown whole and refused here.
inline constexpr int kStpTimerMaxLength = 4;
struct StpTimerTexts {
    std::string maxAge, forwardDelay, helloTime;
};
// The edits' lengths in their order first, then checkStpBridge.
std::string checkStpBridge(const StpTimerTexts& typed, const StpBridgeSettings& settings);
Bindings stpBridgeSet(const StpBridgeSettings& settings);

// ---- Spanning Tree Table ----

inline constexpr std::size_t kStpPortColumns = 10;
const std::vector<std::string>& stpPortHeaders();
WalkRequest stpPortTableRead();
// The texts of the ten columns; raw values kept by the caller for the port dialog.
std::vector<std::string> stpPortRowTexts(const WalkRow& row);

// ---- Port STP Configuration ----

// The port's row as the table shows it.
struct StpPortRow {
    std::string port, priority, cost, enable, status, designatedRoot, designatedCost, designatedBridge, designatedPort,
        forwardings;
};
StpPortRow stpPortRow(const std::vector<std::string>& columnTexts);

std::vector<std::string> portPriorityItems(); // 0, 16, ... 240

Bindings stpPortRead(std::string_view port);

struct StpPortValues {
    std::string priority;
    std::string pathCost;
    bool enabled = false;
};
// Fewer than three values, or one that is no whole number: nothing to show.
std::optional<StpPortValues> decodeStpPort(const std::vector<std::string>& values);

// Numbers typed as anything but digits are -1 here.
struct StpPortSettings {
    std::int64_t priority = 0;
    std::int64_t pathCost = 0;
    bool enabled = false;
};
// linkId: the port's aggregated link (0 none). `shown` is the port's table row.
std::string checkStpPort(const StpPortSettings& settings, int linkId, const StpPortRow& shown);
Bindings stpPortSet(std::string_view port, const StpPortSettings& settings);

// Which of "<= Prev Port" and "Next Port =>" are enabled on row `row` of `count`.
struct PortNavigation {
    bool previous = false;
    bool next = false;
};
PortNavigation portNavigation(int row, int count);

} // namespace dialogs::mib
