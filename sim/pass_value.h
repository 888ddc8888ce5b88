#pragma once

#include "snmp/pdu.h"

#include <string>
#include <string_view>

// Values in snmpd's pass_persist notation: a type word and a value text.
namespace sim {

struct PassValue {
    std::string type;
    std::string text;
};

// Printable strings go out as "string", anything else as "octet" hex pairs.
PassValue toPassValue(const snmp::Value& value);
// One set line after the OID, e.g. `integer 5`, `string "abc"`,
// `octet "80 00"`, `gauge -1` (snmpd writes unsigned types signed).
bool fromPassLine(std::string_view line, snmp::Value& out);

} // namespace sim
