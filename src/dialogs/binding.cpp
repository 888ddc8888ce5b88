#include "dialogs/binding.h"

#include "snmp/common_snmp.h"

namespace dialogs {

bool prepare(snmp::CCommonSnmp& session, int pduType, const Bindings& bindings)
{
    if (!session.Open(pduType))
        return false;
    for (const Binding& binding : bindings) {
        // Octet strings go with their length: a port list holds zero octets.
        const int added = binding.type == snmp::kTypeOctetString
            ? session.addValue(binding.oid, binding.type, binding.value.data(), binding.value.size())
            : session.addValue(binding.oid, binding.type, binding.type == snmp::kTypeNull ? nullptr : binding.value.c_str());
        if (added < 0)
            return false;
    }
    return true;
}

Bindings nullBindings(const std::vector<std::string>& oids)
{
    Bindings bindings;
    bindings.reserve(oids.size());
    for (const std::string& oid : oids)
        bindings.push_back({oid, snmp::kTypeNull, {}});
    return bindings;
}

} // namespace dialogs
