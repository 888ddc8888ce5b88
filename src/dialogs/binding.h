#pragma once

#include <string>
#include <vector>

namespace snmp {
class CCommonSnmp;
}

namespace dialogs {

// One variable binding a dialog sends: OID, value type code, value. An
// OCTET STRING's value is its raw octets, zero octets included (port-list
// bitmaps, MAC addresses, engine ids, masks); other types carry their text.
struct Binding {
    std::string oid;
    int type = 0;
    std::string value;

    bool operator==(const Binding&) const = default;
};

using Bindings = std::vector<Binding>;

// Open(pduType) followed by one addValue per binding, in order; OCTET STRINGs
// go with their length. False when the session has no request object or
// refuses a binding.
bool prepare(snmp::CCommonSnmp& session, int pduType, const Bindings& bindings);

// Get or get-next bindings: every OID with type NULL and no value.
Bindings nullBindings(const std::vector<std::string>& oids);

} // namespace dialogs
