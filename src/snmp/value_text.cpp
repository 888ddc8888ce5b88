#include "snmp/value_text.h"

#include "snmp/common_snmp.h"

#include <charconv>
#include <cstdint>

namespace snmp {
namespace {

template <typename Number>
bool parseDecimal(std::string_view text, Number& out)
{
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

bool parseIpAddress(std::string_view text, std::string& octets)
{
    Oid parts;
    if (text.empty() || text.front() == '.' || !oidFromText(text, parts) || parts.size() != 4)
        return false;
    octets.clear();
    for (std::uint32_t part : parts) {
        if (part > 255)
            return false;
        octets += static_cast<char>(part);
    }
    return true;
}

bool parseUnsigned32(std::string_view text, std::uint64_t& out)
{
    std::uint32_t value = 0;
    if (!parseDecimal(text, value))
        return false;
    out = value;
    return true;
}

} // namespace

bool valueFromText(int typeCode, std::string_view text, Value& out)
{
    Value value;
    switch (typeCode) {
    case kTypeInteger: {
        std::int32_t number = 0;
        if (!parseDecimal(text, number))
            return false;
        value.type = Asn::Integer;
        value.integer = number;
        break;
    }
    case kTypeOctetString:
        value.type = Asn::OctetString;
        value.octets.assign(text);
        break;
    case kTypeNull:
        value.type = Asn::Null;
        break;
    case kTypeObjectId:
        value.type = Asn::ObjectId;
        if (!oidFromText(text, value.oid))
            return false;
        break;
    case kTypeIpAddress:
        value.type = Asn::IpAddress;
        if (!parseIpAddress(text, value.octets))
            return false;
        break;
    case kTypeCounter:
    case kTypeUnsigned:
    case kTypeTimeTicks:
        value.type = typeCode == kTypeCounter ? Asn::Counter32 : typeCode == kTypeUnsigned ? Asn::Gauge32 : Asn::TimeTicks;
        if (!parseUnsigned32(text, value.unsignedValue))
            return false;
        break;
    case kTypeCounter64:
        value.type = Asn::Counter64;
        if (!parseDecimal(text, value.unsignedValue))
            return false;
        break;
    default:
        return false;
    }
    out = std::move(value);
    return true;
}

int valueTypeCode(const Value& value)
{
    switch (value.type) {
    case Asn::Integer: return kTypeInteger;
    case Asn::OctetString:
    case Asn::Opaque: return kTypeOctetString;
    case Asn::Null: return kTypeNull;
    case Asn::ObjectId: return kTypeObjectId;
    case Asn::IpAddress: return kTypeIpAddress;
    case Asn::Counter32: return kTypeCounter;
    case Asn::Gauge32: return kTypeUnsigned;
    case Asn::TimeTicks: return kTypeTimeTicks;
    case Asn::Counter64: return kTypeCounter64;
    case Asn::NoSuchObject:
    case Asn::NoSuchInstance:
    case Asn::EndOfMibView: return kTypeEmpty;
    }
    return kTypeEmpty;
}

std::string valueToText(const Value& value)
{
    switch (value.type) {
    case Asn::Integer: return std::to_string(value.integer);
    case Asn::Counter32:
    case Asn::Gauge32:
    case Asn::TimeTicks:
    case Asn::Counter64: return std::to_string(value.unsignedValue);
    case Asn::OctetString:
    case Asn::Opaque: return value.octets;
    case Asn::ObjectId: return oidToText(value.oid);
    case Asn::IpAddress: {
        std::string text;
        for (unsigned char octet : value.octets) {
            if (!text.empty())
                text += '.';
            text += std::to_string(octet);
        }
        return text;
    }
    case Asn::Null:
    case Asn::NoSuchObject:
    case Asn::NoSuchInstance:
    case Asn::EndOfMibView: return {};
    }
    return {};
}

} // namespace snmp
