#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Plain SNMP values and PDUs as they cross the transport seam. No Net-SNMP
// type appears here, so the simulated switch can answer them in-process.
namespace snmp {

using Oid = std::vector<std::uint32_t>;

// BER tags of the value types.
enum class Asn : std::uint8_t {
    Integer = 0x02,
    OctetString = 0x04,
    Null = 0x05,
    ObjectId = 0x06,
    IpAddress = 0x40,
    Counter32 = 0x41,
    Gauge32 = 0x42,
    TimeTicks = 0x43,
    Opaque = 0x44,
    Counter64 = 0x46,
    NoSuchObject = 0x80,
    NoSuchInstance = 0x81,
    EndOfMibView = 0x82,
};

struct Value {
    Asn type = Asn::Null;
    std::int64_t integer = 0;       // Integer
    std::uint64_t unsignedValue = 0; // Counter32, Gauge32, TimeTicks, Counter64
    std::string octets;             // OctetString, Opaque; IpAddress as its 4 octets
    Oid oid;                        // ObjectId

    bool operator==(const Value&) const = default;
};

struct VarBind {
    Oid oid;
    Value value;

    bool operator==(const VarBind&) const = default;
};

enum class PduType : std::uint8_t { Get, GetNext, Set, Response, GetBulk };

struct Pdu {
    PduType type = PduType::Get;
    std::int32_t requestId = 0;
    int errorStatus = 0; // RFC 3416 error-status; 0 noError
    int errorIndex = 0;  // 1-based binding index of the error, 0 none
    std::vector<VarBind> bindings;
    int maxRepetitions = 0; // GetBulk only; it has no non-repeaters here
};

// RFC 3416 error-status of an answer too big for the message size.
constexpr int kErrorTooBig = 1;
constexpr int kErrorNoSuchName = 2; // version 1: no such object, or past the end of the MIB

// Dotted decimal text, no leading dot; "" for an empty OID.
std::string oidToText(const Oid& oid);
// Accepts an optional leading dot; false for anything but dotted decimal arcs.
bool oidFromText(std::string_view text, Oid& out);

} // namespace snmp
