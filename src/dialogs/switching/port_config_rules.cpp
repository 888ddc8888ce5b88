#include "dialogs/switching/port_config_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"

#include <algorithm>
#include <array>

namespace dialogs::switching {
namespace {

constexpr const char* kPortColumn = "1.3.6.1.4.1.32473.10.75.7.1.13.1.";
constexpr const char* kDefaultPriorityColumn = "1.3.6.1.4.1.32473.10.75.7.12.3.1.1.2";
constexpr unsigned long kPortWalkTimeoutMs = 6000;

constexpr int kAutoSpeed = 5;
constexpr int kDisableSpeed = 6;

// "PortControlSpeed" texts, code - 1 as index; also what A2 compares.
constexpr std::array<const char*, 7> kSpeedTexts{"1000MFull", "100MFull", "100MHalf", "10MFull",
                                                 "10MHalf",   "Auto",     "Disable"};
// Operating modes 2..6, plain and copper-marked.
constexpr std::array<const char*, 5> kOperTexts{"1000MFull", "100MFull", "100MHalf", "10MFull", "10MHalf"};
constexpr std::array<const char*, 5> kCopperOperTexts{"1000M C Full", "100M C Full", "100M C Half", "10M C Full",
                                                      "10M C Half"};
constexpr std::array<const char*, 4> kPriorityTexts{"Low", "Middle", "High", "Highest"};

enum Medium { kCopper100 = 1, kCopperGiga = 2, kFibre100 = 3, kFibreGiga = 4 };

std::string column(int number)
{
    return kPortColumn + std::to_string(number);
}

// Text `code` of a 1-based table, `fallback` for any other whole number and
// "" for a value that is none.
template <std::size_t N>
std::string codeText(const std::string& value, const std::array<const char*, N>& texts, int first,
                     const char* fallback)
{
    if (!isWholeNumber(value))
        return {};
    const std::int64_t code = leadingNumber(value);
    return code >= first && code < first + static_cast<std::int64_t>(N) ? texts[static_cast<std::size_t>(code - first)]
                                                                         : fallback;
}

std::string operModeText(const std::string& value, bool copperMarked)
{
    if (isWholeNumber(value) && leadingNumber(value) == 1)
        return "Down";
    return copperMarked ? codeText(value, kCopperOperTexts, 2, kCopperOperTexts[0])
                        : codeText(value, kOperTexts, 2, kOperTexts[0]);
}

// The operating mode of a combination port names the position in use.
std::string comboOperModeText(const std::string& value, int medium, int rowIndex, const PortLayout& layout)
{
    const std::string copper = operModeText(value, true);
    if (medium == kFibre100 && (copper == "100M C Half" || copper == "100M C Full"))
        return copper.substr(0, 5) + "F" + copper.substr(6);
    if (medium == kFibreGiga && copper == "1000M C Full")
        return "1000M F Full";
    if (medium == kCopperGiga && (rowIndex + 1 <= layout.portCount - 2 || layout.allGiga))
        return copper;
    return operModeText(value, false);
}

std::string valueAt(const std::vector<std::string>& values, std::size_t index)
{
    return index < values.size() ? values[index] : std::string();
}

template <typename T>
T perPort(const std::vector<T>& values, std::int64_t port)
{
    return port >= 1 && port <= static_cast<std::int64_t>(values.size()) ? values[static_cast<std::size_t>(port - 1)]
                                                                          : T{};
}


} // namespace

const char* const kForcedSpeedQuestion = "The speed is set to force mode. \n"
                                         "* The speed mode must be the same as the counterpart. ";
const char* const kFlowControlQuestion = "QoS works best when Flow Control is disabled. \n"
                                         "* When Flow Control is enabled.QoS may not perform accurate bandwidth "
                                         "allocation. \n"
                                         "* Do you still want to enable Flow Control?. ";

const std::vector<std::string>& portConfigHeaders()
{
    static const std::vector<std::string> kHeaders{"Index ",           "PortControlSpeed ", "OperMode  ",
                                                   "FlowControlMode  ", "DefaultPriority  ", "OperFlowControlMode  "};
    return kHeaders;
}

const std::vector<std::string>& speedItems()
{
    static const std::vector<std::string> kItems{"1000M-Full", "100M-Full", "100M-Half", "10M-Full",
                                                 "10M-Half",   "Auto",      "Disable"};
    return kItems;
}

const std::vector<std::string>& flowControlItems()
{
    static const std::vector<std::string> kItems{"Enable", "Disable"};
    return kItems;
}

WalkRequest portTableRead()
{
    return {WalkRequest::Mode::Table,
            {column(2), column(3), column(5), kDefaultPriorityColumn, column(6), column(7)},
            6,
            0,
            kPortWalkTimeoutMs};
}

PortRow decodePortRow(const WalkRow& row, int rowIndex, const PortLayout& layout)
{
    const auto& v = row.values;
    const std::string speed = valueAt(v, 0), flow = valueAt(v, 2), medium = valueAt(v, 5);
    PortRow decoded;
    decoded.writable = isWholeNumber(speed) && isWholeNumber(flow) && isWholeNumber(medium);
    decoded.speedKnown = isWholeNumber(speed) && leadingNumber(speed) >= 1 && leadingNumber(speed) <= 7;
    decoded.medium = isWholeNumber(medium) ? static_cast<int>(leadingNumber(medium)) : 0;

    const std::string operFlow = valueAt(v, 4);
    std::string operMode = operModeText(valueAt(v, 1), false);
    if (rowIndex + 1 > layout.portCount - layout.comboPorts)
        operMode = comboOperModeText(valueAt(v, 1), decoded.medium, rowIndex, layout);
    decoded.texts = {
        std::to_string(rowIndex + 1),
        codeText(speed, kSpeedTexts, 1, kSpeedTexts[0]),
        operMode,
        isWholeNumber(flow) ? (leadingNumber(flow) == 1 ? "Enable" : "Disable") : "",
        codeText(valueAt(v, 3), kPriorityTexts, 1, kPriorityTexts[0]),
        operFlow == "1" ? "Enabled" : operFlow == "2" ? "Disabled" : operFlow,
    };
    return decoded;
}

PortSelection selectPortRow(const PortRow& row)
{
    PortSelection selection;
    selection.portId = valueAt(row.texts, 0);
    const std::string speed = valueAt(row.texts, 1);
    const auto found = std::find(kSpeedTexts.begin(), kSpeedTexts.end(), speed);
    if (row.speedKnown && found != kSpeedTexts.end())
        selection.speedIndex = static_cast<int>(found - kSpeedTexts.begin());
    selection.flowIndex = valueAt(row.texts, 3) == "Enable" ? 0 : 1;
    return selection;
}

std::string checkPortChoice(const PortChoice& c, const PortTableState& state)
{
    if (c.portId.empty())
        return "Please Select one port !";
    const std::int64_t p = leadingNumber(c.portId);
    const int s = c.speedIndex;
    const std::string& n = c.portId;
    const int link = perPort(state.linkIds, p);
    const int medium = perPort(state.media, p);
    const std::string chosen = s >= 0 && s < static_cast<int>(kSpeedTexts.size()) ? kSpeedTexts[static_cast<std::size_t>(s)]
                                                                                  : "";
    const int ports = state.layout.portCount;

    // No speed chosen: only the flow control goes, so no speed rule applies.
    if (s < 0)
        return {};
    if (link != 0)
        for (int q = 1; q <= ports; ++q)
            if (q != p && perPort(state.linkIds, q) == link && perPort(state.speedTexts, q) != chosen)
                return "LA port can not support in different speed.";
    int disabled = 0;
    for (int q = 1; q <= ports; ++q)
        disabled += q != p && perPort(state.speedTexts, q) == kSpeedTexts[kDisableSpeed];
    if (disabled == ports - 1 && s == kDisableSpeed)
        return "Sorry, you cannot disable all ports.";
    if (medium == kCopper100 && s == 0 && !state.layout.allGiga)
        return "Port " + n + " can not support 1000M speed.";
    if (s == kAutoSpeed && medium == kFibre100)
        return "Fiber Port " + n + " with 100Base-x SFP Module can not support in Auto mode.";
    if (medium == kFibreGiga && s >= 1 && s <= 4)
        return "Fiber Port " + n + " with 1000Base-x SFP Module can not support this speed.";
    if (medium == kFibre100 && s != 1 && s != 2 && s != kDisableSpeed)
        return "Fiber Port " + n + " with 100Base-x SFP Module can not support this speed.";
    if (link != 0 && (s == 2 || s == 4))
        return "LA port " + n + " can not support in half-duplex mode.";
    return {};
}

bool asksForcedSpeed(const PortChoice& choice)
{
    return choice.speedIndex >= 0 && choice.speedIndex != kAutoSpeed && choice.speedIndex != kDisableSpeed;
}

bool asksFlowControl(const PortChoice& choice)
{
    return choice.flowIndex == 0;
}

Bindings portConfigSet(const PortChoice& choice, bool inAggregatedLink)
{
    Bindings bindings;
    if (!inAggregatedLink && choice.speedIndex >= 0)
        bindings.push_back({column(2) + "." + choice.portId, snmp::kTypeInteger, std::to_string(choice.speedIndex + 1)});
    bindings.push_back({column(5) + "." + choice.portId, snmp::kTypeInteger, choice.flowIndex == 0 ? "1" : "2"});
    return bindings;
}

std::string portConfigPathCut(const commands::ManagementPath& path, const Bindings& sent, const PortTableState& read)
{
    const std::string port = std::to_string(path.port);
    const std::string disable = std::to_string(kDisableSpeed + 1);
    for (const Binding& binding : sent)
        if (path.known && binding.oid == column(2) + "." + port && binding.value == disable
            && perPort(read.speedTexts, path.port) != kSpeedTexts[kDisableSpeed])
            return "This disables port " + port + ".";
    return {};
}

} // namespace dialogs::switching
