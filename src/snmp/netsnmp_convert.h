#pragma once

#include "snmp/pdu.h"
#include "snmp/transport.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <memory>

// Translation between the seam's plain types and Net-SNMP's structures.
// Every function here calls into Net-SNMP: only the I/O thread uses them.
namespace snmp {

struct NetSnmpPduDeleter {
    void operator()(netsnmp_pdu* pdu) const { snmp_free_pdu(pdu); }
};
using NetSnmpPduPtr = std::unique_ptr<netsnmp_pdu, NetSnmpPduDeleter>;

struct NetSnmpSessionCloser {
    void operator()(void* session) const { snmp_sess_close(session); }
};
using NetSnmpSessionPtr = std::unique_ptr<void, NetSnmpSessionCloser>;

// A request PDU of the target's version; nullptr when a binding cannot be
// encoded.
NetSnmpPduPtr toNetSnmpPdu(const Pdu& request, const Target& target);
Pdu fromNetSnmpPdu(const netsnmp_pdu& response);

// Opens a single-session handle for the target without the engine probe
// (version 3 discovery runs asynchronously on the I/O thread); the pass
// phrases become Net-SNMP's master keys here. nullptr on failure.
NetSnmpSessionPtr openNetSnmpSession(const Target& target, netsnmp_callback callback, void* magic);

// The engine-discovery request of version 3 (empty user, no security).
NetSnmpPduPtr engineProbePdu();

} // namespace snmp
