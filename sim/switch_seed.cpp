// The switch's objects as it starts from its model file.
#include "platform/decimal_text.h"
#include "sim/oid_text.h"
#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

#include <cstdlib>

namespace sim {
namespace {

using namespace oids;
using snmp::Oid;

constexpr auto RW = Access::ReadWrite;
constexpr std::uint32_t u(int value) { return static_cast<std::uint32_t>(value); }

snmp::Value bridgeId(int priority, const std::string& mac)
{
    std::string octets{static_cast<char>(priority >> 8), static_cast<char>(priority & 0xff)};
    return octetValue(octets + mac);
}

snmp::Oid arcsOf(const std::string& octets)
{
    snmp::Oid arcs;
    for (unsigned char c : octets)
        arcs.push_back(c);
    return arcs;
}

snmp::Oid textIndex(const std::string& text) { return joined({u(static_cast<int>(text.size()))}, arcsOf(text)); }

} // namespace

void SimulatedSwitch::seed()
{
    m_mib = MibStore();
    m_live.assign(m_model.ports.size(), PortLive{});
    for (std::size_t i = 0; i < m_model.ports.size(); ++i) {
        m_live[i].link = m_model.ports[i].link;
        m_live[i].negotiatedSpeed = m_model.ports[i].speed;
    }
    seedSystem();
    seedInterfaces();
    seedPorts();
    seedBridge();
    seedVlans();
    seedSecurity();
    seedManagement();
    seedPoe();
    seedLldp();
    seedFdb();
    seedTrunkChecks();
    for (int p = 1; p <= m_model.portCount; ++p)
        syncPort(p);
    syncPoe();
    syncDot1x();
}

void SimulatedSwitch::seedSystem()
{
    snmp::Oid objectId;
    parseDottedOid(m_model.sysObjectId, objectId);
    m_mib.put(joined(kSysDescr, {0}), octetValue(m_model.sysDescr));
    m_mib.put(joined(kSysObjectId, {0}), oidValue(objectId));
    m_mib.put(joined(kSysUpTime, {0}), ticksValue(0));
    m_mib.put(joined(kSysContact, {0}), octetValue(m_model.sysContact), RW);
    m_mib.put(joined(kSysName, {0}), octetValue(m_model.sysName), RW);
    m_mib.put(joined(kSysLocation, {0}), octetValue(m_model.sysLocation), RW);
    m_mib.put(joined(kSysServices, {0}), integerValue(2));
}

void SimulatedSwitch::seedInterfaces()
{
    const int n = m_model.portCount;
    // One management interface after the ports: the panel's link walk ends
    // at the first interface index above the port count.
    const std::uint32_t management = 1001;
    m_mib.put(joined(kIfNumber, {0}), integerValue(n + 1));
    auto row = [&](std::uint32_t index, const std::string& descr, int type, const std::string& mac) {
        m_mib.put(joined(kIfEntry, {1, index}), integerValue(index));
        m_mib.put(joined(kIfEntry, {2, index}), octetValue(descr));
        m_mib.put(joined(kIfEntry, {3, index}), integerValue(type));
        m_mib.put(joined(kIfEntry, {4, index}), integerValue(type == 6 ? 1518 : 1500));
        m_mib.put(joined(kIfEntry, {5, index}), gaugeValue(type == 6 ? 0 : 1000000000));
        m_mib.put(joined(kIfEntry, {6, index}), octetValue(mac));
        m_mib.put(joined(kIfEntry, {7, index}), integerValue(1));
        m_mib.put(joined(kIfEntry, {8, index}), integerValue(1));
        m_mib.put(joined(kIfEntry, {9, index}), ticksValue(0));
    };
    for (int p = 1; p <= n; ++p)
        row(u(p), "Port " + std::to_string(p), 6, m_model.mac);
    row(management, "System", 53, m_model.mac);

    const std::string& ip = m_model.ipAddress;
    const Oid ipIndex = arcsOf(ip);
    std::string broadcast = ip;
    for (std::size_t i = 0; i < 4; ++i)
        broadcast[i] = static_cast<char>(ip[i] | ~m_model.netmask[i]);
    m_mib.put(joined(joined(kIpAddrEntry, {1}), ipIndex), ipValue(ip));
    m_mib.put(joined(joined(kIpAddrEntry, {2}), ipIndex), integerValue(management));
    m_mib.put(joined(joined(kIpAddrEntry, {3}), ipIndex), ipValue(m_model.netmask));
    m_mib.put(joined(joined(kIpAddrEntry, {4}), ipIndex), integerValue(1));

    struct Connection {
        int state;
        std::string local;
        int localPort;
        std::string remote;
        int remotePort;
    };
    const std::string any(4, '\0');
    const std::string client{'\xc0', '\xa8', '\x0a', '\x05'}; // 192.168.10.5
    const Connection connections[] = {
        {2, any, 23, any, 0}, {2, any, 80, any, 0}, {5, ip, 23, client, 51012}, {5, ip, 80, client, 51020}};
    for (const auto& c : connections) {
        const Oid index = joined(joined(joined(arcsOf(c.local), {u(c.localPort)}), arcsOf(c.remote)), {u(c.remotePort)});
        m_mib.put(joined(joined(kTcpConnEntry, {1}), index), integerValue(c.state));
        m_mib.put(joined(joined(kTcpConnEntry, {2}), index), ipValue(c.local));
        m_mib.put(joined(joined(kTcpConnEntry, {3}), index), integerValue(c.localPort));
        m_mib.put(joined(joined(kTcpConnEntry, {4}), index), ipValue(c.remote));
        m_mib.put(joined(joined(kTcpConnEntry, {5}), index), integerValue(c.remotePort));
    }
    for (int port : {68, 69, 161}) {
        const Oid index = joined(arcsOf(any), {u(port)});
        m_mib.put(joined(joined(kUdpEntry, {1}), index), ipValue(any));
        m_mib.put(joined(joined(kUdpEntry, {2}), index), integerValue(port));
    }
}

void SimulatedSwitch::seedPorts()
{
    for (int p = 1; p <= m_model.portCount; ++p) {
        const auto& port = m_model.ports[static_cast<std::size_t>(p - 1)];
        m_mib.put(joined(kPortEntry, {1, u(p)}), integerValue(p));
        m_mib.put(joined(kPortEntry, {2, u(p)}), integerValue(6), RW); // Auto
        m_mib.put(joined(kPortEntry, {3, u(p)}), integerValue(1));
        m_mib.put(joined(kPortEntry, {5, u(p)}), integerValue(2), RW);
        m_mib.put(joined(kPortEntry, {6, u(p)}), integerValue(2));
        m_mib.put(joined(kPortEntry, {7, u(p)}), integerValue(port.medium));
        m_mib.put(joined(kDefaultPriorityEntry, {2, u(p)}), integerValue(port.priority), RW);
        m_mib.put(joined(kRateControlEntry, {2, u(p)}), integerValue(0), RW);
        m_mib.put(joined(kRateControlEntry, {3, u(p)}), integerValue(0), RW);
        m_mib.put(joined(kPortSecurityEntry, {2, u(p)}), integerValue(2), RW);
        m_mib.put(joined(kLoopDetectEntry, {2, u(p)}), integerValue(2), RW);
        m_mib.put(joined(kVoicePortEntry, {2, u(p)}), integerValue(2), RW);
        m_mib.put(joined(kSurveillancePortEntry, {2, u(p)}), integerValue(2), RW);
        m_mib.put(joined(kSurveillancePortEntry, {3, u(p)}), integerValue(1), RW);
        m_mib.put(joined(kDot1xPortEntry, {2, u(p)}), integerValue(3), RW);
        m_mib.put(joined(kDot1xPortEntry, {3, u(p)}), integerValue(1));
    }
    m_mib.put(joined(kReboot, {0}), integerValue(0), RW);
    m_mib.put(joined(kSaveConfig, {0}), integerValue(0), RW);
    if (m_model.fan)
        m_mib.put(joined(kFanStatus, {0}), integerValue(1), RW);
}

void SimulatedSwitch::seedBridge()
{
    const int n = m_model.portCount;
    const std::string& mac = m_model.mac;
    m_mib.put(joined(kDot1dBase, {1, 0}), octetValue(mac));
    m_mib.put(joined(kDot1dBase, {2, 0}), integerValue(n));
    m_mib.put(joined(kDot1dBase, {3, 0}), integerValue(2));
    m_mib.put(joined(kDot1dTpAgingTime, {0}), integerValue(300), RW);

    // The root is a neighbour's bridge when the model lists one; else this switch.
    const bool neighborRoot = !m_model.neighbors.empty();
    const std::string rootMac = neighborRoot ? m_model.neighbors.front().chassisId : mac;
    const int rootPort = neighborRoot ? m_model.neighbors.front().port : 0;
    const snmp::Value root = bridgeId(neighborRoot ? 4096 : 32768, rootMac);
    const std::pair<std::uint32_t, snmp::Value> scalars[] = {
        {1, integerValue(3)},           {3, ticksValue(0)},         {4, counterValue(0)},
        {5, root},                      {6, integerValue(neighborRoot ? 20000 : 0)},
        {7, integerValue(rootPort)},    {8, integerValue(2000)},    {9, integerValue(200)},
        {10, integerValue(100)},        {11, integerValue(1500)},
    };
    for (const auto& [arc, value] : scalars)
        m_mib.put(joined(kDot1dStp, {arc, 0}), value);
    m_mib.put(joined(kDot1dStp, {2, 0}), integerValue(32768), RW);
    m_mib.put(joined(kDot1dStp, {12, 0}), integerValue(2000), RW);
    m_mib.put(joined(kDot1dStp, {13, 0}), integerValue(200), RW);
    m_mib.put(joined(kDot1dStp, {14, 0}), integerValue(1500), RW);

    m_mib.put(joined(kStpState, {0}), integerValue(1), RW);
    m_mib.put(joined(kStpVersion, {0}), integerValue(2), RW);
    for (int p = 1; p <= n; ++p) {
        const snmp::Oid port = {u(p)};
        m_mib.put(joined(kDot1dStpPortEntry, {1, u(p)}), integerValue(p));
        m_mib.put(joined(kDot1dStpPortEntry, {2, u(p)}), integerValue(128), RW);
        m_mib.put(joined(kDot1dStpPortEntry, {3, u(p)}), integerValue(1));
        m_mib.put(joined(kDot1dStpPortEntry, {4, u(p)}), integerValue(1), RW);
        m_mib.put(joined(kDot1dStpPortEntry, {5, u(p)}), integerValue(20000), RW);
        m_mib.put(joined(kDot1dStpPortEntry, {6, u(p)}), root);
        m_mib.put(joined(kDot1dStpPortEntry, {7, u(p)}), integerValue(neighborRoot ? 20000 : 0));
        m_mib.put(joined(kDot1dStpPortEntry, {8, u(p)}), bridgeId(p == rootPort ? 4096 : 32768, p == rootPort ? rootMac : mac));
        m_mib.put(joined(kDot1dStpPortEntry, {9, u(p)}), octetValue(std::string{'\x80', static_cast<char>(p)}));
        m_mib.put(joined(kDot1dStpPortEntry, {10, u(p)}), counterValue(m_model.ports[static_cast<std::size_t>(p - 1)].link ? 1 : 0));
        // Private port settings; .2 and .4 mirror the bridge's priority and enable.
        const std::pair<std::uint32_t, int> privateColumns[] = {{2, 128}, {4, 1}, {5, 0}, {14, 2}, {16, 2}, {17, 1}, {18, 2}};
        for (const auto& [column, value] : privateColumns)
            m_mib.put(joined(kStpPortEntry, {column, u(p)}), integerValue(value), RW);
    }
}

void SimulatedSwitch::seedVlans()
{
    const int n = m_model.portCount;
    const RowTable& vlans = *rowTableOf(joined(kVlanEntry, {5, 1}));
    auto addVlan = [&](int id, const std::string& name, const PortSet& egress, const PortSet& untagged) {
        const snmp::Oid index = {u(id)};
        vlans.create(m_mib, index, kActive);
        m_mib.assign(vlans.cell(1, index), octetValue(name));
        m_mib.assign(vlans.cell(2, index), octetValue(encodePortList(egress, n)));
        m_mib.assign(vlans.cell(4, index), octetValue(encodePortList(untagged, n)));
        afterSet(vlans.cell(vlans.statusColumn, index), integerValue(kCreateAndGo));
    };
    addVlan(1, "default", allPorts(n), allPorts(n));
    for (const auto& vlan : m_model.vlans) {
        addVlan(vlan.id, vlan.name, vlan.tagged, {});
        if (!vlan.multicastEntry)
            for (std::uint32_t column : {1u, 2u})
                m_mib.erase(joined(kMulticastFilterEntry, {column, u(vlan.id)}));
    }
    m_mib.put(joined(kAsymmetricVlan, {0}), integerValue(2), RW);
    for (int p = 1; p <= n; ++p)
        m_mib.put(joined(kPvidEntry, {1, u(p)}), gaugeValue(1), RW);

    m_mib.put(joined(kTrunkState, {0}), integerValue(1), RW);
    for (std::uint32_t link = 1; link <= 8; ++link) {
        m_mib.put(joined(kTrunkEntry, {2, link}), octetValue(encodePortList({}, n)), RW);
        m_mib.put(joined(kTrunkEntry, {3, link}), integerValue(3), RW);
    }
    for (const auto& trunk : m_model.trunks) {
        m_mib.assign(joined(kTrunkEntry, {2, u(trunk.id)}), octetValue(encodePortList(trunk.members, n)));
        m_mib.assign(joined(kTrunkEntry, {3, u(trunk.id)}), integerValue(trunk.mode));
    }
    m_mib.put(joined(kLearningPorts, {0}), octetValue(encodePortList(allPorts(n), n)), RW);
    m_mib.put(joined(kMirror, {1, 0}), integerValue(2), RW);
    m_mib.put(joined(kMirror, {2, 0}), integerValue(1), RW);
    m_mib.put(joined(kMirror, {3, 0}), octetValue(encodePortList({}, n)), RW);
    m_mib.put(joined(kMirror, {4, 0}), octetValue(encodePortList({}, n)), RW);
    m_mib.put(joined(kVoiceVlan, {2, 0}), integerValue(2), RW);
    m_mib.put(joined(kVoiceVlan, {3, 0}), integerValue(1), RW);
    m_mib.put(joined(kSurveillance, {1, 0}), integerValue(2), RW);
    m_mib.put(joined(kSurveillance, {2, 0}), integerValue(1), RW);
    m_mib.put(joined(kSurveillance, {3, 0}), integerValue(2), RW);
    const RowTable* oui = rowTableOf(joined(kSurveillanceOuiEntry, {5, 0, 0, 94, 0, 0, 0}));
    const snmp::Oid defaultOui = {0, 0, 94, 0, 0, 0};
    oui->create(m_mib, defaultOui, kActive);
    m_mib.assign(oui->cell(2, defaultOui), octetValue("default"));
    m_mib.assign(oui->cell(4, defaultOui), integerValue(5));
}

void SimulatedSwitch::seedSecurity()
{
    const std::string none(4, '\0');
    m_mib.put(joined(kRadius, {1, 0}), ipValue(none), RW);
    m_mib.put(joined(kRadius, {2, 0}), octetValue(""), RW);
    const std::pair<std::uint32_t, int> dot1x[] = {{1, 2}, {2, 60}, {3, 30}, {4, 30}, {5, 30}, {6, 2}, {8, 2}};
    for (const auto& [arc, value] : dot1x)
        m_mib.put(joined(kDot1x, {arc, 0}), integerValue(value), RW);
    m_mib.put(joined(kDot1x, {7, 0}), gaugeValue(3600), RW);
    m_mib.put(joined(kDhcpScreeningPorts, {0}), octetValue(encodePortList({}, m_model.portCount)), RW);
    m_mib.put(joined(kSyslog, {1, 0}), ipValue(none), RW);
    m_mib.put(joined(kSyslog, {2, 0}), integerValue(514), RW);
    m_mib.put(joined(kSyslog, {4, 0}), integerValue(6), RW);
    m_mib.put(joined(kSyslog, {5, 0}), integerValue(128), RW);
    m_mib.put(joined(kSyslog, {6, 0}), integerValue(2), RW);
}

void SimulatedSwitch::seedManagement()
{
    m_mib.put(joined(kSnmpAgent, {1, 0}), integerValue(1), RW);
    m_mib.put(joined(kSnmpAgent, {7, 0}), octetValue(m_model.engineId), RW);
    for (std::uint32_t trap = 1; trap <= (m_model.poe ? 9u : 6u); ++trap)
        m_mib.put(joined(kSnmpAgent, {8, trap, 0}), integerValue(1), RW);

    const std::string zero(4, '\0');
    for (std::uint32_t arc = 1; arc <= 8; arc += 4) {
        m_mib.put(joined(kTransfer, {arc, 0}), ipValue(zero), RW);
        m_mib.put(joined(kTransfer, {arc + 1, 0}), octetValue(""), RW);
        m_mib.put(joined(kTransfer, {arc + 2, 0}), integerValue(1), RW);
        m_mib.put(joined(kTransfer, {arc + 3, 0}), integerValue(0));
    }

    auto find = [&](const snmp::Oid& entry) -> const RowTable& { return *rowTableOf(joined(entry, {1, 1, 1})); };
    auto row = [&](const RowTable& table, const snmp::Oid& index, std::vector<std::pair<std::uint32_t, snmp::Value>> values) {
        table.create(m_mib, index, kActive);
        for (auto& [column, value] : values)
            m_mib.assign(table.cell(column, index), std::move(value));
    };
    const RowTable& users = find(kSnmpUserEntry);
    row(users, joined(textIndex("public"), {1}), {{3, octetValue("public")}});
    row(users, joined(textIndex("private"), {2}), {{3, octetValue("private")}});
    row(users, joined(textIndex("initial"), {3}), {{3, octetValue("initial")}});
    const RowTable& groups = find(kSnmpGroupEntry);
    row(groups, joined(textIndex("public"), {1, 1}), {{4, octetValue("CommunityView")}, {6, octetValue("CommunityView")}});
    row(groups, joined(textIndex("private"), {2, 1}),
        {{4, octetValue("CommunityView")}, {5, octetValue("CommunityView")}, {6, octetValue("CommunityView")}});
    row(groups, joined(textIndex("initial"), {3, 1}), {{4, octetValue("restricted")}, {6, octetValue("restricted")}});
    const RowTable& views = find(kSnmpViewEntry);
    row(views, joined(textIndex("CommunityView"), {1, 1}), {});
    row(views, joined(textIndex("CommunityView"), {6, 1, 3, 6, 1, 6, 3}), {{4, integerValue(2)}});
    row(views, joined(textIndex("restricted"), {7, 1, 3, 6, 1, 2, 1, 1}), {});
    const RowTable& communities = find(kSnmpCommunityEntry);
    row(communities, textIndex("qevtal"), {{2, octetValue("public")}});
    row(communities, textIndex("morvint"), {{2, octetValue("private")}});
}

void SimulatedSwitch::seedPoe()
{
    if (!m_model.poe)
        return;
    m_mib.put(joined(kPoeLedMode, {0}), integerValue(1), RW);
    m_mib.put(joined(kPoeRemainingPower, {0}), octetValue(""));
    for (int p = 1; p <= m_model.portCount; ++p) {
        const auto& port = m_model.ports[static_cast<std::size_t>(p - 1)];
        if (!port.poe)
            continue;
        const std::string limit = platform::fixedDecimal(port.poeMaxWatts, 1);
        const std::pair<std::uint32_t, snmp::Value> columns[] = {
            {3, integerValue(1)}, {4, integerValue(0)}, {5, integerValue(2)}, {6, integerValue(1)},
            {7, integerValue(2)}, {8, octetValue(limit)},
        };
        for (const auto& [column, value] : columns)
            m_mib.put(joined(kPoePortEntry, {column, 1, u(p)}), value, RW);
        for (std::uint32_t column = 9; column <= 13; ++column)
            m_mib.put(joined(kPoePortEntry, {column, 1, u(p)}), octetValue(""));
        m_mib.put(joined(kLldpPseTlvEntry, {2, u(p)}), integerValue(2), RW);
    }
    // One weekday range, assigned to no port.
    const RowTable& ranges = *rowTableOf(joined(kPoeTimeRangeEntry, {21, 1}));
    ranges.create(m_mib, {1}, kActive);
    m_mib.assign(ranges.cell(2, {1}), octetValue("office-hours"));
    m_mib.assign(ranges.cell(7, {1}), integerValue(8));
    m_mib.assign(ranges.cell(12, {1}), integerValue(18));
    for (std::uint32_t day = 14; day <= 18; ++day)
        m_mib.assign(ranges.cell(day, {1}), integerValue(1));
}

void SimulatedSwitch::seedLldp()
{
    const std::pair<std::uint32_t, int> settings[] = {{1, 1}, {2, 4}, {3, 30}, {4, 2}, {5, 2}};
    for (const auto& [arc, value] : settings)
        m_mib.put(joined(kLldpSettings, {arc, 0}), integerValue(value), RW);
    m_mib.put(joined(kLldpLocal, {1, 0}), integerValue(4));
    m_mib.put(joined(kLldpLocal, {2, 0}), octetValue(m_model.mac));
    m_mib.put(joined(kLldpLocal, {3, 0}), octetValue(m_model.sysName));
    m_mib.put(joined(kLldpLocal, {4, 0}), octetValue(m_model.sysDescr));
    seedNeighbors();
}

// What the neighbours advertise; gone while LLDP is disabled.
void SimulatedSwitch::seedNeighbors()
{
    for (const auto& neighbor : m_model.neighbors) {
        const snmp::Oid index = {0, u(neighbor.port), u(neighbor.index)};
        const bool macPortId = neighbor.portId.size() == 17 && neighbor.portId[2] == '-';
        std::string portId = neighbor.portId;
        if (macPortId) {
            portId.clear();
            for (std::size_t i = 0; i < 17; i += 3)
                portId.push_back(static_cast<char>(std::strtol(neighbor.portId.substr(i, 2).c_str(), nullptr, 16)));
        }
        const std::pair<std::uint32_t, snmp::Value> columns[] = {
            {4, integerValue(4)}, {5, octetValue(neighbor.chassisId)}, {6, integerValue(macPortId ? 3 : 5)},
            {7, octetValue(portId)}, {8, octetValue(neighbor.portDescription)},
            {9, octetValue(neighbor.systemName)}, {10, octetValue(neighbor.systemDescription)},
        };
        for (const auto& [column, value] : columns)
            m_mib.put(joined(joined(kLldpRemEntry, {column}), index), value);
    }
}

void SimulatedSwitch::seedFdb()
{
    const int count = m_settings.fdbEntries >= 0 ? m_settings.fdbEntries : m_model.fdbEntries;
    std::vector<int> vlanIds = {1};
    for (const auto& vlan : m_model.vlans)
        vlanIds.push_back(vlan.id);
    std::vector<int> ports;
    for (int p = 1; p <= m_model.portCount; ++p)
        if (m_model.ports[static_cast<std::size_t>(p - 1)].link)
            ports.push_back(p);
    if (ports.empty())
        ports.push_back(1);
    for (int i = 0; i < count; ++i) {
        const auto serial = static_cast<std::uint32_t>(i + 1);
        // Locally administered unicast addresses, unique per entry.
        const snmp::Oid mac = {2, 0x51, 0x4d, (serial >> 16) & 0xff, (serial >> 8) & 0xff, serial & 0xff};
        const snmp::Oid index = joined({u(vlanIds[static_cast<std::size_t>(i) % vlanIds.size()])}, mac);
        m_mib.put(joined(joined(kDot1qTpFdbEntry, {2}), index),
                  integerValue(ports[static_cast<std::size_t>(i * 7) % ports.size()]));
        m_mib.put(joined(joined(kDot1qTpFdbEntry, {3}), index), integerValue(3));
    }
    const snmp::Oid own = joined({1}, arcsOf(m_model.mac));
    m_mib.put(joined(joined(kDot1qTpFdbEntry, {2}), own), integerValue(0));
    m_mib.put(joined(joined(kDot1qTpFdbEntry, {3}), own), integerValue(4));
    const ManagerEntry& manager = m_settings.manager;
    if (manager.port >= 1 && manager.port <= m_model.portCount) {
        const std::int64_t vlan = integerAt(joined(kPvidEntry, {1, u(manager.port)}));
        const snmp::Oid index = joined({static_cast<std::uint32_t>(vlan)}, arcsOf(manager.mac));
        m_mib.put(joined(joined(kDot1qTpFdbEntry, {2}), index), integerValue(manager.port));
        m_mib.put(joined(joined(kDot1qTpFdbEntry, {3}), index), integerValue(3));
    }
}

} // namespace sim
