#include "dialogs/switching/vlan_entry_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <chrono>

namespace dialogs::switching {

namespace {

constexpr const char* kVlanColumn = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";

std::string cell(int column, int vid)
{
    return kVlanColumn + std::to_string(column) + "." + std::to_string(vid);
}

Bindings portListSet(int column, int vid, const std::vector<bool>& ports, int portCount)
{
    return {{cell(column, vid), snmp::kTypeOctetString, snmp::portFlagsToBitmap(ports, portCount).octets}};
}

// Every other port of a link that has a port in `ports` is in `ports` too.
bool keepsLinksWhole(const std::vector<bool>& ports, const AggregatedLinks& links)
{
    for (int port = 1; port <= static_cast<int>(ports.size()); ++port) {
        const int link = links.linkOf(port);
        if (link == 0 || !ports[static_cast<std::size_t>(port - 1)])
            continue;
        for (int other = 1; other <= static_cast<int>(ports.size()); ++other)
            if (links.linkOf(other) == link && !ports[static_cast<std::size_t>(other - 1)])
                return false;
    }
    return true;
}

std::vector<bool> portsWhere(const std::vector<Member>& members, bool (*holds)(Member))
{
    std::vector<bool> flags;
    for (const Member member : members)
        flags.push_back(holds(member));
    return flags;
}

// A port-list step; one without octets is no step the switch could take.
bool writePortList(WriteContext& write, CDialogSession& session, const Bindings& step)
{
    if (step.empty() || step.front().value.empty()) {
        write.warn(kParameterError);
        return false;
    }
    return write.set(session, step) == snmp::kStatusOk;
}

} // namespace

const char* const kParameterError = "Parameter Error !";
const char* const kPartialVlan =
    "The switch answered this VLAN's port lists shorter than its ports, so it cannot be edited here.";

VlanEntryForm loadVlanEntryForm(bool add, bool asymmetric, int portCount, const std::vector<VlanEntry>& list,
                                int vid)
{
    VlanEntryForm form;
    form.add = add;
    form.asymmetric = asymmetric;
    form.members.assign(static_cast<std::size_t>(std::max(portCount, 0)), Member::NotMember);
    for (const VlanEntry& entry : list) {
        const std::vector<bool> untagged = portsOfList(entry.untaggedList, portCount);
        for (int port = 1; port <= portCount; ++port)
            if (untagged[static_cast<std::size_t>(port - 1)])
                form.allUntagged.insert(port);
    }
    const VlanEntry* loaded = add ? nullptr : findVlan(list, vid);
    if (!loaded)
        return form;
    const std::vector<bool> egress = portsOfList(loaded->egressList, portCount);
    const std::vector<bool> untagged = portsOfList(loaded->untaggedList, portCount);
    for (std::size_t i = 0; i < form.members.size(); ++i)
        form.members[i] = untagged[i] ? Member::Untag : egress[i] ? Member::Tag : Member::NotMember;
    return form;
}

bool choose(VlanEntryForm& form, int port, Member chosen)
{
    if (port < 1 || port > static_cast<int>(form.members.size()))
        return false;
    Member& member = form.members[static_cast<std::size_t>(port - 1)];
    if (member == chosen)
        return true;
    if (chosen == Member::Untag) {
        if (!form.asymmetric && form.allUntagged.count(port))
            return false;
    } else if (!form.add && member == Member::Untag) {
        form.allUntagged.erase(port);
    }
    member = chosen;
    return true;
}

std::vector<bool> egressPorts(const std::vector<Member>& members)
{
    return portsWhere(members, [](Member m) { return m != Member::NotMember; });
}

std::vector<bool> untaggedPorts(const std::vector<Member>& members)
{
    return portsWhere(members, [](Member m) { return m == Member::Untag; });
}

int vlanEntryVid(const std::string& vidText)
{
    return static_cast<int>(typedNumber(vidText));
}

std::string checkVlanEntry(const VlanEntryForm& form, const VlanEntryInput& input, const AggregatedLinks& links,
                           const std::vector<VlanEntry>& list)
{
    const int vid = vlanEntryVid(input.vidText);
    if (const VlanEntry* loaded = form.add ? nullptr : findVlan(list, vid); loaded && loaded->partial)
        return kPartialVlan;
    if (form.add) {
        if (vid < 2 || vid > 4094)
            return "Invalid VLAN ID, VLAN ID should be (2-4094) !";
        if (findVlan(list, vid))
            return "The VLAN ID has been used, please input again !";
    }
    if (!snmp::isValidName(input.name.substr(0, 99)))
        return "Invalid Vlan Name.";
    const std::vector<bool> egress = egressPorts(form.members);
    if (!keepsLinksWhole(egress, links) || !keepsLinksWhole(untaggedPorts(form.members), links))
        return "Members in VLAN have to be in the same trunk !";
    if (!form.add && std::none_of(egress.begin(), egress.end(), [](bool member) { return member; }) &&
        std::none_of(list.begin(), list.end(),
                     [vid](const VlanEntry& other) { return other.vid != vid && other.egressCount != 0; }))
        return "You have to include at least one member in the vlan";
    return {};
}

VlanEntryWrite vlanEntryWrite(const VlanEntryForm& form, int vid, const std::string& name, int portCount,
                              const VlanEntry* before)
{
    VlanEntryWrite write;
    if (form.add || vid != 1)
        write.rowStatus = {{cell(5, vid), snmp::kTypeInteger, form.add ? "5" : "2"}};
    const std::vector<bool> egress = egressPorts(form.members);
    if (vid != 1) {
        write.allPorts = portListSet(2, vid, std::vector<bool>(static_cast<std::size_t>(portCount), true), portCount);
        // A new VLAN had no member before the all-ports step; never the chosen
        // sets, which the switch may just have refused.
        const VlanEntry empty;
        const VlanEntry& was = form.add || !before ? empty : *before;
        write.restoreUntagged = portListSet(4, vid, portsOfList(was.untaggedList, portCount), portCount);
        write.restoreEgress = portListSet(2, vid, portsOfList(was.egressList, portCount), portCount);
    }
    write.untagged = portListSet(4, vid, untaggedPorts(form.members), portCount);
    write.egress = portListSet(2, vid, egress, portCount);
    write.name = {{cell(1, vid), snmp::kTypeOctetString, snmp::localToUtf8(name, 128)}};
    write.activate = {{cell(5, vid), snmp::kTypeInteger, "1"}};
    return write;
}

void writeVlanEntry(WriteContext& write, const VlanEntrySessions& sessions, const VlanEntryWrite& steps)
{
    if (!steps.rowStatus.empty())
        write.setByGetNext(sessions.main, steps.rowStatus);
    bool widened = false;
    bool written = true;
    if (!steps.allPorts.empty())
        widened = written = writePortList(write, sessions.allPorts, steps.allPorts);
    if (written) {
        // Every port is a member now: a refused step puts back what was there,
        // so a failed change never adds every port to the VLAN.
        if (!writePortList(write, sessions.untagged, steps.untagged)) {
            if (widened)
                writePortList(write, sessions.egress, steps.restoreEgress);
        } else if (!writePortList(write, sessions.egress, steps.egress) && widened) {
            if (!steps.restoreUntagged.empty())
                writePortList(write, sessions.untagged, steps.restoreUntagged);
            writePortList(write, sessions.egress, steps.restoreEgress);
        }
    }
    write.set(sessions.main, steps.name);
    write.pause(std::chrono::milliseconds(kActivatePauseMs));
    write.set(sessions.main, steps.activate);
}

std::string vlanEntryPathCut(const commands::ManagementPath& path, int vid, const VlanEntryWrite& steps,
                             const VlanEntry* before, int portCount)
{
    if (!path.known || vid != path.vlan || path.port < 1 || path.port > portCount)
        return {};
    const auto member = [](bool egress, bool untagged) {
        return untagged ? Member::Untag : egress ? Member::Tag : Member::NotMember;
    };
    const auto sent = [&path](const Bindings& set) {
        return !set.empty() && snmp::portInBitmap(set.front().value, path.port);
    };
    const VlanEntry none;
    const VlanEntry& was = before ? *before : none;
    const auto index = static_cast<std::size_t>(path.port - 1);
    const Member old = member(portsOfList(was.egressList, portCount)[index], portsOfList(was.untaggedList, portCount)[index]);
    const Member now = member(sent(steps.egress), sent(steps.untagged));
    const std::string port = std::to_string(path.port), vlan = std::to_string(vid);
    if (now == old)
        return {};
    if (now == Member::NotMember)
        return "This removes port " + port + " from VLAN " + vlan + ".";
    if ((now == Member::Untag) != path.untagged)
        return "This makes port " + port + (now == Member::Untag ? " untagged" : " tagged") + " in VLAN " + vlan + ".";
    return {};
}

} // namespace dialogs::switching
