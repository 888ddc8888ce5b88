// Objects the link admission checks read: ACL port lists, static forwarding
// destinations, and the spanning-tree port columns the other branch serves.
#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

namespace sim {

using namespace oids;

void SimulatedSwitch::seedTrunkChecks()
{
    const int n = m_model.portCount;
    for (const AclSeed& acl : m_model.acls) {
        const auto id = static_cast<std::uint32_t>(acl.id);
        m_mib.put(joined(kAclEntry, {1, id}), integerValue(acl.id));
        m_mib.put(joined(kAclEntry, {10, id}), octetValue(encodePortList(acl.ports, n)), Access::ReadWrite);
    }
    for (const StaticFdbSeed& entry : m_model.staticFdb) {
        snmp::Oid index = {static_cast<std::uint32_t>(entry.vlan)};
        for (unsigned char octet : entry.mac)
            index.push_back(octet);
        m_mib.put(joined(joined(kStaticFdbEntry, {1}), index), integerValue(entry.vlan));
        m_mib.put(joined(joined(kStaticFdbEntry, {2}), index), octetValue(entry.mac));
        m_mib.put(joined(joined(kStaticFdbEntry, {3}), index), integerValue(entry.port), Access::ReadWrite);
    }
    syncStpBranch();
}

void SimulatedSwitch::syncStpBranch()
{
    // Read-only copies of the priority and enable columns.
    for (int p = 1; p <= m_model.portCount; ++p)
        for (std::uint32_t column : {2u, 4u})
            if (const MibEntry* entry = m_mib.find(joined(kStpPortEntry, {column, static_cast<std::uint32_t>(p)})))
                m_mib.put(joined(kStpPortBranchEntry, {column, static_cast<std::uint32_t>(p)}), entry->value);
}

} // namespace sim
