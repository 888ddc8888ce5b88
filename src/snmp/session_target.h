#pragma once

#include "snmp/session_parameters.h"
#include "snmp/transport.h"

namespace snmp {

// Where and how a CCommonSnmp made from `parameters` sends a request of
// `pduType` (OpenType); a version other than 1 or 3 gives an empty target.
Target requestTarget(const SessionParameters& parameters, int pduType);

} // namespace snmp
