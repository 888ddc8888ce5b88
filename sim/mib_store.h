#pragma once

#include "snmp/pdu.h"

#include <map>
#include <optional>
#include <string>

// One agent's objects in OID order, each with its value and whether a set
// may change it. Behaviour lives in SimulatedSwitch; this is only storage.
namespace sim {

enum class Access : std::uint8_t { ReadOnly, ReadWrite };

struct MibEntry {
    snmp::Value value;
    Access access = Access::ReadOnly;
};

class MibStore {
public:
    void put(const snmp::Oid& oid, snmp::Value value, Access access = Access::ReadOnly);
    // Changes the value of an existing object; false when there is none.
    bool assign(const snmp::Oid& oid, snmp::Value value);
    void erase(const snmp::Oid& oid);

    const MibEntry* find(const snmp::Oid& oid) const;
    // The first object strictly after `oid` in OID order.
    std::optional<snmp::VarBind> next(const snmp::Oid& oid) const;
    // The object after `oid` that still lies under `prefix`.
    std::optional<snmp::VarBind> nextUnder(const snmp::Oid& prefix, const snmp::Oid& oid) const;

    const std::map<snmp::Oid, MibEntry>& entries() const { return m_entries; }

private:
    std::map<snmp::Oid, MibEntry> m_entries;
};

bool startsWith(const snmp::Oid& oid, const snmp::Oid& prefix);
snmp::Oid joined(snmp::Oid base, std::initializer_list<std::uint32_t> arcs);
snmp::Oid joined(snmp::Oid base, const snmp::Oid& arcs);

snmp::Value integerValue(std::int64_t value);
snmp::Value gaugeValue(std::uint64_t value);
snmp::Value counterValue(std::uint64_t value);
snmp::Value ticksValue(std::uint64_t value);
snmp::Value octetValue(std::string octets);
snmp::Value ipValue(const std::string& fourOctets);
snmp::Value oidValue(snmp::Oid oid);

} // namespace sim
