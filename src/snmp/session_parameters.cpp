#include "snmp/session_parameters.h"

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
}

} // namespace snmp
