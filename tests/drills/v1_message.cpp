#include "v1_message.h"

#include "snmp/netsnmp_convert.h"
#include "snmp/snmp_layer.h"

#include <vector>

namespace drills {
namespace {

std::string tagged(std::uint8_t tag, const std::string& content)
{
    std::string out(1, static_cast<char>(tag));
    const std::size_t length = content.size();
    if (length < 0x80) {
        out += static_cast<char>(length);
    } else {
        std::string bytes;
        for (std::size_t rest = length; rest != 0; rest >>= 8)
            bytes.insert(bytes.begin(), static_cast<char>(rest & 0xff));
        out += static_cast<char>(0x80 | bytes.size());
        out += bytes;
    }
    return out + content;
}

// Two's complement, shortest form.
std::string signedInteger(std::uint8_t tag, std::int64_t value)
{
    std::string bytes;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xff);
    while (bytes.size() > 1
           && ((bytes[0] == 0 && (bytes[1] & 0x80) == 0) || (bytes[0] == '\xff' && (bytes[1] & 0x80) != 0)))
        bytes.erase(0, 1);
    return tagged(tag, bytes);
}

std::string unsignedInteger(std::uint8_t tag, std::uint64_t value)
{
    std::string bytes;
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += static_cast<char>((value >> shift) & 0xff);
    bytes.insert(bytes.begin(), '\0');
    while (bytes.size() > 1 && bytes[0] == 0 && (bytes[1] & 0x80) == 0)
        bytes.erase(0, 1);
    return tagged(tag, bytes);
}

std::string objectId(const snmp::Oid& oid)
{
    if (oid.size() < 2)
        return tagged(0x06, std::string(1, '\0'));
    std::string body;
    const auto arc = [&body](std::uint64_t value) {
        std::string chunk(1, static_cast<char>(value & 0x7f));
        for (value >>= 7; value != 0; value >>= 7)
            chunk.insert(chunk.begin(), static_cast<char>(0x80 | (value & 0x7f)));
        body += chunk;
    };
    arc(std::uint64_t{oid[0]} * 40 + oid[1]);
    for (std::size_t i = 2; i < oid.size(); ++i)
        arc(oid[i]);
    return tagged(0x06, body);
}

std::string value(const snmp::Value& value)
{
    const auto tag = static_cast<std::uint8_t>(value.type);
    switch (value.type) {
    case snmp::Asn::Integer: return signedInteger(tag, value.integer);
    case snmp::Asn::Counter32:
    case snmp::Asn::Gauge32:
    case snmp::Asn::TimeTicks:
    case snmp::Asn::Counter64: return unsignedInteger(tag, value.unsignedValue);
    case snmp::Asn::OctetString:
    case snmp::Asn::Opaque:
    case snmp::Asn::IpAddress: return tagged(tag, value.octets);
    case snmp::Asn::ObjectId: return objectId(value.oid);
    default: return tagged(tag, {});
    }
}

} // namespace

bool decodeV1(const std::string& datagram, V1Message& message)
{
    static const bool ready = snmp::snmpLayerInit();
    if (!ready)
        return false;
    netsnmp_session session;
    snmp_sess_init(&session);
    session.version = SNMP_VERSION_1;
    std::vector<u_char> bytes(datagram.begin(), datagram.end());
    snmp::NetSnmpPduPtr parsed(snmp_pdu_create(SNMP_MSG_RESPONSE));
    if (snmp_parse(nullptr, &session, parsed.get(), bytes.data(), bytes.size()) != SNMPERR_SUCCESS
        || parsed->version != SNMP_VERSION_1)
        return false;
    message.community.assign(reinterpret_cast<const char*>(parsed->community), parsed->community_len);
    message.pdu = snmp::fromNetSnmpPdu(*parsed);
    switch (parsed->command) {
    case SNMP_MSG_GET: message.pdu.type = snmp::PduType::Get; break;
    case SNMP_MSG_GETNEXT: message.pdu.type = snmp::PduType::GetNext; break;
    case SNMP_MSG_SET: message.pdu.type = snmp::PduType::Set; break;
    default: message.pdu.type = snmp::PduType::Response; break;
    }
    return true;
}

std::string encodeV1Response(const V1Message& message)
{
    std::string bindings;
    for (const snmp::VarBind& binding : message.pdu.bindings)
        bindings += tagged(0x30, objectId(binding.oid) + value(binding.value));
    const std::string pdu = signedInteger(0x02, message.pdu.requestId) + signedInteger(0x02, message.pdu.errorStatus)
        + signedInteger(0x02, message.pdu.errorIndex) + tagged(0x30, bindings);
    return tagged(0x30, signedInteger(0x02, 0) + tagged(0x04, message.community) + tagged(0xa2, pdu));
}

} // namespace drills
