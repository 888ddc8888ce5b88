#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs::management {

// The LLDP state scalar, read alone before the MED and remote views.
Bindings lldpStateRead();

// ---- LLDP Global Settings ----

// The state, the four timers and the four local-system scalars.
WalkRequest lldpGlobalRead();

struct LldpGlobalTexts {
    bool enabled = false;
    std::string holdMultiplier, txInterval, reinitDelay, txDelay;
    std::string chassisIdSubtype, chassisId, systemName, systemDescription;
};
// Fewer than five values, or a timer that is no whole number: nothing to show.
std::optional<LldpGlobalTexts> decodeLldpGlobal(const WalkRow& row);

struct LldpParameters {
    std::int64_t holdMultiplier = 0;
    std::int64_t txInterval = 0;
    std::int64_t reinitDelay = 0;
    std::int64_t txDelay = 0;
};
// The first failing check's message, or "".
std::string checkLldpParameters(const LldpParameters& parameters);

Bindings lldpStateSet(bool enabled);
Bindings lldpParametersSet(const LldpParameters& parameters);

// How often a global set is tried, and the waits after a success and between tries.
inline constexpr int kLldpSetAttempts = 3;
inline constexpr int kLldpSettleMs = 2000;
inline constexpr int kLldpRetryMs = 1000;

// ---- LLDP MED Settings ----

inline constexpr int kLldpMedPorts = 4;
inline constexpr const char* kLldpDisabledMessage = "The LLDP is disable ,so can not set LLDP MED !";
WalkRequest pseTlvWalk();
std::string pseTlvText(std::string_view value);
Bindings pseTlvSet(int port, bool enable);
// The pause before the re-read after the per-port sets.
inline constexpr int kPseTlvSettleMs = 1000;

// ---- LLDP Remote Port Information ----

inline constexpr const char* kRemoteReadFailed = "Get LLDP remote port information unsuccessful!";
inline constexpr const char* kNoRemotePort = "There is no LLDP Remote Port";
const std::vector<std::string>& remotePortHeaders();
WalkRequest remotePortWalk();
// The nine column texts of a row; nothing when its index is not time mark, port, remote index.
std::optional<std::vector<std::string>> remotePortRowTexts(const WalkRow& row);

std::string chassisSubtypeName(std::string_view value);
std::string portSubtypeName(std::string_view value);
// Upper-case hex octets joined by "-".
std::string chassisIdText(std::string_view octets);

} // namespace dialogs::management
