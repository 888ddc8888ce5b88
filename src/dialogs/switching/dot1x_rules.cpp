#include "dialogs/switching/dot1x_rules.h"

#include "dialogs/switching/address_text.h"
#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"

#include <algorithm>
#include <cstdint>

namespace dialogs::switching {
namespace {

const std::string kRadius = "1.3.6.1.4.1.32473.10.75.7.11.1.";
const std::string kDot1x = "1.3.6.1.4.1.32473.10.75.7.11.2.";
const std::string kPortEntry = "1.3.6.1.4.1.32473.10.75.7.11.2.9.1.";

constexpr const char* kInvalidAddress = "Invalid RADIUS Server IP Address.";

std::string dot1xScalar(int arc)
{
    return kDot1x + std::to_string(arc) + ".0";
}

struct Timer {
    std::string Dot1xConfigInput::* field;
    int arc;
    int type;
    std::int64_t low;
    std::int64_t high;
    const char* message;
};

// In the order they are checked and sent.
const std::vector<Timer>& timers()
{
    static const std::vector<Timer> kTimers{
        {&Dot1xConfigInput::quietPeriod, 2, snmp::kTypeInteger, 0, 65535, "Invalid QuietPeriod (0-65535)"},
        {&Dot1xConfigInput::txPeriod, 3, snmp::kTypeInteger, 1, 65535, "Invalid TxPeriod (1-65535)"},
        {&Dot1xConfigInput::suppTimeout, 4, snmp::kTypeInteger, 1, 65535, "Invalid SuppTimeout (1-65535)"},
        {&Dot1xConfigInput::serverTimeout, 5, snmp::kTypeInteger, 1, 65535, "Invalid ServerTimeout (1-65535)"},
        {&Dot1xConfigInput::maxReq, 6, snmp::kTypeInteger, 1, 10, "Invalid MaxReq (1-10)"},
        {&Dot1xConfigInput::reAuthPeriod, 7, snmp::kTypeUnsigned, 1, 4294967295LL, "Invalid ReAuthPeriod (1-4294967295)"},
    };
    return kTimers;
}

std::string controlText(const std::string& value)
{
    if (value == "1")
        return "forceUnauthorized";
    if (value == "2")
        return "auto";
    if (value == "3")
        return "forceAuthorized";
    return "other";
}

std::string statusText(const std::string& value)
{
    if (value == "1")
        return "authorized";
    if (value == "2")
        return "unauthorized";
    return "other";
}

} // namespace

WalkRequest dot1xConfigRead()
{
    std::vector<std::string> oids{dot1xScalar(1), kRadius + "1.0", kRadius + "2.0"};
    for (int arc = 2; arc <= 8; ++arc)
        oids.push_back(dot1xScalar(arc));
    return {WalkRequest::Mode::Single, std::move(oids), 10};
}

std::optional<Dot1xConfigTexts> decodeDot1xConfig(const WalkRow& row)
{
    const auto& v = row.values;
    if (v.size() < 10)
        return std::nullopt;
    return Dot1xConfigTexts{v[0] == "1", dottedQuad(v[1]) ? v[1] : std::string(), v[2], v[3], v[4], v[5], v[6], v[7],
                            v[8], v[9] == "1"};
}

std::string checkDot1xConfig(const Dot1xConfigInput& input)
{
    if (!input.enabled)
        return {};
    const auto address = dottedQuad(input.radiusAddress);
    if (input.addressHasBlankField || !address)
        return kInvalidAddress;
    const auto& a = *address;
    // 0.0.0.0 included
    if (a[0] == 0 || a[0] == 255 || a[3] == 0 || a[3] == 255)
        return kInvalidAddress;
    if (input.key.empty() || input.key.size() > static_cast<std::size_t>(kDot1xKeyLength))
        return "Invalid Key.";
    if (input.key != input.confirmKey)
        return "Please confirm the key again !";
    for (const Timer& timer : timers()) {
        // Only a whole number: "12abc" is no 12 the user meant.
        const std::string& text = input.*timer.field;
        const std::int64_t value = leadingNumber(text);
        if (!isWholeNumber(text) || value < timer.low || value > timer.high)
            return timer.message;
    }
    return {};
}

Bindings dot1xStateSet(bool enabled)
{
    return {{dot1xScalar(1), snmp::kTypeInteger, enabled ? "1" : "2"}};
}

Bindings dot1xRadiusSet(const Dot1xConfigInput& input)
{
    return {{kRadius + "1.0", snmp::kTypeIpAddress, input.radiusAddress},
            {kRadius + "2.0", snmp::kTypeOctetString, input.key}};
}

Bindings dot1xTimersSet(const Dot1xConfigInput& input)
{
    Bindings bindings;
    for (const Timer& timer : timers())
        bindings.push_back({dot1xScalar(timer.arc), timer.type, std::to_string(leadingNumber(input.*timer.field))});
    bindings.push_back({dot1xScalar(8), snmp::kTypeInteger, input.reAuthEnabled ? "1" : "2"});
    return bindings;
}

const std::vector<std::string>& dot1xPortHeaders()
{
    static const std::vector<std::string> kHeaders{
        "Index",    "AuthControlledPortStatus", "AuthControlledPortControl", "QuietPeriod", "TxPeriod", "SuppTimeout",
        "ServerTimeout", "MaxReq",          "ReAuthPeriod",              "ReAuthEnabled"};
    return kHeaders;
}

const std::vector<std::string>& dot1xControlItems()
{
    static const std::vector<std::string> kItems{"forceUnauthorized", "auto", "forceAuthorized"};
    return kItems;
}

WalkRequest dot1xPortRead()
{
    return {WalkRequest::Mode::Table, {kPortEntry + "3", kPortEntry + "2"}, 2};
}

Dot1xPortRow decodeDot1xPort(const WalkRow& row, const Dot1xTimerTexts& t)
{
    Dot1xPortRow decoded;
    const std::string port = row.suffix.size() > 1 ? row.suffix.substr(1) : std::string();
    decoded.port = isWholeNumber(port) ? static_cast<int>(leadingNumber(port)) : 0;
    const std::string status = row.values.size() > 0 ? row.values[0] : std::string();
    const std::string control = row.values.size() > 1 ? row.values[1] : std::string();
    decoded.control = isWholeNumber(control) ? static_cast<int>(std::clamp<std::int64_t>(leadingNumber(control), 0, 4)) : 0;
    decoded.texts = {port, statusText(status), controlText(control), t.quietPeriod, t.txPeriod, t.suppTimeout,
                     t.serverTimeout, t.maxReq, t.reAuthPeriod, t.reAuthEnabled};
    return decoded;
}

std::string checkDot1xPorts(int from, int to, int control, const std::vector<int>& controls,
                            const AggregatedLinks& links)
{
    for (int port = from; port <= to; ++port)
        if (links.linkOf(port) != 0)
            return "Cannot add an aggregated link to the 802.1X-enabled port";
    int unauthorized = 0;
    int automatic = 0;
    for (int port = 1; port <= static_cast<int>(controls.size()); ++port) {
        if (port >= from && port <= to)
            continue;
        const int code = controls[static_cast<std::size_t>(port - 1)];
        unauthorized += code == 1;
        automatic += code == 2;
    }
    const int count = to - from + 1;
    const int portCount = static_cast<int>(controls.size());
    if (control == 1 && unauthorized + count == portCount)
        return "Could not set all port  Force Unauthorized to the port access control.";
    if (control == 2 && automatic + count == portCount)
        return "Could not set all port AUTO  to the port access control.";
    if ((control == 1 || control == 2) && unauthorized + automatic + count == portCount)
        return "Could not set all port AUTO or Force Unauthorized to the port access control.";
    return {};
}

std::vector<Bindings> dot1xPortBatches(int from, int to, int control)
{
    std::vector<Bindings> batches;
    for (int port = from; port <= to; ++port) {
        if (batches.empty() || batches.back().size() == kDot1xBatch)
            batches.emplace_back();
        batches.back().push_back({kPortEntry + "2." + std::to_string(port), snmp::kTypeInteger, std::to_string(control)});
    }
    return batches;
}

std::string dot1xPortPathCut(const commands::ManagementPath& path, const std::vector<Bindings>& batches,
                             const std::vector<int>& controls)
{
    const std::string port = std::to_string(path.port);
    if (!path.known || path.port < 1 || path.port > static_cast<int>(controls.size()))
        return {};
    for (const Bindings& batch : batches)
        for (const Binding& binding : batch)
            // forceUnauthorized (1) and auto (2) both stop unauthenticated frames.
            if (binding.oid == kPortEntry + "2." + port && (binding.value == "1" || binding.value == "2")
                && std::to_string(controls[static_cast<std::size_t>(path.port - 1)]) != binding.value)
                return "This sets the 802.1X port control of port " + port + " to " +
                       dot1xControlItems()[binding.value == "1" ? 0 : 1] + ".";
    return {};
}

} // namespace dialogs::switching
