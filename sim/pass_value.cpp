#include "sim/pass_value.h"

#include "sim/mib_store.h"
#include "sim/oid_text.h"

#include <charconv>
#include <cstdio>

namespace sim {
namespace {

bool printable(std::string_view text)
{
    for (unsigned char c : text)
        if (c < 0x20 || c > 0x7e)
            return false;
    return true;
}

std::string hexPairs(std::string_view octets)
{
    std::string text;
    char pair[4];
    for (unsigned char c : octets) {
        std::snprintf(pair, sizeof pair, "%02X", c);
        if (!text.empty())
            text += ' ';
        text += pair;
    }
    return text;
}

std::string_view unquoted(std::string_view text)
{
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

bool parseHexPairs(std::string_view text, std::string& out)
{
    std::string octets;
    while (!text.empty()) {
        if (text.front() == ' ') {
            text.remove_prefix(1);
            continue;
        }
        if (text.size() < 2)
            return false;
        unsigned value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + 2, value, 16);
        if (ec != std::errc() || end != text.data() + 2)
            return false;
        octets.push_back(static_cast<char>(value));
        text.remove_prefix(2);
    }
    out = std::move(octets);
    return true;
}

bool parseInteger(std::string_view text, std::int64_t& out)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

bool parseIp(std::string_view text, std::string& out)
{
    std::string octets;
    for (int i = 0; i < 4; ++i) {
        const std::size_t dot = text.find('.');
        std::int64_t part = -1;
        if (!parseInteger(text.substr(0, dot), part) || part < 0 || part > 255)
            return false;
        octets.push_back(static_cast<char>(part));
        text = dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);
        if ((dot == std::string_view::npos) != (i == 3))
            return false;
    }
    out = std::move(octets);
    return true;
}

} // namespace

PassValue toPassValue(const snmp::Value& value)
{
    using snmp::Asn;
    switch (value.type) {
    case Asn::Integer: return {"integer", std::to_string(value.integer)};
    case Asn::Gauge32: return {"gauge", std::to_string(value.unsignedValue)};
    case Asn::Counter32: return {"counter", std::to_string(value.unsignedValue)};
    case Asn::TimeTicks: return {"timeticks", std::to_string(value.unsignedValue)};
    case Asn::Counter64: return {"counter64", std::to_string(value.unsignedValue)};
    case Asn::ObjectId: return {"objectid", dottedOid(value.oid)};
    case Asn::IpAddress: {
        std::string text;
        for (unsigned char c : value.octets)
            text += (text.empty() ? "" : ".") + std::to_string(c);
        return {"ipaddress", text};
    }
    case Asn::OctetString:
        if (printable(value.octets))
            return {"string", value.octets};
        return {"octet", hexPairs(value.octets)};
    default: return {"string", ""};
    }
}

bool fromPassLine(std::string_view line, snmp::Value& out)
{
    const std::size_t space = line.find(' ');
    const std::string_view type = line.substr(0, space);
    const std::string_view text = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
    std::int64_t number = 0;
    if (type == "integer") {
        if (!parseInteger(text, number))
            return false;
        out = integerValue(number);
    } else if (type == "gauge" || type == "counter" || type == "timeticks") {
        if (!parseInteger(text, number))
            return false;
        const auto bits = static_cast<std::uint64_t>(number) & 0xffffffffULL;
        out = type == "gauge" ? gaugeValue(bits) : type == "counter" ? counterValue(bits) : ticksValue(bits);
    } else if (type == "string") {
        out = octetValue(std::string(unquoted(text)));
    } else if (type == "octet") {
        std::string octets;
        if (!parseHexPairs(unquoted(text), octets))
            return false;
        out = octetValue(std::move(octets));
    } else if (type == "ipaddress") {
        std::string octets;
        if (!parseIp(text, octets))
            return false;
        out = ipValue(octets);
    } else if (type == "objectid") {
        snmp::Oid oid;
        if (!parseDottedOid(text, oid))
            return false;
        out = oidValue(std::move(oid));
    } else {
        return false;
    }
    return true;
}

} // namespace sim
