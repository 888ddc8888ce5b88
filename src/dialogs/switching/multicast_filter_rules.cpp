#include "dialogs/switching/multicast_filter_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"

namespace dialogs::switching {
namespace {

constexpr const char* kVidColumn = "1.3.6.1.4.1.32473.10.75.7.7.8.1.1";
constexpr const char* kModeColumn = "1.3.6.1.4.1.32473.10.75.7.7.8.1.2";
constexpr const char* kVlanNameColumn = "1.3.6.1.4.1.32473.10.75.7.7.6.1.1";
constexpr std::int64_t kMaxVid = 4094;

} // namespace

const std::vector<std::string>& multicastFilterHeaders()
{
    static const std::vector<std::string> kHeaders{"VLAN ID", "VLAN Name", "Multicast Filtering Mode"};
    return kHeaders;
}

const std::vector<int>& multicastFilterColumnWidths()
{
    static const std::vector<int> kWidths{100, 150, 320};
    return kWidths;
}

const std::vector<std::string>& multicastModeItems()
{
    static const std::vector<std::string> kItems{"Forward Unregistered Groups", "Filtering Unregistered Groups"};
    return kItems;
}

WalkRequest vlanNameRead()
{
    return {WalkRequest::Mode::Table, {kVlanNameColumn}, 1};
}

void addVlanName(VlanNames& names, const WalkRow& row)
{
    const std::string vid = row.suffix.size() > 1 ? row.suffix.substr(1) : std::string();
    if (!row.values.empty() && isWholeNumber(vid))
        names[leadingNumber(vid)] = row.values[0];
}

WalkRequest multicastFilterRead()
{
    return {WalkRequest::Mode::Table, {kVidColumn, kModeColumn}, 2};
}

std::optional<MulticastRow> decodeMulticastRow(const WalkRow& row, const VlanNames& names)
{
    if (row.values.size() < 2 || !isWholeNumber(row.values[0]))
        return std::nullopt;
    const std::int64_t vid = leadingNumber(row.values[0]);
    if (vid < 1 || vid > kMaxVid)
        return std::nullopt;
    const auto name = names.find(vid);
    return MulticastRow{row.values[0], name == names.end() ? std::string() : name->second,
                        multicastModeItems()[row.values[1] == "0" ? 0 : 1]};
}

Bindings multicastFilterSet(const std::vector<std::string>& vids, int modeIndex)
{
    Bindings bindings;
    for (const std::string& vid : vids)
        bindings.push_back({std::string(kModeColumn) + "." + vid, snmp::kTypeInteger, modeIndex == 0 ? "0" : "1"});
    return bindings;
}

} // namespace dialogs::switching
