#include "dialogs/switching/vlan_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <sstream>

namespace dialogs::switching {
namespace {

constexpr const char* kVlanColumn = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";
constexpr const char* kAsymmetricOid = "1.3.6.1.4.1.32473.10.75.7.7.5.0";
constexpr const char* kPvidColumn = "1.3.6.1.4.1.32473.10.75.7.7.7.1.1";

const char* const kSelectVlan = "Please select the VLAN !";
const char* const kSelectDeleted = "Please select the VLAN want to be deleted!";

std::string valueAt(const std::vector<std::string>& values, std::size_t index)
{
    return index < values.size() ? values[index] : std::string();
}

int wholeOrZero(const std::string& text)
{
    return isWholeNumber(text) ? static_cast<int>(leadingNumber(text)) : 0;
}

} // namespace

const std::vector<std::string>& vlanHeaders()
{
    static const std::vector<std::string> headers = {"VLAN ID", "VLAN Name", "No.of Ports", "Egress Port Member",
                                                     "Untag Port Member"};
    return headers;
}

WalkRequest vlanTableRead()
{
    const std::string column = kVlanColumn;
    return {WalkRequest::Mode::Table, {column + "1", column + "2", column + "4", column + "5"}, 4};
}

WalkRequest vlanRowRead(int vid)
{
    WalkRequest request = vlanTableRead();
    request.mode = WalkRequest::Mode::Single;
    for (std::string& oid : request.oids)
        oid += "." + std::to_string(vid);
    return request;
}

std::optional<VlanEntry> decodeVlanRow(const WalkRow& row, int portCount)
{
    if (row.values.size() < 4 || row.values[3] != "1" || row.suffix.size() < 2)
        return std::nullopt;
    VlanEntry entry;
    entry.vid = static_cast<int>(leadingNumber(std::string_view(row.suffix).substr(1)));
    entry.name = snmp::utf8ToLocal(row.values[0]);
    const snmp::PortList egress = snmp::bitmapToPortList(row.values[1], portCount);
    const snmp::PortList untagged = snmp::bitmapToPortList(row.values[2], portCount);
    entry.egressList = egress.text;
    entry.egressCount = egress.count;
    entry.untaggedList = untagged.text;
    entry.untaggedCount = untagged.count;
    entry.partial = !snmp::coversPorts(row.values[1], portCount) || !snmp::coversPorts(row.values[2], portCount);
    return entry;
}

std::vector<std::string> vlanRowTexts(const VlanEntry& entry)
{
    return {std::to_string(entry.vid), entry.name, std::to_string(entry.egressCount), entry.egressList,
            entry.untaggedList};
}

const VlanEntry* findVlan(const std::vector<VlanEntry>& list, int vid)
{
    const auto found = std::find_if(list.begin(), list.end(), [vid](const VlanEntry& e) { return e.vid == vid; });
    return found == list.end() ? nullptr : &*found;
}

std::vector<bool> portsOfList(const std::string& list, int portCount)
{
    std::vector<bool> flags(static_cast<std::size_t>(std::max(portCount, 0)), false);
    std::istringstream ports(list);
    for (std::string port; std::getline(ports, port, ',');) {
        const std::int64_t number = leadingNumber(port);
        if (number >= 1 && number <= portCount)
            flags[static_cast<std::size_t>(number - 1)] = true;
    }
    return flags;
}

WalkRequest voiceSurveillanceRead()
{
    return {WalkRequest::Mode::Single,
            {"1.3.6.1.4.1.32473.10.75.7.21.1.2.0", "1.3.6.1.4.1.32473.10.75.7.21.1.3.0",
             "1.3.6.1.4.1.32473.10.75.7.26.1.1.0", "1.3.6.1.4.1.32473.10.75.7.26.1.2.0"},
            4};
}

VoiceSurveillance decodeVoiceSurveillance(const WalkRow& row)
{
    return {valueAt(row.values, 0) == "1", wholeOrZero(valueAt(row.values, 1)), valueAt(row.values, 2) == "1",
            wholeOrZero(valueAt(row.values, 3))};
}

Bindings asymmetricRead()
{
    return nullBindings({kAsymmetricOid});
}

bool asymmetricEnabled(const std::vector<std::string>& values)
{
    return valueAt(values, 0) == "1";
}

std::string checkAsymmetric(const VoiceSurveillance& state)
{
    if (state.voiceEnabled)
        return "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
               "If you could disable it, please set it through the web!";
    if (state.surveillanceEnabled)
        return "Auto Surveillance VLAN is enable,the vlan mode can't change to Asymmetric mode!";
    return {};
}

const char* const kAsymmetricQuestion =
    "The setting of VLAN, IGMP Snooping, Management VLAN and MAC Address Table will be \n reset to default.";

Bindings asymmetricSet(bool enabled)
{
    return {{kAsymmetricOid, snmp::kTypeInteger, enabled ? "1" : "2"}};
}

WalkRequest pvidRead()
{
    return {WalkRequest::Mode::Table, {kPvidColumn}, 1};
}

std::optional<std::int64_t> decodePvid(const WalkRow& row)
{
    if (row.values.empty() || !isWholeNumber(row.values[0]))
        return std::nullopt;
    return leadingNumber(row.values[0]);
}

std::string checkAdd(int rows)
{
    return rows >= kMaxVlans ? " Number of VLAN group is over limit" : "";
}

VlanChoice checkEdit(int rows, int selected, const std::string& vidText)
{
    if (rows == 0)
        return {0, kSelectVlan, false};
    if (selected < 0)
        return {0, kSelectVlan, true};
    const std::int64_t vid = leadingNumber(vidText.substr(0, 49));
    if (vid <= 0)
        return {0, "Invalid VLAN ID!", false};
    return {static_cast<int>(vid), {}, false};
}

VlanChoice checkDelete(int rows, int selected, const std::string& vidText, bool asymmetric,
                       const std::vector<std::int64_t>& pvids, const VoiceSurveillance& state)
{
    if (rows == 0)
        return {0, kSelectDeleted, false};
    if (selected < 0)
        return {0, kSelectDeleted, true};
    if (vidText == "1")
        return {0, "Can't delete the default VLAN!", false};
    const std::int64_t vid = leadingNumber(vidText);
    if (vid < 1)
        return {};
    if (asymmetric && std::find(pvids.begin(), pvids.end(), vid) != pvids.end())
        return {0, "The VID is one of The PVID, so it cannot be deleted.", false};
    if (state.voiceEnabled && state.voiceVid == vid)
        return {0, "The Vlan ID is Voice vlan ID.", false};
    if (state.surveillanceEnabled && state.surveillanceVid == vid)
        return {0, "The Vlan ID is Surveillance VLAN  ID.", false};
    return {static_cast<int>(vid), {}, false};
}

Bindings vlanDeleteSet(int vid)
{
    return {{std::string(kVlanColumn) + "5." + std::to_string(vid), snmp::kTypeInteger, "6"}};
}

std::string checkPvids(const std::vector<std::int64_t>& pvids, const AggregatedLinks& links,
                       const std::vector<VlanEntry>& vlans)
{
    const int ports = static_cast<int>(pvids.size());
    for (int port = 1; port <= ports; ++port) {
        const int link = links.linkOf(port);
        if (link == 0 || pvids[static_cast<std::size_t>(port - 1)] == 1)
            continue;
        for (int other = 1; other <= ports; ++other)
            if (links.linkOf(other) == link && pvids[static_cast<std::size_t>(other - 1)] !=
                                                   pvids[static_cast<std::size_t>(port - 1)])
                return "You should let all Trunk member in the same PVID !";
        return "Setting PVID on a Trunk is not supported. Please use Web interface for the settings.";
    }
    for (const std::int64_t pvid : pvids) {
        const VlanEntry* found = pvid >= 1 && pvid <= 4094 ? findVlan(vlans, static_cast<int>(pvid)) : nullptr;
        if (!found)
            return "Invalid PVID";
        if (found->egressCount == 0)
            return "Invalid PVID,VlAN is empty";
    }
    return {};
}

std::vector<Bindings> pvidSets(const std::vector<std::int64_t>& pvids)
{
    std::vector<Bindings> sets;
    for (std::size_t i = 0; i < pvids.size(); ++i)
        sets.push_back({{std::string(kPvidColumn) + "." + std::to_string(i + 1), snmp::kTypeUnsigned,
                         std::to_string(pvids[i])}});
    return sets;
}

bool pauseAfterPvid(int port, int portCount)
{
    return portCount >= kPvidsBeforePause && port == kPvidsBeforePause;
}

std::string vlanDeletePathCut(const commands::ManagementPath& path, const Bindings& sent)
{
    const std::string vlan = std::to_string(path.vlan);
    for (const Binding& binding : sent)
        if (path.known && binding.oid == std::string(kVlanColumn) + "5." + vlan && binding.value == "6")
            return "This deletes VLAN " + vlan + ".";
    return {};
}

std::string pvidPathCut(const commands::ManagementPath& path, const std::vector<Bindings>& sets,
                        const std::vector<std::int64_t>& read)
{
    const std::string port = std::to_string(path.port);
    if (!path.known || path.port < 1 || path.port > static_cast<int>(read.size())
        || read[static_cast<std::size_t>(path.port - 1)] != path.vlan)
        return {};
    for (const Bindings& set : sets)
        for (const Binding& binding : set)
            if (binding.oid == std::string(kPvidColumn) + "." + port && binding.value != std::to_string(path.vlan))
                return "This changes the PVID of port " + port + " from " + std::to_string(path.vlan) + " to " +
                       binding.value + ".";
    return {};
}

} // namespace dialogs::switching
