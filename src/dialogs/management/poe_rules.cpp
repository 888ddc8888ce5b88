#include "dialogs/management/poe_rules.h"

#include "dialogs/text_number.h"
#include "platform/decimal_text.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <cmath>

namespace dialogs::management {
namespace {

constexpr const char* kPortTable = "1.3.6.1.4.1.32473.10.75.6.22.1.1.";
constexpr const char* kRangeTable = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";
constexpr int kMostPoePorts = 24;

std::string portCell(int column, int port)
{
    return kPortTable + std::to_string(column) + ".1." + std::to_string(port);
}

// The text of item value-1 of `items`, or the value as received.
std::string itemText(const std::vector<std::string>& items, const std::string& value)
{
    if (isWholeNumber(value)) {
        const std::int64_t n = leadingNumber(value);
        if (n >= 1 && n <= static_cast<std::int64_t>(items.size()))
            return items[static_cast<std::size_t>(n - 1)];
    }
    return value;
}

// The position of code `value` among `count` items from 1, -1 for any other value.
int itemPosition(const std::string& value, int count)
{
    const std::int64_t code = isWholeNumber(value) ? leadingNumber(value) : 0;
    return code >= 1 && code <= count ? static_cast<int>(code - 1) : -1;
}

// The port of an instance ".1.<port>"; 0 for any other.
int portOfSuffix(const std::string& suffix)
{
    if (suffix.rfind(".1.", 0) != 0 || !isWholeNumber(suffix.substr(3)))
        return 0;
    const std::int64_t port = leadingNumber(suffix.substr(3));
    return port > 0 && port <= 1024 ? static_cast<int>(port) : 0;
}

} // namespace

const std::vector<std::string>& poePortHeaders()
{
    static const std::vector<std::string> kHeaders{"Index",      "State",      "Time Range",  "Priority",
                                                   "Power Limit", "Power(W)",  "Voltage(V)",  "Current(mA)",
                                                   "Classification", "Status"};
    return kHeaders;
}

const std::vector<std::string>& poeStateItems()
{
    static const std::vector<std::string> kItems{"Enable", "Disable"};
    return kItems;
}

const std::vector<std::string>& poePriorityItems()
{
    static const std::vector<std::string> kItems{"Low", "Normal", "High"};
    return kItems;
}

const std::vector<std::string>& poePowerLimitItems()
{
    static const std::vector<std::string> kItems{"Auto", "Class 1", "Class 2", "Class 3", "Class 4"};
    return kItems;
}

WalkRequest poeTimeRangeNamesRead()
{
    return {WalkRequest::Mode::Table, {kRangeTable + std::string("1"), kRangeTable + std::string("2")}, 2};
}

std::optional<TimeRangeName> decodeTimeRangeName(const WalkRow& row)
{
    // The index goes back to the switch as a port's time range.
    if (row.values.size() < 2 || !isWholeNumber(row.values[0]) || row.suffix != "." + row.values[0])
        return std::nullopt;
    const std::int64_t index = leadingNumber(row.values[0]);
    if (index < 1 || index > 255)
        return std::nullopt;
    return TimeRangeName{static_cast<int>(index), snmp::utf8ToLocal(row.values[1])};
}

WalkRequest poePortTableRead()
{
    std::vector<std::string> oids;
    for (int column = 3; column <= 13; ++column)
        oids.push_back(kPortTable + std::to_string(column));
    return {WalkRequest::Mode::Table, std::move(oids), 11};
}

PoePortLine decodePoePort(const WalkRow& row, int line, const std::vector<TimeRangeName>& ranges)
{
    std::vector<std::string> v = row.values;
    v.resize(11);
    std::string timeRange = v[1];
    if (timeRange == "0") {
        timeRange = "N/A";
    } else {
        const auto found = std::find_if(ranges.begin(), ranges.end(),
                                        [&](const TimeRangeName& range) { return std::to_string(range.index) == v[1]; });
        timeRange = found == ranges.end() ? std::string() : found->name;
    }
    const std::string limit = v[4] == "1" ? v[5] : itemText(poePowerLimitItems(), v[3]);
    PoeSettings s;
    s.state = itemPosition(v[0], 2);
    const std::int64_t range = isWholeNumber(v[1]) ? leadingNumber(v[1]) : -1;
    s.timeRange = range >= 0 && range <= 255 ? static_cast<int>(range) : -1;
    s.priority = itemPosition(v[2], 3);
    s.userDefined = v[4] == "1";
    // A limit mode that is neither leaves the limit unwritten.
    s.powerLimit = v[4] == "1" || v[4] == "2" ? itemPosition(v[3], 5) : -1;
    s.userLimit = v[5];
    return {portOfSuffix(row.suffix),
            {std::to_string(line + 1), itemText(poeStateItems(), v[0]), timeRange, itemText(poePriorityItems(), v[2]),
             limit, v[6], v[7], v[8], v[9], v[10]},
            s};
}

std::vector<int> offeredPoePorts(int portCount, const std::vector<int>& answered)
{
    const int last = std::min(kMostPoePorts, portCount);
    std::vector<int> ports;
    for (int port = 1; port <= last; ++port)
        if (answered.empty() || std::find(answered.begin(), answered.end(), port) != answered.end())
            ports.push_back(port);
    return ports;
}

std::string checkUserLimit(const std::string& text, int port)
{
    const double watts = platform::leadingDecimal(text);
    if (watts < 1.0 || watts > 30.0)
        return "The User Defined power limit ranges between 1.0 ~ 30.0";
    const double steps = watts * 10 / 2;
    if (std::fabs(steps - std::round(steps)) > 0.000001)
        return "The per-port power limit must be a multiple of 0.2";
    if (watts > 15.4 && (port < 1 || port > 4))
        return "Invalid PoE Port User Define value Setting! ";
    return {};
}

std::string checkPoeRange(const PoeSettings& settings, const std::vector<int>& ports)
{
    if (poePortSet(1, settings).empty())
        return "Choose a State, Time Range, Priority or Power Limit to apply.";
    if (!settings.userDefined)
        return {};
    for (int port : ports)
        if (std::string message = checkUserLimit(settings.userLimit, port); !message.empty())
            return message;
    return {};
}

Bindings poePortSet(int port, const PoeSettings& s)
{
    using snmp::kTypeInteger;
    Bindings bindings;
    if (s.state >= 0)
        bindings.push_back({portCell(3, port), kTypeInteger, std::to_string(s.state + 1)});
    if (s.timeRange >= 0)
        bindings.push_back({portCell(4, port), kTypeInteger, std::to_string(s.timeRange)});
    if (s.priority >= 0)
        bindings.push_back({portCell(5, port), kTypeInteger, std::to_string(s.priority + 1)});
    if (s.userDefined) {
        bindings.push_back({portCell(7, port), kTypeInteger, "1"});
        bindings.push_back({portCell(8, port), snmp::kTypeOctetString, s.userLimit});
    } else if (s.powerLimit >= 0) {
        bindings.push_back({portCell(7, port), kTypeInteger, "2"});
        bindings.push_back({portCell(6, port), kTypeInteger, std::to_string(s.powerLimit + 1)});
    }
    return bindings;
}

void writePoePorts(WriteContext& write, CDialogSession& session, const std::vector<int>& ports,
                   const PoeSettings& settings)
{
    const int total = static_cast<int>(ports.size());
    for (int step = 1; step <= total; ++step) {
        if (step > 1)
            write.pause(std::chrono::milliseconds(kPoePauseMs));
        const int port = ports[static_cast<std::size_t>(step - 1)];
        write.progress(step, total);
        if (write.setByGetNext(session, poePortSet(port, settings), kPoeSetTimeoutMs) != snmp::kStatusOk) {
            write.warn("Unsuccessful!");
            return;
        }
    }
}

} // namespace dialogs::management
