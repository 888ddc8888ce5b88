#include "dialogs/mib/system_information_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

namespace dialogs::mib {
namespace {

constexpr std::size_t kUtf8Buffer = 128;
constexpr std::int64_t kTicksPerHour = 360000;
constexpr std::int64_t kTicksPerMinute = 6000;

} // namespace

WalkRequest systemInformationRead()
{
    return {WalkRequest::Mode::Single,
            {"1.3.6.1.2.1.1.1.0", "1.3.6.1.2.1.1.2.0", "1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.1.4.0", "1.3.6.1.2.1.1.5.0",
             "1.3.6.1.2.1.1.6.0"},
            6};
}

std::string uptimeText(std::string_view ticks)
{
    const std::int64_t t = leadingNumber(ticks);
    const std::int64_t hours = t / kTicksPerHour;
    const std::int64_t minutes = (t - hours * kTicksPerHour) / kTicksPerMinute;
    return std::to_string(hours) + " Hour " + std::to_string(minutes) + " Min";
}

std::optional<SystemInformationTexts> decodeSystemInformation(const WalkRow& row)
{
    if (row.values.size() < 6)
        return std::nullopt;
    SystemInformationTexts texts{};
    texts.description = row.values[0];
    texts.objectId = row.values[1];
    if (!row.values[2].empty())
        texts.runtime = uptimeText(row.values[2]);
    texts.contact = row.values[3];
    texts.name = snmp::utf8ToLocal(row.values[4]);
    texts.location = snmp::utf8ToLocal(row.values[5]);
    return texts;
}

std::string checkSystemInformation(std::string_view name, std::string_view location)
{
    if (!snmp::isValidName(name))
        return "Invalid System Name.";
    if (!snmp::isValidName(location))
        return "Invalid System Location.";
    return {};
}

Bindings systemInformationSet(std::string_view name, std::string_view location)
{
    return {
        {"1.3.6.1.2.1.1.5.0", snmp::kTypeOctetString, snmp::localToUtf8(name, kUtf8Buffer)},
        {"1.3.6.1.2.1.1.6.0", snmp::kTypeOctetString, snmp::localToUtf8(location, kUtf8Buffer)},
    };
}

} // namespace dialogs::mib

namespace dialogs::mib {

std::string checkEditLength(std::string_view text, int maxLength)
{
    // Characters, not bytes: count the UTF-8 lead bytes.
    int characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (characters <= maxLength)
        return {};
    return "Please enter no more than " + std::to_string(maxLength) + " characters.";
}

} // namespace dialogs::mib
