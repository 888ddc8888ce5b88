#include "harness.h"

#include "snmp/common_snmp.h"
#include "snmp/netsnmp_convert.h"
#include "snmp/snmp_layer.h"

namespace fuzz {

// A datagram as a version-1 agent might send it, through Net-SNMP's parser
// and into the session layer's own types.
int netsnmp_answer(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = snmp::snmpLayerInit();
    require(ready, "the SNMP layer starts");

    netsnmp_session session;
    snmp_sess_init(&session);
    session.version = SNMP_VERSION_1;
    std::vector<u_char> packet(data, data + size);
    snmp::NetSnmpPduPtr parsed(snmp_pdu_create(SNMP_MSG_RESPONSE));
    // Only what parses as a version-1 or -2c message reaches the session.
    if (size < 4 || data[0] != 0x30 || snmp_parse(nullptr, &session, parsed.get(), packet.data(), packet.size()) != SNMPERR_SUCCESS
        || (parsed->version != SNMP_VERSION_1 && parsed->version != SNMP_VERSION_2c))
        return 0;

    const snmp::Pdu pdu = snmp::fromNetSnmpPdu(*parsed);
    const snmp::CSnmpResponse response(pdu);
    for (int i = 0; i < response.getValuesCount(); ++i) {
        std::string oid;
        int type = -1;
        std::string value;
        require(response.getOid(i, oid) && response.getValue(i, type, value), "every binding reads back");
        const snmp::Value& parsedValue = pdu.bindings[static_cast<std::size_t>(i)].value;
        require(parsedValue.type != snmp::Asn::OctetString || value.size() == parsedValue.octets.size(), "octets kept whole");
    }

    // The same bindings sent as a set come back unchanged: OIDs always,
    // values of the types a request carries as they are.
    snmp::Pdu request = pdu;
    request.type = snmp::PduType::Set;
    snmp::Target target;
    target.version = 1;
    const snmp::NetSnmpPduPtr rebuilt = snmp::toNetSnmpPdu(request, target);
    if (!rebuilt)
        return 0;
    const snmp::Pdu again = snmp::fromNetSnmpPdu(*rebuilt);
    require(again.bindings.size() == pdu.bindings.size(), "every binding rebuilt");
    for (std::size_t i = 0; i < pdu.bindings.size(); ++i) {
        using snmp::Asn;
        const snmp::Value& value = pdu.bindings[i].value;
        const bool keepsValue = value.type == Asn::Integer || value.type == Asn::OctetString || value.type == Asn::Counter32
            || value.type == Asn::Gauge32 || value.type == Asn::TimeTicks || value.type == Asn::Counter64 || value.type == Asn::Opaque;
        require(again.bindings[i].oid == pdu.bindings[i].oid && (!keepsValue || again.bindings[i].value == value), "binding rebuilt");
    }
    return 0;
}

} // namespace fuzz
