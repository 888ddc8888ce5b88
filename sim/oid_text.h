#pragma once

#include "snmp/pdu.h"

#include <string>
#include <string_view>

// OIDs as snmpd's pass_persist protocol writes them: ".1.3.6.1".
namespace sim {

std::string dottedOid(const snmp::Oid& oid);
// Accepts the leading dot or not; false for anything but decimal arcs.
bool parseDottedOid(std::string_view text, snmp::Oid& out);

} // namespace sim
