#pragma once

#include "snmp/session_parameters.h"

// Session parameters for a test's lifetime.
class ParametersScope {
public:
    explicit ParametersScope(const snmp::SessionParameters& parameters) : m_saved(snmp::sessionParameters())
    {
        snmp::setSessionParameters(parameters);
    }
    ~ParametersScope() { snmp::setSessionParameters(m_saved); }

    ParametersScope(const ParametersScope&) = delete;
    ParametersScope& operator=(const ParametersScope&) = delete;

private:
    snmp::SessionParameters m_saved;
};
