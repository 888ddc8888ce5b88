#pragma once

#include <cstdint>
#include <string>

// Process-wide session parameters: filled once from the command line before
// the main window exists, read-only afterwards. Every CCommonSnmp copies them.
namespace snmp {

struct SessionParameters {
    std::string firstToken;             // position 0, kept
    std::string agentAddress;           // position 1: IPv4, IPv6 (no brackets) or host name
    std::string resolvedAddress;        // agentAddress as a number, once (resolveAgentAddress)
    std::string readCommunity = "qevtal";
    std::string writeCommunity = "morvint";
    bool vlanEdit = true;               // position 4
    std::string version = "1";          // position 5: "1" or "3"; "2c" from a Connect start
    std::string agentPort = "161";      // position 6: UDP port of the agent
    std::string position9 = "1";        // kept, not used
    std::string securityLevel = "1";    // 10
    std::string userName;               // 11
    std::string authPassword;           // 12
    std::string privPassword;           // 13
    std::string authProtocol = "1";     // 14
    std::string privProtocol = "1";     // 15
    std::string requestTimeout = "3000"; // milliseconds; no command-line position
    // Read-only table views walk by GETBULK where the version allows it.
    bool bulkReads = false;
    // The console line knows versions "1" and "3" only; any other token it
    // gives names no version, "2c" included.
    bool fromConsoleLine = false;
};

// The version the session speaks: `version`, or "" where it names none.
std::string sessionVersion(const SessionParameters& parameters);
// The UDP port the sessions send to: `agentPort`, 161 when it is no port number.
std::uint16_t agentPortNumber(const SessionParameters& parameters);

const SessionParameters& sessionParameters();
// Start-up only, before any other thread runs (and in tests). A host name
// is resolved here, once, unless `resolvedAddress` is already filled.
void setSessionParameters(const SessionParameters& parameters);

} // namespace snmp
