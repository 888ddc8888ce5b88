#pragma once

#include <chrono>
#include <cstdint>

// Small UDP helpers on 127.0.0.1 for starting agents without an SNMP stack.
namespace sim {

// A UDP port on 127.0.0.1 that was free a moment ago; 0 when none was found.
std::uint16_t freeLoopbackPort();

// Sends one SNMPv1 get (community "qevtal", sysUpTime.0) and reports whether
// any datagram came back within `wait`. An error answer counts: the agent runs.
bool loopbackAnswers(std::uint16_t port, std::chrono::milliseconds wait);

} // namespace sim
