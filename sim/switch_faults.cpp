#include "sim/switch_faults.h"

#include "sim/mib_store.h"
#include "sim/oid_text.h"
#include "sim/snmp_errors.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace sim {
namespace {

template <typename Number>
bool parseNumber(std::string_view text, Number& out)
{
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<std::string> hexOctets(std::string_view digits)
{
    if (digits.size() % 2)
        return std::nullopt;
    std::string octets;
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexDigit(digits[i]), low = hexDigit(digits[i + 1]);
        if (high < 0 || low < 0)
            return std::nullopt;
        octets.push_back(static_cast<char>(high * 16 + low));
    }
    return octets;
}

std::optional<std::string> dottedOctets(std::string_view text)
{
    std::string octets;
    for (std::size_t start = 0; octets.size() < 5;) {
        const std::size_t dot = std::min(text.find('.', start), text.size());
        unsigned part = 256;
        if (!parseNumber(text.substr(start, dot - start), part) || part > 255)
            return std::nullopt;
        octets.push_back(static_cast<char>(part));
        if (dot == text.size())
            break;
        start = dot + 1;
    }
    return octets.size() == 4 ? std::optional(octets) : std::nullopt;
}

std::optional<snmp::Value> typedValue(std::string_view text, snmp::Asn type)
{
    using snmp::Asn;
    std::int64_t number = 0;
    std::uint32_t unsignedNumber = 0;
    switch (type) {
    case Asn::Integer:
        return parseNumber(text, number) ? std::optional(integerValue(number)) : std::nullopt;
    case Asn::Gauge32:
    case Asn::Counter32:
    case Asn::TimeTicks:
        if (!parseNumber(text, unsignedNumber))
            return std::nullopt;
        return type == Asn::Gauge32     ? gaugeValue(unsignedNumber)
               : type == Asn::Counter32 ? counterValue(unsignedNumber)
                                        : ticksValue(unsignedNumber);
    case Asn::IpAddress:
        if (auto octets = dottedOctets(text))
            return ipValue(*octets);
        return std::nullopt;
    case Asn::ObjectId: {
        snmp::Oid oid;
        return parseDottedOid(text, oid) ? std::optional(oidValue(std::move(oid))) : std::nullopt;
    }
    default:
        if (text.starts_with("0x"))
            if (auto octets = hexOctets(text.substr(2)))
                return octetValue(std::move(*octets));
        return std::nullopt;
    }
}

// "OID" and "VALUE" of "OID=VALUE"; the value is absent without "=".
bool splitArgument(std::string_view argument, snmp::Oid& oid, std::optional<std::string>& value)
{
    const std::size_t equals = argument.find('=');
    if (equals != std::string_view::npos)
        value = std::string(argument.substr(equals + 1));
    return parseDottedOid(argument.substr(0, equals), oid) && !oid.empty();
}

// RFC 3416's names of the error statuses, or the number itself.
std::optional<int> errorStatusFromText(std::string_view text)
{
    static constexpr std::string_view kNames[] = {
        "noError",       "tooBig",         "noSuchName",        "badValue",    "readOnly",
        "genErr",        "noAccess",       "wrongType",         "wrongLength", "wrongEncoding",
        "wrongValue",    "noCreation",     "inconsistentValue", "resourceUnavailable",
        "commitFailed",  "undoFailed",     "authorizationError", "notWritable", "inconsistentName"};
    for (std::size_t status = 1; status < std::size(kNames); ++status)
        if (text == kNames[status])
            return static_cast<int>(status);
    int number = 0;
    if (parseNumber(text, number) && number > 0 && number < static_cast<int>(std::size(kNames)))
        return number;
    return std::nullopt;
}

std::string percentEncoded(std::string_view text)
{
    static const char* const kDigits = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || c == '.' || c == '=' || c == '-' || c == '_') {
            out.push_back(c);
        } else {
            out.push_back('%');
            out.push_back(kDigits[byte >> 4]);
            out.push_back(kDigits[byte & 15]);
        }
    }
    return out;
}

} // namespace

bool SwitchFaults::refuses(const snmp::Oid& oid, const snmp::Value& value) const
{
    return std::any_of(refusedSets.begin(), refusedSets.end(), [&](const RefusedSet& refused) {
        return refused.oid == oid && (!refused.value || valueFromText(*refused.value, value.type) == value);
    });
}

bool SwitchFaults::silent(const snmp::Oid& asked) const
{
    return std::find(silentGets.begin(), silentGets.end(), asked) != silentGets.end();
}

std::optional<snmp::Value> SwitchFaults::answerFor(const snmp::Oid& oid, const snmp::Value* held) const
{
    const auto found = std::find_if(answers.begin(), answers.end(), [&](const Answer& a) { return a.oid == oid; });
    if (found == answers.end())
        return std::nullopt;
    return valueFromText(found->value, held ? held->type : snmp::Asn::OctetString);
}

int SwitchFaults::errorFor(const snmp::Oid& reached) const
{
    for (const ErrorGet& fault : errorGets)
        if (reached.size() >= fault.oid.size() && std::equal(fault.oid.begin(), fault.oid.end(), reached.begin()))
            return fault.status;
    return kNoError;
}

bool addFault(std::string_view option, std::string_view argument, SwitchFaults& faults)
{
    snmp::Oid oid;
    std::optional<std::string> value;
    if (!splitArgument(argument, oid, value))
        return false;
    if (option == "--error-get") {
        const std::optional<int> status = value ? errorStatusFromText(*value) : std::optional<int>(kGenErr);
        if (!status)
            return false;
        faults.errorGets.push_back({std::move(oid), *status});
    } else if (option == "--refuse-set")
        faults.refusedSets.push_back({std::move(oid), std::move(value)});
    else if (option == "--silent-get" && !value)
        faults.silentGets.push_back(std::move(oid));
    else if (option == "--answer" && value)
        faults.answers.push_back({std::move(oid), std::move(*value)});
    else
        return false;
    return true;
}

std::string faultOptions(const SwitchFaults& faults)
{
    std::string options;
    for (const auto& refused : faults.refusedSets)
        options += " --refuse-set " +
                   percentEncoded(dottedOid(refused.oid) + (refused.value ? "=" + *refused.value : ""));
    for (const snmp::Oid& oid : faults.silentGets)
        options += " --silent-get " + dottedOid(oid);
    for (const auto& answer : faults.answers)
        options += " --answer " + percentEncoded(dottedOid(answer.oid) + "=" + answer.value);
    for (const auto& error : faults.errorGets)
        options += " --error-get " + dottedOid(error.oid) + "=" + std::to_string(error.status);
    return options;
}

std::string percentDecoded(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 && hexDigit(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

snmp::Value valueFromText(std::string_view text, snmp::Asn type)
{
    if (auto value = typedValue(text, type))
        return std::move(*value);
    return octetValue(std::string(text));
}

} // namespace sim
