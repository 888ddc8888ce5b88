#include "dialogs/switching/trunk_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <sstream>

namespace dialogs::switching {
namespace {

constexpr const char* kStateOid = "1.3.6.1.4.1.32473.10.75.7.8.1.2.0";
constexpr const char* kMembersColumn = "1.3.6.1.4.1.32473.10.75.7.8.1.3.1.2";
constexpr const char* kModeColumn = "1.3.6.1.4.1.32473.10.75.7.8.1.3.1.3";

std::string modeText(const std::string& value)
{
    if (value == "1")
        return "LACP";
    if (value == "2")
        return "Static";
    return "Disable";
}

std::string linkCut(int port, std::string_view id, bool into)
{
    return "This " + std::string(into ? "puts" : "takes") + " port " + std::to_string(port) +
           (into ? " into" : " out of") + " trunk " + std::string(id) + ".";
}

} // namespace

const std::vector<std::string>& trunkListHeaders()
{
    static const std::vector<std::string> kHeaders{"TrunkID    ", "PortChannelMode    ",
                                                   "PortMember                            "};
    return kHeaders;
}

const std::vector<std::string>& channelModeItems()
{
    static const std::vector<std::string> kItems{"LACP", "Static", "Disable"};
    return kItems;
}

Bindings trunkStateRead()
{
    return nullBindings({kStateOid});
}

std::optional<bool> decodeTrunkState(const std::string& value)
{
    if (!isWholeNumber(value))
        return std::nullopt;
    return value == "1";
}

Bindings trunkStateSet(bool enabled)
{
    return {{kStateOid, snmp::kTypeInteger, enabled ? "1" : "2"}};
}

WalkRequest trunkTableRead()
{
    return {WalkRequest::Mode::Table, {kMembersColumn, kModeColumn}, 2};
}

std::optional<TrunkRow> decodeTrunkRow(const WalkRow& row, int portCount)
{
    if (row.values.size() < 2 || row.suffix.size() < 2 || !isWholeNumber(row.values[1]))
        return std::nullopt;
    return TrunkRow{row.suffix.substr(1), modeText(row.values[1]), snmp::bitmapToPortList(row.values[0], portCount).text,
                    !snmp::coversPorts(row.values[0], portCount)};
}

const char* const kPartialMembers =
    "The switch answered this link's member list shorter than its ports, so its members cannot be changed here.";

std::string checkTrunkId(std::string_view idText)
{
    if (idText.empty())
        return {};
    const std::int64_t id = leadingNumber(idText);
    if (id < 1 || id > 8)
        return "Invliad VLAN ID, VLAN ID should be (1-8) !";
    return {};
}

Bindings trunkModeSet(std::string_view id, std::string_view mode)
{
    const char* value = mode == "LACP" ? "1" : mode == "Static" ? "2" : "3";
    return {{std::string(kModeColumn) + "." + std::to_string(leadingNumber(id)), snmp::kTypeInteger, value}};
}

std::string checkPortMemberOpen(std::string_view idText, std::string_view modeText)
{
    if (idText.empty())
        return "Please select the Trunk !";
    if (modeText == "Disable")
        return "Link Aggregation State is disable.";
    return {};
}

std::optional<WindowSize> trunkMemberWindowSize(int portCount)
{
    switch (portCount) {
    case 10: return WindowSize{520, 275};
    case 16: return WindowSize{447, 275};
    case 24: return WindowSize{550, 275};
    case 28: return WindowSize{580, 275};
    case 48: return WindowSize{520, 330};
    case 52: return WindowSize{560, 330};
    default: return std::nullopt;
    }
}

std::vector<int> memberPorts(std::string_view list, int portCount)
{
    std::vector<int> ports;
    std::istringstream items{std::string(list)};
    for (std::string item; std::getline(items, item, ',');) {
        const std::int64_t port = leadingNumber(item);
        if (port >= 1 && port <= portCount)
            ports.push_back(static_cast<int>(port));
    }
    return ports;
}

std::vector<int> tickedPorts(const std::vector<bool>& flags)
{
    std::vector<int> ports;
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (flags[i])
            ports.push_back(static_cast<int>(i + 1));
    return ports;
}

std::string checkMemberCount(std::size_t ticked)
{
    if (ticked < 2)
        return "The mininum port members for an aggregated link is 2 !";
    if (ticked > 8)
        return "The maxinum port member for an aggregated link is exceeded !";
    return {};
}

std::optional<Bindings> trunkMemberSet(std::string_view id, std::string_view modeText, const std::vector<bool>& flags,
                                       int portCount)
{
    const snmp::PortBitmap bitmap = snmp::portFlagsToBitmap(flags, portCount);
    if (bitmap.octets.empty())
        return std::nullopt;
    const std::string suffix = "." + std::to_string(leadingNumber(id));
    return Bindings{{kMembersColumn + suffix, snmp::kTypeOctetString, bitmap.octets},
                    {kModeColumn + suffix, snmp::kTypeInteger, modeText == "LACP" ? "1" : "2"}};
}

std::string trunkPathCut(const commands::ManagementPath& path, const std::vector<TrunkRow>& rows, bool enabled,
                         const Bindings& sent)
{
    for (const TrunkRow& row : rows) {
        // The members up to the path's port: it is the last one when listed.
        const std::vector<int> members = memberPorts(row.members, path.port);
        if (!path.known || members.empty() || members.back() != path.port)
            continue;
        bool enabledAfter = enabled;
        std::string modeAfter = row.mode == "LACP" ? "1" : row.mode == "Static" ? "2" : "3";
        for (const Binding& binding : sent) {
            if (binding.oid == kStateOid)
                enabledAfter = binding.value == "1";
            else if (binding.oid == std::string(kModeColumn) + "." + row.id)
                modeAfter = binding.value;
        }
        const bool before = enabled && row.mode != "Disable";
        const bool after = enabledAfter && modeAfter != "3";
        if (before != after)
            return linkCut(path.port, row.id, after);
    }
    return {};
}

std::string trunkMemberPathCut(const commands::ManagementPath& path, std::string_view id,
                               const std::vector<int>& before, const Bindings& sent)
{
    const bool was = std::find(before.begin(), before.end(), path.port) != before.end();
    for (const Binding& binding : sent)
        if (path.known && binding.oid == std::string(kMembersColumn) + "." + std::to_string(leadingNumber(id))
            && snmp::portInBitmap(binding.value, path.port) != was)
            return linkCut(path.port, id, !was);
    return {};
}

} // namespace dialogs::switching
