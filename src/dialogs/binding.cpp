#include "dialogs/binding.h"

#include "snmp/common_snmp.h"

namespace dialogs {

bool prepare(snmp::CCommonSnmp& session, int pduType, const Bindings& bindings)
{
    if (!session.Open(pduType))
        return false;
    for (const Binding& binding : bindings) {
        // OCTET STRING values go with their length: zero octets are data.
        const int added = binding.type == snmp::kTypeOctetString
                              ? session.addValue(binding.oid, binding.type, binding.value.data(), binding.value.size())
                          : binding.type == snmp::kTypeNull ? session.addValue(binding.oid, binding.type, nullptr)
                                                            : session.addValue(binding.oid, binding.type, binding.value.c_str());
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
