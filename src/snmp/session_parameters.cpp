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

void setSessionParameters(const SessionParameters& parameters)
{
    g_parameters = parameters;
    if (g_parameters.resolvedAddress.empty())
        resolveAgentAddress(g_parameters);
}

} // namespace snmp
