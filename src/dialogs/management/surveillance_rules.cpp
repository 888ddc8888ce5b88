#include "dialogs/management/surveillance_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace dialogs::management {
namespace {

constexpr const char* kGlobal = "1.3.6.1.4.1.32473.10.75.7.26.1.";
constexpr const char* kOuiEntry = "1.3.6.1.4.1.32473.10.75.7.26.2.1.1.";
constexpr const char* kMacFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
constexpr std::string_view kDefaultOuiPrefix = "00005E0";

constexpr std::array<const char*, 6> kComponentTypes{
    "Video_Management_Server", "VMS_Client",   "Video_Encoder", "Network_Storage", "Other_IP_Surveillance_Devices",
    "Corvane_Surveillance_Device"};

Binding integer(std::string oid, std::int64_t value)
{
    return {std::move(oid), snmp::kTypeInteger, std::to_string(value)};
}

std::string withoutDashes(std::string_view mac)
{
    std::string hex;
    std::copy_if(mac.begin(), mac.end(), std::back_inserter(hex), [](char c) { return c != '-'; });
    return hex;
}

std::string upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

bool isDefaultOui(std::string_view hex)
{
    return upper(std::string(hex.substr(0, kDefaultOuiPrefix.size()))) == kDefaultOuiPrefix;
}

// ".0.17.34.170.187.204" for 00-11-22-AA-BB-CC.
std::string ouiIndex(std::string_view mac)
{
    std::string index;
    for (unsigned char octet : snmp::hexToOctets(withoutDashes(mac), 6))
        index += "." + std::to_string(octet);
    return index;
}

std::string column(int number, std::string_view mac)
{
    return kOuiEntry + std::to_string(number) + ouiIndex(mac);
}

} // namespace

WalkRequest surveillanceVlanWalk()
{
    return {WalkRequest::Mode::Table, {"1.3.6.1.4.1.32473.10.75.7.7.8.1.1"}, 1};
}

WalkRequest surveillanceGlobalRead()
{
    return {WalkRequest::Mode::Single, {std::string(kGlobal) + "1.0", std::string(kGlobal) + "2.0", std::string(kGlobal) + "3.0"},
            3};
}

std::optional<SurveillanceGlobal> decodeSurveillanceGlobal(const WalkRow& row)
{
    const auto& v = row.values;
    if (v.size() < 3 || !isWholeNumber(v[1]))
        return std::nullopt;
    SurveillanceGlobal global;
    global.enabled = v[0] == "1";
    global.vlanId = v[1];
    if (isWholeNumber(v[2]) && leadingNumber(v[2]) >= 0 &&
        leadingNumber(v[2]) < static_cast<std::int64_t>(surveillancePriorityItems().size()))
        global.priority = static_cast<int>(leadingNumber(v[2]));
    return global;
}

const std::vector<std::string>& surveillancePriorityItems()
{
    static const std::vector<std::string> items{"Highest", "High", "Medium", "Low"};
    return items;
}

Bindings surveillanceConflictRead()
{
    return nullBindings({"1.3.6.1.4.1.32473.10.75.7.7.5.0", "1.3.6.1.4.1.32473.10.75.7.21.1.2.0",
                         "1.3.6.1.4.1.32473.10.75.7.21.1.3.0"});
}

std::string checkSurveillanceVlanChoice(bool enabled, std::string_view vlanId)
{
    if (enabled && vlanId.empty())
        return "No Vlan ID to apply: the switch offered none. Press Refresh to read its VLANs again.";
    return {};
}

std::string checkSurveillanceApply(const std::vector<std::string>& others, std::string_view vlanId)
{
    const auto at = [&](std::size_t i) { return i < others.size() ? others[i] : std::string(); };
    if (at(0) == "1")
        return "Auto Surveillance Vlan can not support in Asymmetric VLAN mode.";
    if (at(1) == "1" && at(2) == vlanId)
        return "The vlan ID already is voice vlan ID.";
    return {};
}

Bindings surveillanceGlobalSet(bool enabled, std::string_view vlanId, int priority)
{
    if (!enabled)
        return {integer(std::string(kGlobal) + "1.0", 2)};
    return {{std::string(kGlobal) + "2.0", snmp::kTypeInteger, std::string(vlanId)},
            integer(std::string(kGlobal) + "3.0", priority), integer(std::string(kGlobal) + "1.0", 1)};
}

std::vector<std::string> componentTypeItems()
{
    return {kComponentTypes.begin(), kComponentTypes.begin() + 5};
}

std::string componentTypeText(std::string_view value)
{
    for (std::size_t i = 0; i < kComponentTypes.size(); ++i)
        if (value == std::to_string(i))
            return kComponentTypes[i];
    return std::string(value);
}

const std::vector<std::string>& ouiHeaders()
{
    static const std::vector<std::string> headers{"ID", "Component Type", "Description", "MAC Address"};
    return headers;
}

WalkRequest ouiWalk()
{
    return {WalkRequest::Mode::Table,
            {std::string(kOuiEntry) + "4", std::string(kOuiEntry) + "2", std::string(kOuiEntry) + "1",
             std::string(kOuiEntry) + "5"},
            4};
}

std::optional<OuiRow> decodeOuiRow(const WalkRow& row)
{
    const auto& v = row.values;
    if (v.size() < 4 || v[3] != "1" || v[2].size() != 6)
        return std::nullopt;
    return OuiRow{componentTypeText(v[0]), snmp::utf8ToLocal(v[1]), snmp::macToDashText(v[2])};
}

std::string checkOuiAdd(std::string_view description, std::string_view mac, const std::vector<std::string>& listedMacs)
{
    if (!snmp::isValidName(description))
        return "Invalid Description.";
    if (mac.size() != 17)
        return kMacFormat;
    for (std::size_t position : {2, 5, 8, 11, 14})
        if (mac[position] != '-')
            return kMacFormat;
    const std::string hex = withoutDashes(mac);
    if (hex == "000000000000" || hex.size() < 12 ||
        !std::all_of(hex.begin(), hex.end(), [](unsigned char c) { return std::isxdigit(c) != 0; }))
        return kMacFormat;
    if (upper(hex) == "FFFFFFFFFFFF")
        return "Broadcast MAC is not allowed.";
    if (snmp::hexToOctets(hex, 1)[0] & 1)
        return "Multicast MAC is not allowed.";
    // Any letter case: "00-00-5e-..." is the default OUI as much as "00-00-5E-...".
    if (isDefaultOui(hex))
        return "This OUI is default, please select the default mode!";
    int users = 0;
    for (const std::string& listed : listedMacs) {
        const std::string listedHex = withoutDashes(listed);
        if (upper(listedHex) == upper(hex))
            return "The OUI is already exist!";
        if (!isDefaultOui(listedHex))
            ++users;
    }
    if (users >= kMaxUserOuis)
        return "OUI Table is full,Maximum user defined OUI is 5.";
    return {};
}

Bindings ouiCreate(std::string_view mac)
{
    return {integer(column(5, mac), 4)};
}

Bindings ouiColumnsSet(std::string_view mac, std::string_view description, int componentType)
{
    return {{column(2, mac), snmp::kTypeOctetString,
             snmp::localToUtf8(description, static_cast<std::size_t>(kOuiDescriptionMaxLength) * 3 + 1)},
            integer(column(4, mac), componentType)};
}

std::string checkOuiDelete(const std::optional<std::string>& selectedMac)
{
    if (!selectedMac)
        return "Please Selecte the OUI Entry you would to delete";
    if (*selectedMac == kDefaultOuiMac)
        return "The default Surveillance OUI can not be deleted.";
    return {};
}

Bindings ouiDestroy(std::string_view mac)
{
    return {integer(column(5, mac), 6)};
}

} // namespace dialogs::management
