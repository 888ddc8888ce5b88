#include "snmp/session_parameters.h"

#include "snmp/agent_address.h"

#include <charconv>

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

std::uint16_t agentPortNumber(const SessionParameters& parameters)
{
    const std::string& text = parameters.agentPort;
    std::uint16_t port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    return error == std::errc() && end == text.data() + text.size() ? port : 161;
}

void setSessionParameters(const SessionParameters& parameters)
{
    g_parameters = parameters;
    if (g_parameters.resolvedAddress.empty())
        resolveAgentAddress(g_parameters);
}

} // namespace snmp
