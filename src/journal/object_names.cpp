#include "journal/object_names.h"

#include <iterator>

namespace journal {
namespace {

// Scalars end in ".0"; a table column's prefix covers every row's instance.
const ObjectName kObjects[] = {
    // MIB-II system group
    {"1.3.6.1.2.1.1.4.0", "sysContact"},
    {"1.3.6.1.2.1.1.5.0", "sysName"},
    {"1.3.6.1.2.1.1.6.0", "sysLocation"},
    // Bridge: spanning tree and address aging
    {"1.3.6.1.2.1.17.2.2.0", "bridge priority"},
    {"1.3.6.1.2.1.17.2.12.0", "bridge max age"},
    {"1.3.6.1.2.1.17.2.13.0", "bridge hello time"},
    {"1.3.6.1.2.1.17.2.14.0", "bridge forward delay"},
    {"1.3.6.1.2.1.17.2.15.1.2", "STP port priority"},
    {"1.3.6.1.2.1.17.2.15.1.4", "STP port state"},
    {"1.3.6.1.2.1.17.4.2.0", "address aging time"},
    // Private: device commands, ports
    {"1.3.6.1.4.1.32473.10.75.7.1.9.0", "reboot"},
    {"1.3.6.1.4.1.32473.10.75.7.1.10.0", "save configuration"},
    {"1.3.6.1.4.1.32473.10.75.7.1.13.1.2", "port speed/duplex (admin state)"},
    {"1.3.6.1.4.1.32473.10.75.7.1.13.1.5", "port flow control"},
    // File transfer
    {"1.3.6.1.4.1.32473.10.75.7.3.1.0", "firmware transfer server"},
    {"1.3.6.1.4.1.32473.10.75.7.3.2.0", "firmware transfer file"},
    {"1.3.6.1.4.1.32473.10.75.7.3.3.0", "firmware transfer action"},
    {"1.3.6.1.4.1.32473.10.75.7.3.5.0", "configuration transfer server"},
    {"1.3.6.1.4.1.32473.10.75.7.3.6.0", "configuration transfer file"},
    {"1.3.6.1.4.1.32473.10.75.7.3.7.0", "configuration transfer action"},
    // Spanning tree
    {"1.3.6.1.4.1.32473.10.75.7.6.1.1.0", "STP state"},
    {"1.3.6.1.4.1.32473.10.75.7.6.1.2.0", "STP version"},
    {"1.3.6.1.4.1.32473.10.75.7.6.2.1.5", "STP port path cost"},
    // VLANs
    {"1.3.6.1.4.1.32473.10.75.7.7.5.0", "asymmetric VLAN"},
    {"1.3.6.1.4.1.32473.10.75.7.7.6.1.1", "VLAN name"},
    {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2", "VLAN member ports"},
    {"1.3.6.1.4.1.32473.10.75.7.7.6.1.4", "VLAN untagged ports"},
    {"1.3.6.1.4.1.32473.10.75.7.7.6.1.5", "VLAN static row status"},
    {"1.3.6.1.4.1.32473.10.75.7.7.7.1.1", "port PVID"},
    {"1.3.6.1.4.1.32473.10.75.7.7.8.1.2", "multicast filtering mode"},
    // Link aggregation
    {"1.3.6.1.4.1.32473.10.75.7.8.1.2.0", "link aggregation state"},
    {"1.3.6.1.4.1.32473.10.75.7.8.1.3.1.2", "link aggregation member ports"},
    {"1.3.6.1.4.1.32473.10.75.7.8.1.3.1.3", "link aggregation mode"},
    // 802.1X
    {"1.3.6.1.4.1.32473.10.75.7.11.1.1.0", "RADIUS server"},
    {"1.3.6.1.4.1.32473.10.75.7.11.1.2.0", "RADIUS key", true},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.1.0", "802.1X state"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.2.0", "802.1X quiet period"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.3.0", "802.1X TX period"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.4.0", "802.1X supplicant timeout"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.5.0", "802.1X server timeout"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.6.0", "802.1X max requests"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.7.0", "802.1X re-authentication period"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.8.0", "802.1X re-authentication"},
    {"1.3.6.1.4.1.32473.10.75.7.11.2.9.1.2", "802.1X port control"},
    // QoS, security
    {"1.3.6.1.4.1.32473.10.75.7.12.3.1.1.2", "port default priority"},
    {"1.3.6.1.4.1.32473.10.75.7.14.3.1.1.2", "ARP spoofing gateway MAC"},
    {"1.3.6.1.4.1.32473.10.75.7.14.3.1.1.3", "ARP spoofing ports"},
    {"1.3.6.1.4.1.32473.10.75.7.14.3.1.1.4", "ARP spoofing row status"},
    {"1.3.6.1.4.1.32473.10.75.7.14.7.1.0", "DHCP screening ports"},
    // Syslog
    {"1.3.6.1.4.1.32473.10.75.7.16.1.1.0", "syslog server"},
    {"1.3.6.1.4.1.32473.10.75.7.16.1.2.0", "syslog UDP port"},
    {"1.3.6.1.4.1.32473.10.75.7.16.1.4.0", "syslog severity"},
    {"1.3.6.1.4.1.32473.10.75.7.16.1.5.0", "syslog facility"},
    {"1.3.6.1.4.1.32473.10.75.7.16.1.6.0", "syslog state"},
    // Voice VLAN
    {"1.3.6.1.4.1.32473.10.75.7.21.1.2.0", "voice VLAN state"},
    {"1.3.6.1.4.1.32473.10.75.7.21.1.3.0", "voice VLAN ID"},
    // SNMP agent
    {"1.3.6.1.4.1.32473.10.75.7.25.1.0", "SNMP agent state"},
    {"1.3.6.1.4.1.32473.10.75.7.25.2.1.1.3", "SNMP user group"},
    {"1.3.6.1.4.1.32473.10.75.7.25.2.1.1.4", "SNMP user authentication protocol"},
    {"1.3.6.1.4.1.32473.10.75.7.25.2.1.1.5", "SNMP user authentication pass phrase", true},
    {"1.3.6.1.4.1.32473.10.75.7.25.2.1.1.6", "SNMP user privacy protocol"},
    {"1.3.6.1.4.1.32473.10.75.7.25.2.1.1.7", "SNMP user privacy pass phrase", true},
    {"1.3.6.1.4.1.32473.10.75.7.25.2.1.1.8", "SNMP user row status"},
    {"1.3.6.1.4.1.32473.10.75.7.25.3.1.1.4", "SNMP group read view"},
    {"1.3.6.1.4.1.32473.10.75.7.25.3.1.1.5", "SNMP group write view"},
    {"1.3.6.1.4.1.32473.10.75.7.25.3.1.1.6", "SNMP group notify view"},
    {"1.3.6.1.4.1.32473.10.75.7.25.3.1.1.7", "SNMP group row status"},
    {"1.3.6.1.4.1.32473.10.75.7.25.4.1.1.3", "SNMP view mask"},
    {"1.3.6.1.4.1.32473.10.75.7.25.4.1.1.4", "SNMP view type"},
    {"1.3.6.1.4.1.32473.10.75.7.25.4.1.1.5", "SNMP view row status"},
    {"1.3.6.1.4.1.32473.10.75.7.25.5.1.1.1", "SNMP community name", true, true},
    {"1.3.6.1.4.1.32473.10.75.7.25.5.1.1.2", "SNMP community user", false, true},
    {"1.3.6.1.4.1.32473.10.75.7.25.5.1.1.3", "SNMP community row status", false, true},
    {"1.3.6.1.4.1.32473.10.75.7.25.6.1.1.2", "SNMP host community or user", true},
    {"1.3.6.1.4.1.32473.10.75.7.25.6.1.1.3", "SNMP host version"},
    {"1.3.6.1.4.1.32473.10.75.7.25.6.1.1.4", "SNMP host row status"},
    {"1.3.6.1.4.1.32473.10.75.7.25.7.0", "SNMP engine ID"},
    {"1.3.6.1.4.1.32473.10.75.7.25.8", "SNMP trap state"},
    // Surveillance VLAN
    {"1.3.6.1.4.1.32473.10.75.7.26.1.1.0", "surveillance VLAN state"},
    {"1.3.6.1.4.1.32473.10.75.7.26.1.2.0", "surveillance VLAN ID"},
    {"1.3.6.1.4.1.32473.10.75.7.26.1.3.0", "surveillance VLAN priority"},
    {"1.3.6.1.4.1.32473.10.75.7.26.2.1.1.2", "surveillance OUI description"},
    {"1.3.6.1.4.1.32473.10.75.7.26.2.1.1.4", "surveillance OUI component type"},
    {"1.3.6.1.4.1.32473.10.75.7.26.2.1.1.5", "surveillance OUI row status"},
    // PoE
    {"1.3.6.1.4.1.32473.10.75.6.22.1.1.3", "PoE port state"},
    {"1.3.6.1.4.1.32473.10.75.6.22.1.1.4", "PoE port time range"},
    {"1.3.6.1.4.1.32473.10.75.6.22.1.1.5", "PoE port priority"},
    {"1.3.6.1.4.1.32473.10.75.6.22.1.1.6", "PoE port power limit class"},
    {"1.3.6.1.4.1.32473.10.75.6.22.1.1.7", "PoE port user power limit state"},
    {"1.3.6.1.4.1.32473.10.75.6.22.1.1.8", "PoE port user power limit"},
    {"1.3.6.1.4.1.32473.10.75.6.23.1.1.2", "PoE time range name"},
    {"1.3.6.1.4.1.32473.10.75.6.23.1.1.3", "PoE time range dated"},
    {"1.3.6.1.4.1.32473.10.75.6.23.1.1.21", "PoE time range row status"},
    {"1.3.6.1.4.1.32473.10.75.6.23.1.1", "PoE time range"},
    // LLDP
    {"1.3.6.1.4.1.32473.10.75.6.24.1.0", "LLDP state"},
    {"1.3.6.1.4.1.32473.10.75.6.24.2.0", "LLDP hold multiplier"},
    {"1.3.6.1.4.1.32473.10.75.6.24.3.0", "LLDP TX interval"},
    {"1.3.6.1.4.1.32473.10.75.6.24.4.0", "LLDP reinitialisation delay"},
    {"1.3.6.1.4.1.32473.10.75.6.24.5.0", "LLDP TX delay"},
    {"1.3.6.1.4.1.32473.10.75.6.24.7.1.2", "LLDP-MED PSE TLV"},
};

// `prefix` is `oid` or one of its ancestors (whole arcs only).
bool covers(std::string_view prefix, std::string_view oid)
{
    return oid.starts_with(prefix) && (oid.size() == prefix.size() || oid[prefix.size()] == '.');
}

} // namespace

const ObjectName* findObject(std::string_view oid)
{
    const ObjectName* best = nullptr;
    std::size_t bestLength = 0;
    for (const ObjectName& object : kObjects) {
        const std::string_view prefix = object.prefix;
        if (prefix.size() > bestLength && covers(prefix, oid)) {
            best = &object;
            bestLength = prefix.size();
        }
    }
    return best;
}

} // namespace journal
