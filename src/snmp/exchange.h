#pragma once

#include "snmp/transport.h"

// One request through a transport, waited for on the calling thread. No
// lock is held while waiting; an answer that comes after the wait gave up
// is dropped safely.
namespace snmp {

TransportStatus exchange(Transport& transport, const Target& target, Pdu request, Pdu& response);

} // namespace snmp
