#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The agent's own settings: global state, engine ID, trap switches.
namespace dialogs::management {

// ---- SNMP Global State Settings ----

// The state answered: true for 1, false for another whole number, nothing
// for an answer that is no whole number.
std::optional<bool> decodeGlobalState(std::string_view value);

// ---- SNMP Engine ID ----

inline constexpr std::string_view kDefaultEngineId = "8000081c044653";

// Two lower-case digits per octet; nothing for an answer that is no engine
// ID (5 to 32 octets).
std::optional<std::string> decodeEngineId(std::string_view octets);
// The first failing check's message, or "".
std::string checkEngineId(std::string_view text);
// Hex text to octets; an odd length gets a leading "0".
std::string engineIdOctets(std::string_view text);

// ---- SNMP Trap Configuration ----

struct TrapObject {
    const char* caption;
    bool poeOnly;
};
// The nine objects in their order (suffix 1..9 under the trap group).
const std::vector<TrapObject>& trapObjects();
// Six objects, nine on a PoE model.
std::size_t trapCount(bool poe);
// A PoE model's device name holds a "p" or "P".
bool isPoeModel(std::string_view deviceName);

// Checked boxes from the answered values; nothing when a value is missing
// or no whole number.
std::optional<std::vector<bool>> decodeTraps(const std::vector<std::string>& values, bool poe);

} // namespace dialogs::management
