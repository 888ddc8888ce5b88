#include "snmp/session_parameters.h"

#include "snmp/agent_address.h"

namespace snmp {
namespace {
SessionParameters g_parameters;
}

const SessionParameters& sessionParameters()
{
    return g_parameters;
}

std::string sessionVersion(const SessionParameters& parameters)
{
    if (parameters.fromConsoleLine && parameters.version != "1" && parameters.version != "3")
        return {};
    return parameters.version;
}

void setSessionParameters(const SessionParameters& parameters)
{
    g_parameters = parameters;
    if (g_parameters.resolvedAddress.empty())
        resolveAgentAddress(g_parameters);
}

} // namespace snmp
