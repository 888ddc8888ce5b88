#pragma once

#include "snmp/pdu.h"

#include <string>
#include <string_view>

// Values as the session's callers write and read them: a small type code
// (ValueTypeCode of common_snmp.h) and the value as text.
namespace snmp {

// Builds the value of a binding from its type code and text. Octet strings
// take `text` as raw bytes. False for an unknown code or text that does not
// parse (a bad number or address is refused rather than sent as zero).
bool valueFromText(int typeCode, std::string_view text, Value& out);

// The type code and text of a received value: numbers in decimal, IpAddress
// and OBJECT IDENTIFIER dotted, octet strings raw; exceptions give code 0, "".
int valueTypeCode(const Value& value);
std::string valueToText(const Value& value);

} // namespace snmp
