#include "dialogs/mib/stp_rules.h"

#include "dialogs/mib/system_information_rules.h"
#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace dialogs::mib {
namespace {

constexpr const char* kStateOid = "1.3.6.1.4.1.32473.10.75.7.6.1.1.0";
constexpr const char* kVersionOid = "1.3.6.1.4.1.32473.10.75.7.6.1.2.0";
constexpr const char* kPortTable = "1.3.6.1.2.1.17.2.15.1.";
constexpr const char* kPortPathCostOid = "1.3.6.1.4.1.32473.10.75.7.6.2.1.5.";

constexpr std::int64_t kMaxPathCost = 200000000;

std::string valueAt(const std::vector<std::string>& values, std::size_t index)
{
    return index < values.size() ? values[index] : std::string();
}

std::string integer(std::int64_t value)
{
    return std::to_string(value);
}

std::vector<std::string> steppedItems(int step)
{
    std::vector<std::string> items;
    for (int i = 0; i < 16; ++i)
        items.push_back(std::to_string(i * step));
    return items;
}

std::string portColumn(int column)
{
    return kPortTable + std::to_string(column);
}

std::string portIdText(std::string_view octets)
{
    if (octets.size() != 2)
        return std::string(octets);
    char text[8];
    std::snprintf(text, sizeof text, "%02X %02X", static_cast<unsigned char>(octets[0]),
                  static_cast<unsigned char>(octets[1]));
    return text;
}

std::string portStateText(std::string_view state)
{
    static constexpr std::array<const char*, 6> kNames{"Disabled", "Blocked", "Monitored", "Learn", "Forward", "Token"};
    for (std::size_t i = 0; i < kNames.size(); ++i)
        if (state == std::to_string(i + 1))
            return kNames[i];
    return std::string(state);
}

} // namespace

WalkRequest stpBridgeRead()
{
    return {WalkRequest::Mode::Single,
            {"1.3.6.1.2.1.17.2.2.0", "1.3.6.1.2.1.17.2.3.0", "1.3.6.1.2.1.17.2.4.0", "1.3.6.1.2.1.17.2.5.0",
             "1.3.6.1.2.1.17.2.7.0", "1.3.6.1.2.1.17.2.12.0", "1.3.6.1.2.1.17.2.13.0", "1.3.6.1.2.1.17.2.14.0",
             "1.3.6.1.2.1.17.2.9.0", "1.3.6.1.2.1.17.2.10.0", "1.3.6.1.2.1.17.2.11.0", kStateOid, kVersionOid},
            11};
}

std::string bridgeIdText(std::string_view octets)
{
    if (octets.size() != 8)
        return std::string(octets);
    char text[24];
    const auto o = [&](int i) { return static_cast<unsigned char>(octets[static_cast<std::size_t>(i)]); };
    std::snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X:%02X:%02X", o(0), o(1), o(2), o(3), o(4), o(5),
                  o(6), o(7));
    return text;
}

std::optional<StpBridgeTexts> decodeStpBridge(const WalkRow& row)
{
    const auto& v = row.values;
    if (v.size() < 11)
        return std::nullopt;
    // Apply writes these back: one that is no number would go out as 0 or its
    // leading digits. The private state and version may be missing (a view
    // that hides them): the state then reads as off, the version is kept.
    for (const std::size_t i : {0, 5, 6, 7})
        if (!isWholeNumber(v[i]))
            return std::nullopt;
    StpBridgeTexts texts{v[0], v[1], v[2], bridgeIdText(v[3]), v[4], v[5], v[6], v[7], v[8], v[9], v[10]};
    texts.enabled = valueAt(v, 11) == "1";
    const std::string version = valueAt(v, 12);
    if (version == "0")
        texts.version = StpBridgeTexts::Version::StpCompatible;
    else if (version == "2")
        texts.version = StpBridgeTexts::Version::Rstp;
    return texts;
}

std::vector<std::string> bridgePriorityItems()
{
    return steppedItems(4096);
}

const char* const kStpPriorityNotNumber = "Invalid Priority value, the Priority is a number (digits only) !";

std::string checkStpBridge(const StpBridgeSettings& s)
{
    if (s.maxAge < 600 || s.maxAge > 4000)
        return "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !";
    if (s.forwardDelay < 400 || s.forwardDelay > 3000)
        return "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !";
    if (s.helloTime < 100 || s.helloTime > 1000)
        return "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !";
    if (2 * s.helloTime + 200 > s.maxAge)
        return "To set the parameters Hello Time and Max Age the following relation is to be satisfied: \n"
               "Max Age >= (2*(Hello Time + 1.0))";
    if (s.maxAge > 2 * s.forwardDelay - 200)
        return "To set the parameters Forward Delay and Max Age, the following relation is to be satisfied: \n"
               "2*(Forward Delay - 1) >= Max Age";
    if (s.priority < 0)
        return kStpPriorityNotNumber;
    return {};
}

std::string checkStpBridge(const StpTimerTexts& typed, const StpBridgeSettings& settings)
{
    for (const std::string* text : {&typed.maxAge, &typed.forwardDelay, &typed.helloTime})
        if (std::string message = checkEditLength(*text, kStpTimerMaxLength); !message.empty())
            return message;
    return checkStpBridge(settings);
}

Bindings stpBridgeSet(const StpBridgeSettings& s)
{
    return {
        {"1.3.6.1.2.1.17.2.12.0", snmp::kTypeInteger, integer(s.maxAge)},
        {"1.3.6.1.2.1.17.2.13.0", snmp::kTypeInteger, integer(s.helloTime)},
        {"1.3.6.1.2.1.17.2.14.0", snmp::kTypeInteger, integer(s.forwardDelay)},
        {"1.3.6.1.2.1.17.2.2.0", snmp::kTypeInteger, integer(s.priority)},
        {kVersionOid, snmp::kTypeInteger, s.rstp ? "2" : "0"},
        {kStateOid, snmp::kTypeInteger, s.enabled ? "1" : "2"},
    };
}

const std::vector<std::string>& stpPortHeaders()
{
    static const std::vector<std::string> kHeaders{"Port",
                                                   "Priority",
                                                   "Cost ",
                                                   "Enable",
                                                   "Status  ",
                                                   " ==Designated Root== ",
                                                   "Designated Cost",
                                                   " ==Designated Bridge== ",
                                                   "Designated Port",
                                                   "Forwardings"};
    return kHeaders;
}

WalkRequest stpPortTableRead()
{
    std::vector<std::string> oids;
    for (int column : {1, 2, 5, 4, 3, 6, 7, 8, 9, 10})
        oids.push_back(portColumn(column));
    return {WalkRequest::Mode::Table, std::move(oids), 6};
}

std::vector<std::string> stpPortRowTexts(const WalkRow& row)
{
    const auto& v = row.values;
    std::vector<std::string> texts(v.begin(), v.begin() + static_cast<std::ptrdiff_t>(std::min(v.size(), kStpPortColumns)));
    texts.resize(kStpPortColumns);
    if (v.size() > 3)
        texts[3] = v[3] == "1" ? "Y" : "N";
    if (v.size() > 4)
        texts[4] = portStateText(v[4]);
    if (v.size() > 5)
        texts[5] = bridgeIdText(v[5]);
    if (v.size() > 7)
        texts[7] = bridgeIdText(v[7]);
    if (v.size() > 8)
        texts[8] = portIdText(v[8]);
    return texts;
}

StpPortRow stpPortRow(const std::vector<std::string>& t)
{
    return {valueAt(t, 0), valueAt(t, 1), valueAt(t, 2), valueAt(t, 3), valueAt(t, 4),
            valueAt(t, 5), valueAt(t, 6), valueAt(t, 7), valueAt(t, 8), valueAt(t, 9)};
}

std::vector<std::string> portPriorityItems()
{
    return steppedItems(16);
}

Bindings stpPortRead(std::string_view port)
{
    const std::string suffix = "." + std::string(port);
    return nullBindings({portColumn(2) + suffix, portColumn(5) + suffix, portColumn(4) + suffix});
}

std::optional<StpPortValues> decodeStpPort(const std::vector<std::string>& values)
{
    if (values.size() < 3 || !std::all_of(values.begin(), values.begin() + 3, isWholeNumber))
        return std::nullopt;
    return StpPortValues{values[0], values[1], values[2] == "1"};
}

std::string checkStpPort(const StpPortSettings& s, int linkId, const StpPortRow& shown)
{
    if (s.pathCost > kMaxPathCost || s.pathCost < 0)
        return "Invalid Path Cost(1-200000000)";
    if (s.priority < 0)
        return kStpPriorityNotNumber;
    const bool differs = s.priority != leadingNumber(shown.priority) || s.pathCost != leadingNumber(shown.cost)
                         || s.enabled != (shown.enable == "Y");
    if (linkId != 0 && differs)
        return "Cannot add ports with different STP configurations to an aggregated link.";
    return {};
}

Bindings stpPortSet(std::string_view port, const StpPortSettings& s)
{
    const std::string suffix = "." + std::string(port);
    return {
        {portColumn(2) + suffix, snmp::kTypeInteger, integer(s.priority)},
        {kPortPathCostOid + std::string(port), snmp::kTypeInteger, integer(s.pathCost)},
        {portColumn(4) + suffix, snmp::kTypeInteger, s.enabled ? "1" : "2"},
    };
}

PortNavigation portNavigation(int row, int count)
{
    return {row > 0, row < count - 1};
}

} // namespace dialogs::mib
