// The relay's version-1 codec, before the drills rewrite answers with it.
// (The drills themselves count what the relay dropped, duplicated and replayed.)
#include "v1_message.h"

#include <gtest/gtest.h>

#include <string>

namespace drills {
namespace {

snmp::VarBind bindingOf(snmp::Oid oid, snmp::Value value)
{
    return {std::move(oid), std::move(value)};
}

TEST(V1Message, ResponsesSurviveEncodingAndNetSnmpDecoding)
{
    V1Message message;
    message.community = "qevtal";
    message.pdu.type = snmp::PduType::Response;
    message.pdu.requestId = -2000000000;
    message.pdu.errorStatus = 2;
    message.pdu.errorIndex = 3;
    message.pdu.bindings = {
        bindingOf({1, 3, 6, 1, 2, 1, 1, 5, 0}, {.type = snmp::Asn::OctetString, .octets = std::string(10000, 'x')}),
        bindingOf({1, 3, 6, 1, 4294967295u}, {.type = snmp::Asn::Integer, .integer = -129}),
        bindingOf({1, 3, 6, 128}, {.type = snmp::Asn::Integer, .integer = 2147483647}),
        bindingOf({1, 3, 6, 2}, {.type = snmp::Asn::Gauge32, .unsignedValue = 4294967295u}),
        bindingOf({1, 3, 6, 3}, {.type = snmp::Asn::Counter64, .unsignedValue = 0x8000000000000001ull}),
        bindingOf({1, 3, 6, 4}, {.type = snmp::Asn::IpAddress, .octets = std::string("\x7f\0\0\x01", 4)}),
        bindingOf({1, 3, 6, 5}, {.type = snmp::Asn::ObjectId, .oid = {1, 3, 6, 1, 4, 1, 32473}}),
        bindingOf({1, 3, 6, 6}, {.type = snmp::Asn::OctetString, .octets = {}}),
        bindingOf({1, 3, 6, 7}, {.type = snmp::Asn::Null}),
    };
    V1Message decoded;
    ASSERT_TRUE(decodeV1(encodeV1Response(message), decoded));
    EXPECT_EQ(decoded.community, message.community);
    EXPECT_EQ(decoded.pdu.type, snmp::PduType::Response);
    EXPECT_EQ(decoded.pdu.requestId, message.pdu.requestId);
    EXPECT_EQ(decoded.pdu.errorStatus, 2);
    EXPECT_EQ(decoded.pdu.errorIndex, 3);
    EXPECT_EQ(decoded.pdu.bindings, message.pdu.bindings);
}

TEST(V1Message, AnythingButVersionOneIsNotDecoded)
{
    V1Message decoded;
    EXPECT_FALSE(decodeV1("", decoded));
    EXPECT_FALSE(decodeV1("\x30\x03\x02\x01\x03", decoded));
    std::string message = encodeV1Response({"c", {}});
    message[4] = 1; // version 2c
    EXPECT_FALSE(decodeV1(message, decoded));
}

} // namespace
} // namespace drills
