// What a set may change, and what else changes with it.
#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

#include <charconv>
#include <cstdlib>

namespace sim {
namespace {

using namespace oids;

struct Range {
    snmp::Oid object; // scalar instance or table column
    std::int64_t low;
    std::int64_t high;
};

const std::vector<Range>& integerRanges()
{
    static const std::vector<Range> ranges = {
        {joined(kReboot, {0}), 1, 2},          {joined(kSaveConfig, {0}), 1, 2},
        {joined(kFanStatus, {0}), 1, 2},       {joined(kPoeLedMode, {0}), 1, 2},
        {joined(kStpState, {0}), 1, 2},        {joined(kStpVersion, {0}), 0, 2},
        {joined(kAsymmetricVlan, {0}), 1, 2},  {joined(kTrunkState, {0}), 1, 2},
        {joined(kDot1x, {1, 0}), 1, 2},        {joined(kDot1x, {2, 0}), 0, 65535},
        {joined(kDot1x, {3, 0}), 1, 65535},    {joined(kDot1x, {4, 0}), 1, 65535},
        {joined(kDot1x, {5, 0}), 1, 65535},    {joined(kDot1x, {6, 0}), 1, 10},
        {joined(kDot1x, {7, 0}), 1, 4294967295LL}, {joined(kDot1x, {8, 0}), 1, 2},
        {joined(kSyslog, {2, 0}), 1, 65535},   {joined(kSyslog, {4, 0}), 0, 7},
        {joined(kSyslog, {5, 0}), 0, 184},     {joined(kSyslog, {6, 0}), 1, 2},
        {joined(kMirror, {1, 0}), 1, 2},       {joined(kVoiceVlan, {2, 0}), 1, 2},
        {joined(kVoiceVlan, {3, 0}), 1, 4094}, {joined(kSnmpAgent, {1, 0}), 1, 2},
        {joined(kSnmpAgent, {8}), 1, 2},       {joined(kSurveillance, {1, 0}), 1, 2},
        {joined(kSurveillance, {2, 0}), 1, 4094}, {joined(kSurveillance, {3, 0}), 0, 3},
        {joined(kLldpSettings, {1, 0}), 1, 2}, {joined(kLldpSettings, {2, 0}), 2, 10},
        {joined(kLldpSettings, {3, 0}), 5, 32768}, {joined(kLldpSettings, {4, 0}), 1, 10},
        {joined(kLldpSettings, {5, 0}), 1, 8192},  {joined(kTransfer, {3, 0}), 1, 2},
        {joined(kTransfer, {7, 0}), 1, 2},     {joined(kDot1dStp, {2, 0}), 0, 61440},
        {joined(kDot1dStp, {12, 0}), 600, 4000}, {joined(kDot1dStp, {13, 0}), 100, 1000},
        {joined(kDot1dStp, {14, 0}), 400, 3000}, {joined(kDot1dTpAgingTime, {0}), 10, 1000000},
        {joined(kPortEntry, {2}), 1, 7},       {joined(kPortEntry, {5}), 1, 2},
        {kDefaultPriorityEntry, 1, 4},         {kRateControlEntry, 0, 1000000},
        {kPortSecurityEntry, 1, 2},            {joined(kLoopDetectEntry, {2}), 1, 2},
        {kVoicePortEntry, 1, 2},               {kSurveillancePortEntry, 1, 2},
        {joined(kDot1xPortEntry, {2}), 1, 3},  {joined(kTrunkEntry, {3}), 1, 3},
        {joined(kMulticastFilterEntry, {2}), 0, 1}, {joined(kDot1dStpPortEntry, {2}), 0, 240},
        {joined(kDot1dStpPortEntry, {4}), 1, 2}, {joined(kDot1dStpPortEntry, {5}), 1, 200000000},
        {joined(kStpPortEntry, {5}), 0, 200000000}, {kStpPortEntry, 0, 65535},
        {joined(kPoePortEntry, {3}), 1, 2},    {joined(kPoePortEntry, {4}), 0, 8},
        {joined(kPoePortEntry, {5}), 1, 3},    {joined(kPoePortEntry, {6}), 1, 5},
        {joined(kPoePortEntry, {7}), 1, 2},    {kLldpPseTlvEntry, 1, 2},
        {joined(kSnmpUserEntry, {4}), 1, 3},   {joined(kSnmpUserEntry, {6}), 1, 2},
        {joined(kSnmpViewEntry, {4}), 1, 2},   {joined(kSnmpHostEntry, {3}), 1, 5},
        {joined(kSurveillanceOuiEntry, {4}), 0, 5}, {joined(kPoeTimeRangeEntry, {3}), 1, 2},
        {joined(kPoeTimeRangeEntry, {4}), 2009, 2037}, {joined(kPoeTimeRangeEntry, {5}), 1, 12},
        {joined(kPoeTimeRangeEntry, {6}), 1, 31}, {joined(kPoeTimeRangeEntry, {7}), 0, 23},
        {joined(kPoeTimeRangeEntry, {8}), 0, 59}, {joined(kPoeTimeRangeEntry, {9}), 2009, 2037},
        {joined(kPoeTimeRangeEntry, {10}), 1, 12}, {joined(kPoeTimeRangeEntry, {11}), 1, 31},
        {joined(kPoeTimeRangeEntry, {12}), 0, 23}, {joined(kPoeTimeRangeEntry, {13}), 0, 59},
        {kPoeTimeRangeEntry, 1, 2}, // the seven day columns; the others matched above
        {joined(kStaticFdbEntry, {3}), 1, 64},
    };
    return ranges;
}

// Port lists, and the longest text each other octet string may hold.
bool isPortList(const snmp::Oid& oid)
{
    const snmp::Oid lists[] = {joined(kVlanEntry, {2}),       joined(kVlanEntry, {4}), joined(kArpSpoofingEntry, {3}),
                               joined(kTrunkEntry, {2}),      joined(kLearningPorts, {0}), joined(kMirror, {3, 0}),
                               joined(kMirror, {4, 0}),       joined(kDhcpScreeningPorts, {0}),
                               joined(kAclEntry, {10})};
    for (const auto& list : lists)
        if (startsWith(oid, list))
            return true;
    return false;
}

std::size_t octetLimit(const snmp::Oid& oid)
{
    if (startsWith(oid, joined(kArpSpoofingEntry, {2})))
        return 6;
    if (startsWith(oid, joined(kSnmpAgent, {7, 0})))
        return 32;
    if (startsWith(oid, kSystem))
        return 255;
    return 64;
}

int portOf(const snmp::Oid& oid) { return static_cast<int>(oid.back()); }

} // namespace

std::int64_t SimulatedSwitch::integerAt(const snmp::Oid& oid) const
{
    const MibEntry* entry = m_mib.find(oid);
    if (!entry)
        return 0;
    return entry->value.type == snmp::Asn::Integer ? entry->value.integer
                                                   : static_cast<std::int64_t>(entry->value.unsignedValue);
}

std::string SimulatedSwitch::octetsAt(const snmp::Oid& oid) const
{
    const MibEntry* entry = m_mib.find(oid);
    return entry ? entry->value.octets : std::string();
}

int SimulatedSwitch::checkValue(const snmp::Oid& oid, const snmp::Value& value) const
{
    using snmp::Asn;
    if (const int error = checkPoeValue(oid, value))
        return error;
    if (value.type == Asn::Integer || value.type == Asn::Gauge32) {
        const std::int64_t number =
            value.type == Asn::Integer ? value.integer : static_cast<std::int64_t>(value.unsignedValue);
        for (const auto& range : integerRanges())
            if (startsWith(oid, range.object)) {
                if (number < range.low || number > range.high)
                    return kWrongValue;
                break;
            }
        if (oid == joined(kStpVersion, {0}) && number == 1)
            return kWrongValue;
        if (oid == joined(kDot1dStp, {2, 0}) && number % 4096 != 0)
            return kWrongValue;
        if (startsWith(oid, joined(kDot1dStpPortEntry, {2})) && number % 16 != 0)
            return kWrongValue;
        if (startsWith(oid, joined(kPortEntry, {2})))
            return checkPortSpeed(portOf(oid), number);
        if (startsWith(oid, kPvidEntry)) {
            if (number < 1 || number > 4094)
                return kWrongValue;
            return integerAt(joined(kVlanEntry, {5, static_cast<std::uint32_t>(number)})) == kActive ? kNoError
                                                                                                     : kInconsistentValue;
        }
        // The LLDP TX delay may be at most a quarter of the TX interval in force.
        if (oid == joined(kLldpSettings, {5, 0}) && number * 4 > integerAt(joined(kLldpSettings, {3, 0})))
            return kInconsistentValue;
        if (oid == joined(kSurveillance, {2, 0}) && !m_mib.find(joined(kVlanEntry, {5, static_cast<std::uint32_t>(number)})))
            return kInconsistentValue;
        if (startsWith(oid, joined(kMirror, {2, 0})) && (number < 1 || number > m_model.portCount))
            return kWrongValue;
        if (startsWith(oid, joined(kPoePortEntry, {4})) && number != 0 &&
            !m_mib.find(joined(kPoeTimeRangeEntry, {21, static_cast<std::uint32_t>(number)})))
            return kInconsistentValue;
        return kNoError;
    }
    if (value.type == Asn::OctetString) {
        if (isPortList(oid))
            return checkPortList(value) != kNoError ? checkPortList(value)
                 : startsWith(oid, kVlanEntry)      ? checkVlanMembers(oid, value)
                 : startsWith(oid, kTrunkEntry)     ? checkTrunkMembers(portOf(oid), value)
                                                    : kNoError;
        if (startsWith(oid, joined(kArpSpoofingEntry, {2})) && value.octets.size() != 6)
            return kWrongLength;
        if (startsWith(oid, joined(kSnmpAgent, {7, 0})) && value.octets.size() < 5)
            return kWrongLength;
        if (value.octets.size() > octetLimit(oid))
            return kWrongLength;
        if (startsWith(oid, joined(kPoePortEntry, {8}))) {
            double watts = 0;
            const char* last = value.octets.data() + value.octets.size();
            const auto [end, error] = std::from_chars(value.octets.data(), last, watts);
            if (error != std::errc() || end != last || watts < 1.0 || watts > 30.0)
                return kWrongValue;
            if (watts > m_model.ports[static_cast<std::size_t>(portOf(oid) - 1)].poeMaxWatts + 1e-6)
                return kInconsistentValue;
        }
    }
    if (value.type == Asn::Gauge32 || value.type == Asn::Counter32 || value.type == Asn::TimeTicks)
        return value.unsignedValue > 0xffffffffULL ? kWrongValue : kNoError;
    return kNoError;
}

int SimulatedSwitch::checkPortSpeed(int port, std::int64_t speed) const
{
    const auto medium = integerAt(joined(kPortEntry, {7, static_cast<std::uint32_t>(port)}));
    const bool fits = (medium == 1 && speed != 1) || (medium == 2) || (medium == 3 && (speed == 2 || speed == 3 || speed == 7)) ||
                      (medium == 4 && (speed == 1 || speed == 6 || speed == 7));
    if (!fits)
        return kInconsistentValue;
    // Aggregated links run full duplex only.
    const bool halfDuplex = speed == 3 || speed == 5;
    for (std::uint32_t link = 1; halfDuplex && link <= 8; ++link)
        if (decodePortList(octetsAt(joined(kTrunkEntry, {2, link}))).count(port))
            return kInconsistentValue;
    if (speed == 7) {
        // The switch never disables its last enabled port.
        for (int p = 1; p <= m_model.portCount; ++p)
            if (p != port && integerAt(joined(kPortEntry, {2, static_cast<std::uint32_t>(p)})) != 7)
                return kNoError;
        return kInconsistentValue;
    }
    return kNoError;
}

int SimulatedSwitch::checkPortList(const snmp::Value& value) const
{
    if (value.octets.size() != portListOctets(m_model.portCount))
        return kWrongLength;
    const PortSet ports = decodePortList(value.octets);
    return !ports.empty() && *ports.rbegin() > m_model.portCount ? kWrongValue : kNoError;
}

int SimulatedSwitch::checkVlanMembers(const snmp::Oid& oid, const snmp::Value& value) const
{
    // Untagged members stay a subset of the egress members.
    const std::uint32_t vid = oid.back();
    const bool untaggedColumn = oid[kVlanEntry.size()] == 4;
    const PortSet egress = decodePortList(untaggedColumn ? octetsAt(joined(kVlanEntry, {2, vid})) : value.octets);
    const PortSet untagged = decodePortList(untaggedColumn ? value.octets : octetsAt(joined(kVlanEntry, {4, vid})));
    for (int port : untagged)
        if (!egress.count(port))
            return kInconsistentValue;
    return kNoError;
}

int SimulatedSwitch::checkTrunkMembers(int link, const snmp::Value& value) const
{
    const PortSet members = decodePortList(value.octets);
    if (members.size() == 1 || members.size() > 8)
        return kInconsistentValue;
    for (std::uint32_t other = 1; other <= 8; ++other) {
        if (static_cast<int>(other) == link)
            continue;
        for (int port : decodePortList(octetsAt(joined(kTrunkEntry, {2, other}))))
            if (members.count(port))
                return kInconsistentValue;
    }
    return kNoError;
}

int SimulatedSwitch::checkRowStatus(const RowTable& table, const snmp::Oid& index, std::int64_t requested) const
{
    if (requested == kDestroy || requested == kNotInService) {
        if (&table == rowTableOf(joined(kVlanEntry, {5, 1})) && index == snmp::Oid{1})
            return kInconsistentValue; // the default VLAN stays
        if (&table == rowTableOf(joined(kSurveillanceOuiEntry, {5, 0, 0, 94, 0, 0, 0})) &&
            index == snmp::Oid{0, 0, 94, 0, 0, 0})
            return kInconsistentValue; // the default surveillance OUI stays
    }
    if (requested == kActive && &table == rowTableOf(joined(kPoeTimeRangeEntry, {21, 1})))
        if (const int error = checkTimeRangeActivation(index))
            return error;
    return rowStatusCheck(table, m_mib, index, requested);
}

void SimulatedSwitch::applyRowStatus(const RowTable& table, const snmp::Oid& index, std::int64_t requested)
{
    const snmp::Oid statusCell = table.cell(table.statusColumn, index);
    if (requested == kDestroy) {
        if (table.exists(m_mib, index)) {
            table.destroy(m_mib, index);
            afterSet(statusCell, integerValue(kDestroy));
        }
        return;
    }
    if (requested == kCreateAndGo || requested == kCreateAndWait) {
        table.create(m_mib, index, requested == kCreateAndGo ? kActive : kCreateAndWait);
        afterSet(statusCell, integerValue(requested));
        return;
    }
    m_mib.assign(statusCell, integerValue(requested));
}

void SimulatedSwitch::afterSet(const snmp::Oid& oid, const snmp::Value& value)
{
    const auto port = static_cast<std::uint32_t>(oid.back());
    if (oid == joined(kSysName, {0})) {
        m_mib.assign(joined(kLldpLocal, {3, 0}), value);
    } else if (startsWith(oid, kPortEntry)) {
        syncPort(static_cast<int>(port));
    } else if (startsWith(oid, joined(kVlanEntry, {5}))) {
        const snmp::Oid filter = joined(kMulticastFilterEntry, {1, port});
        if (value.integer == kCreateAndGo || value.integer == kCreateAndWait) {
            m_mib.put(filter, integerValue(port));
            m_mib.put(joined(kMulticastFilterEntry, {2, port}), integerValue(0), Access::ReadWrite);
        } else if (value.integer == kDestroy) {
            m_mib.erase(filter);
            m_mib.erase(joined(kMulticastFilterEntry, {2, port}));
            for (int p = 1; p <= m_model.portCount; ++p)
                if (integerAt(joined(kPvidEntry, {1, static_cast<std::uint32_t>(p)})) == port)
                    m_mib.assign(joined(kPvidEntry, {1, static_cast<std::uint32_t>(p)}), gaugeValue(1));
        }
    } else if (startsWith(oid, joined(kTrunkEntry, {3})) && value.integer == 3) {
        m_mib.assign(joined(kTrunkEntry, {2, port}), octetValue(encodePortList({}, m_model.portCount)));
    } else if (startsWith(oid, joined(kTrunkEntry, {2})) && !decodePortList(value.octets).empty() &&
               integerAt(joined(kTrunkEntry, {3, port})) == 3) {
        m_mib.assign(joined(kTrunkEntry, {3, port}), integerValue(2));
    } else if (startsWith(oid, joined(kDot1dStpPortEntry, {2}))) {
        m_mib.assign(joined(kStpPortEntry, {2, port}), value);
    } else if (startsWith(oid, joined(kDot1dStpPortEntry, {4}))) {
        m_mib.assign(joined(kStpPortEntry, {4, port}), value);
        syncStpPort(static_cast<int>(port));
    } else if (startsWith(oid, joined(kDot1dStpPortEntry, {5}))) {
        m_mib.assign(joined(kStpPortEntry, {5, port}), value);
    } else if (startsWith(oid, joined(kStpPortEntry, {2}))) {
        m_mib.assign(joined(kDot1dStpPortEntry, {2, port}), value);
    } else if (startsWith(oid, joined(kStpPortEntry, {4}))) {
        m_mib.assign(joined(kDot1dStpPortEntry, {4, port}), value);
        syncStpPort(static_cast<int>(port));
    } else if (startsWith(oid, joined(kStpPortEntry, {5}))) {
        syncStpPort(static_cast<int>(port));
    } else if (startsWith(oid, kPoePortEntry)) {
        syncPoe();
    } else if (startsWith(oid, joined(kPoeTimeRangeEntry, {21}))) {
        // Ports keep the index of a destroyed range: a range made again at it applies to them again.
        syncPoe();
    } else if (oid == joined(kLldpSettings, {1, 0})) {
        while (auto remote = m_mib.nextUnder(kLldpRemEntry, kLldpRemEntry))
            m_mib.erase(remote->oid);
        if (value.integer == 1)
            seedNeighbors();
    } else if (startsWith(oid, kDot1x)) {
        syncDot1x();
    } else if (oid == joined(kSaveConfig, {0}) && value.integer == 1) {
        m_saved = m_mib;
    } else if (oid == joined(kReboot, {0}) && value.integer == 1) {
        startReboot();
    } else if (oid == joined(kTransfer, {3, 0})) {
        startTransfer(m_firmware);
    } else if (oid == joined(kTransfer, {7, 0})) {
        startTransfer(m_config);
    }
}

} // namespace sim
