#include "sim/mib_store.h"

#include <algorithm>

namespace sim {

void MibStore::put(const snmp::Oid& oid, snmp::Value value, Access access)
{
    m_entries[oid] = MibEntry{std::move(value), access};
}

bool MibStore::assign(const snmp::Oid& oid, snmp::Value value)
{
    auto it = m_entries.find(oid);
    if (it == m_entries.end())
        return false;
    it->second.value = std::move(value);
    return true;
}

void MibStore::erase(const snmp::Oid& oid) { m_entries.erase(oid); }

const MibEntry* MibStore::find(const snmp::Oid& oid) const
{
    auto it = m_entries.find(oid);
    return it == m_entries.end() ? nullptr : &it->second;
}

std::optional<snmp::VarBind> MibStore::next(const snmp::Oid& oid) const
{
    auto it = m_entries.upper_bound(oid);
    if (it == m_entries.end())
        return std::nullopt;
    return snmp::VarBind{it->first, it->second.value};
}

std::optional<snmp::VarBind> MibStore::nextUnder(const snmp::Oid& prefix, const snmp::Oid& oid) const
{
    auto found = next(std::max(oid, prefix));
    if (found && startsWith(found->oid, prefix))
        return found;
    return std::nullopt;
}

bool startsWith(const snmp::Oid& oid, const snmp::Oid& prefix)
{
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

snmp::Oid joined(snmp::Oid base, std::initializer_list<std::uint32_t> arcs)
{
    base.insert(base.end(), arcs);
    return base;
}

snmp::Oid joined(snmp::Oid base, const snmp::Oid& arcs)
{
    base.insert(base.end(), arcs.begin(), arcs.end());
    return base;
}

snmp::Value integerValue(std::int64_t value)
{
    snmp::Value v;
    v.type = snmp::Asn::Integer;
    v.integer = value;
    return v;
}

namespace {
snmp::Value unsignedValue(snmp::Asn type, std::uint64_t value)
{
    snmp::Value v;
    v.type = type;
    v.unsignedValue = value;
    return v;
}
} // namespace

snmp::Value gaugeValue(std::uint64_t value) { return unsignedValue(snmp::Asn::Gauge32, value); }
snmp::Value counterValue(std::uint64_t value) { return unsignedValue(snmp::Asn::Counter32, value); }
snmp::Value ticksValue(std::uint64_t value) { return unsignedValue(snmp::Asn::TimeTicks, value); }

snmp::Value octetValue(std::string octets)
{
    snmp::Value v;
    v.type = snmp::Asn::OctetString;
    v.octets = std::move(octets);
    return v;
}

snmp::Value ipValue(const std::string& fourOctets)
{
    snmp::Value v;
    v.type = snmp::Asn::IpAddress;
    v.octets = fourOctets;
    return v;
}

snmp::Value oidValue(snmp::Oid oid)
{
    snmp::Value v;
    v.type = snmp::Asn::ObjectId;
    v.oid = std::move(oid);
    return v;
}

} // namespace sim
