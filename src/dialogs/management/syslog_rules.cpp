#include "dialogs/management/syslog_rules.h"

#include "dialogs/management/address_ends.h"
#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace dialogs::management {
namespace {

const std::string kSyslog = "1.3.6.1.4.1.32473.10.75.7.16.1.";
const std::string kAddress = kSyslog + "1.0";
const std::string kPort = kSyslog + "2.0";
const std::string kSeverity = kSyslog + "4.0";
const std::string kFacility = kSyslog + "5.0";
const std::string kState = kSyslog + "6.0";

constexpr int kFacilities = 8;
constexpr int kFirstFacility = 128; // local0, eight times its code
constexpr std::array<int, 3> kSeverities = {4, 6, 7};
constexpr std::size_t kPortDigits = 5;

bool allDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

WalkRequest syslogRead()
{
    return {WalkRequest::Mode::Single, {kAddress, kPort, kFacility, kSeverity, kState}, 5};
}

std::vector<std::string> facilityItems()
{
    std::vector<std::string> items;
    for (int i = 0; i < kFacilities; ++i)
        items.push_back("local" + std::to_string(i));
    return items;
}

std::vector<std::string> severityItems()
{
    return {"warning", "info", "all"};
}

SyslogTexts decodeSyslog(const WalkRow& row)
{
    SyslogTexts texts;
    const auto& v = row.values;
    if (v.size() < 5)
        return texts;
    if (isDottedAddress(v[0]))
        texts.address = v[0];
    if (allDigits(v[1]) && v[1].size() <= kPortDigits)
        texts.port = v[1];
    if (isWholeNumber(v[2])) {
        const std::int64_t facility = leadingNumber(v[2]);
        const std::int64_t index = (facility - kFirstFacility) / 8;
        if (facility >= kFirstFacility && (facility - kFirstFacility) % 8 == 0 && index < kFacilities)
            texts.facilityIndex = static_cast<int>(index);
    }
    for (std::size_t i = 0; i < kSeverities.size(); ++i)
        if (v[3] == std::to_string(kSeverities[i]))
            texts.severityIndex = static_cast<int>(i);
    texts.enabled = v[4] == "1";
    return texts;
}

std::string checkSyslogServer(std::string_view addressText, bool blankField, std::int64_t port)
{
    if (blankField || !isDottedAddress(addressText) || zeroOrBroadcastEnd(addressText))
        return "Syslog Server IP Error.";
    if (port < 1 || port > 65535)
        return "Invalid UDP port range (1-65535)";
    return {};
}

Bindings syslogServerSet(std::string_view addressText, std::int64_t port, int severityIndex, int facilityIndex)
{
    const int severity = kSeverities[static_cast<std::size_t>(std::clamp(severityIndex, 0, 2))];
    return {{kAddress, snmp::kTypeIpAddress, std::string(addressText)},
            {kPort, snmp::kTypeInteger, std::to_string(port)},
            {kSeverity, snmp::kTypeInteger, std::to_string(severity)},
            {kFacility, snmp::kTypeInteger, std::to_string(kFirstFacility + 8 * facilityIndex)}};
}

Bindings syslogStateSet(bool enabled)
{
    return {{kState, snmp::kTypeInteger, enabled ? "1" : "2"}};
}

} // namespace dialogs::management
