#pragma once

#include "snmp/pdu.h"

#include <string>

// Version-1 messages as they cross the relay: decoded with Net-SNMP's parser
// into the session layer's types, and encoded again by hand (BER), so a drill
// can make an agent say what no well-behaved agent would.
namespace drills {

struct V1Message {
    std::string community;
    snmp::Pdu pdu;
};

// False for anything but a version-1 message.
bool decodeV1(const std::string& datagram, V1Message& message);
// A GetResponse carrying the PDU's request id, error and bindings.
std::string encodeV1Response(const V1Message& message);

} // namespace drills
