#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Small UDP helpers for starting agents without an SNMP stack, on a local
// numeric address: 127.0.0.1 unless told otherwise, or ::1.
namespace sim {

constexpr const char* kLoopbackAddress = "127.0.0.1";

// "127.0.0.1:161", "[::1]:161": an IPv6 address goes in brackets.
std::string hostAndPort(const std::string& address, std::uint16_t port);
bool isIpv6Text(const std::string& address);

// A UDP port on `address` that was free a moment ago; 0 when none was found
// (or the address is not numeric).
std::uint16_t freeLoopbackPort(const std::string& address = kLoopbackAddress);

// Sends one SNMPv1 get (community "qevtal", sysUpTime.0) and reports whether
// any datagram came back within `wait`. An error answer counts: the agent runs.
bool loopbackAnswers(std::uint16_t port, std::chrono::milliseconds wait, const std::string& address = kLoopbackAddress);

} // namespace sim
