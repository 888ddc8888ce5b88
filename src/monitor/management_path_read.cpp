#include "monitor/management_path_read.h"

#include "dialogs/binding.h"
#include "dialogs/mib/table_view_rules.h"
#include "dialogs/switching/vlan_rules.h"
#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"

#include <map>
#include <set>
#include <vector>

namespace monitor {
namespace {

constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
constexpr const char* kNoAnswer = "the switch did not answer";
constexpr const char* kErrorAnswer = "the switch answered with an error";

using commands::ManagementPath;

ManagementPath unknown(std::string why, std::string mac = {})
{
    ManagementPath path;
    path.unknownWhy = std::move(why);
    path.mac = std::move(mac);
    return path;
}

const char* failureOf(int status)
{
    return status == snmp::kStatusNoAnswer ? kNoAnswer : kErrorAnswer;
}

// One get; the answered values, or the status that ended it.
int get(snmp::CCommonSnmp& session, const std::vector<std::string>& oids, dialogs::WalkRow& row)
{
    if (!dialogs::prepare(session, snmp::kPduGet, dialogs::nullBindings(oids)))
        return snmp::kStatusNoAnswer;
    std::unique_ptr<snmp::CSnmpResponse> response;
    const int status = session.send(response);
    row.values.clear();
    if (status == snmp::kStatusOk && response)
        for (int i = 0; i < response->getValuesCount(); ++i)
            row.values.push_back(response->getValue(i));
    return status;
}

// The PVID column, port by port; kStatusEnded once read whole.
int readPvids(snmp::CCommonSnmp& session, std::map<int, int>& pvids)
{
    const dialogs::WalkRequest request = dialogs::switching::pvidRead();
    if (!dialogs::prepare(session, snmp::kPduGetNext, dialogs::nullBindings(request.oids)))
        return snmp::kStatusNoAnswer;
    for (;;) {
        std::unique_ptr<snmp::CSnmpResponse> response;
        const int status = session.getNext(response);
        if (status != snmp::kStatusOk)
            return status;
        if (!response || response->getValuesCount() < 1)
            return snmp::kStatusFailed;
        dialogs::WalkRow row{{response->getValue(0)}, {}};
        session.getSuffix(0, *response, row.suffix);
        const std::optional<std::int64_t> pvid = dialogs::switching::decodePvid(row);
        const std::int64_t port = row.suffix.size() > 1 ? dialogs::leadingNumber(row.suffix.substr(1)) : 0;
        if (pvid && port >= 1)
            pvids[static_cast<int>(port)] = static_cast<int>(*pvid);
    }
}

std::string macIndex(const platform::MacAddress& mac)
{
    std::string index;
    for (const std::uint8_t octet : mac)
        index += "." + std::to_string(octet);
    return index;
}

} // namespace

ManagementPath readManagementPath(snmp::CCommonSnmp& session, const platform::NextHop& hop, int portCount)
{
    dialogs::WalkRow row;
    // Read first, whatever follows: the change journal names the switch by it.
    const int named = get(session, {kSysName}, row);
    if (!hop.known)
        return unknown(hop.unknownWhy);
    const std::string mac = platform::macText(hop.mac);
    if (named == snmp::kStatusNoAnswer)
        return unknown(kNoAnswer, mac);

    std::map<int, int> pvids;
    if (const int status = readPvids(session, pvids); status != snmp::kStatusEnded)
        return unknown(failureOf(status), mac);
    std::set<int> vlans;
    for (const auto& [port, pvid] : pvids)
        vlans.insert(pvid);

    // The port column the Forwarding Table view walks, indexed by FID (the VLAN) and MAC.
    const std::string portColumn = dialogs::mib::forwardingTableView().walk.oids.at(1);
    int port = 0, vlan = 0;
    for (const int candidate : vlans) {
        const int status = get(session, {portColumn + "." + std::to_string(candidate) + macIndex(hop.mac)}, row);
        if (status == snmp::kStatusNoAnswer || status == snmp::kStatusFailed)
            return unknown(failureOf(status), mac);
        // An absent entry: noSuchName (version 1) or an exception value.
        if (status != snmp::kStatusOk || row.values.empty() || !dialogs::isWholeNumber(row.values[0]))
            continue;
        const std::int64_t answered = dialogs::leadingNumber(row.values[0]);
        if (answered >= 1 && answered <= portCount) {
            port = static_cast<int>(answered);
            vlan = candidate;
            break;
        }
    }
    if (port == 0)
        return unknown("no forwarding entry for " + mac, mac);

    dialogs::WalkRequest vlanRow = dialogs::switching::vlanRowRead(vlan);
    if (const int status = get(session, vlanRow.oids, row); status != snmp::kStatusOk)
        return unknown(status == snmp::kStatusEnded ? "VLAN " + std::to_string(vlan) + " is not listed" : failureOf(status),
                       mac);
    row.suffix = "." + std::to_string(vlan);
    const std::optional<dialogs::switching::VlanEntry> entry = dialogs::switching::decodeVlanRow(row, portCount);
    if (!entry || entry->partial)
        return unknown("VLAN " + std::to_string(vlan) + " is not listed", mac);

    if (!pvids.count(port))
        return unknown("port " + std::to_string(port) + " has no PVID", mac);
    ManagementPath path;
    path.known = true;
    path.port = port;
    path.vlan = vlan;
    path.pvid = pvids[port];
    path.untagged = dialogs::switching::portsOfList(entry->untaggedList, portCount)[static_cast<std::size_t>(port - 1)];
    path.mac = mac;
    return path;
}

} // namespace monitor
