#include "dialogs/binding.h"

#include "snmp/common_snmp.h"

namespace dialogs {
namespace {

int addBinding(snmp::CCommonSnmp& session, const Binding& binding)
{
    // The text form would end an OCTET STRING at its first zero octet.
    if (binding.type == snmp::kTypeOctetString)
        return session.addValue(binding.oid, binding.type, binding.value.data(), binding.value.size());
    const char* value = binding.type == snmp::kTypeNull ? nullptr : binding.value.c_str();
    return session.addValue(binding.oid, binding.type, value);
}

} // namespace

bool prepare(snmp::CCommonSnmp& session, int pduType, const Bindings& bindings)
{
    if (!session.Open(pduType))
        return false;
    for (const Binding& binding : bindings)
        if (addBinding(session, binding) < 0)
            return false;
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
