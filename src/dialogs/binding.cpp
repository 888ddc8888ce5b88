#include "dialogs/binding.h"

#include "snmp/common_snmp.h"

namespace dialogs {

bool prepare(snmp::CCommonSnmp& session, int pduType, const Bindings& bindings)
{
    if (!session.Open(pduType))
        return false;
    for (const Binding& binding : bindings) {
        const char* value = binding.type == snmp::kTypeNull ? nullptr : binding.value.c_str();
        if (session.addValue(binding.oid, binding.type, value) < 0)
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
