#pragma once

#include "snmp/session_parameters.h"

#include <cstdint>
#include <string>

// Session parameters for a loopback agent: version 1 with the default
// communities, or version 3 with the launcher's pass phrases.
struct AgentUser {
    // Name ("" for version 1), security level "1".."3", protocol codes.
    const char *name, *level, *auth, *priv;
};

inline snmp::SessionParameters sessionParametersFor(std::uint16_t port, const AgentUser& user, int timeoutMs = 3000)
{
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.agentPort = std::to_string(port);
    parameters.requestTimeout = std::to_string(timeoutMs);
    if (*user.name) {
        parameters.version = "3";
        parameters.userName = user.name;
        parameters.securityLevel = user.level;
        parameters.authProtocol = user.auth;
        parameters.privProtocol = user.priv;
        parameters.authPassword = "authpass123";
        parameters.privPassword = "privpass123";
    }
    return parameters;
}

inline const AgentUser kAgentUsers[] = {{"", "1", "1", "1"},          {"simnoauth", "1", "1", "1"}, {"simmd5", "2", "2", "1"},
                                        {"simsha", "2", "3", "1"},    {"simshades", "3", "3", "2"}, {"simshaaes", "3", "3", "4"},
                                        {"simsha256", "3", "5", "4"}};
inline const AgentUser& kVersion1 = kAgentUsers[0];
