#include "dialogs/switching/trunk_validator.h"

#include "dialogs/aggregated_links.h"
#include "dialogs/text_number.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <cstdint>
#include <functional>

namespace dialogs::switching {
namespace {

const std::string kP = "1.3.6.1.4.1.32473.10.75.7.";
// Two of the spanning-tree port values come from this branch.
const std::string kStpBranch = "1.3.6.1.4.1.32473.10.75.5.6.2.1.";

std::string p(const char* tail)
{
    return kP + tail;
}

WalkRequest table(std::vector<std::string> oids)
{
    const std::size_t count = oids.size();
    return {WalkRequest::Mode::Table, std::move(oids), count};
}

WalkRequest single(std::vector<std::string> oids)
{
    const std::size_t count = oids.size();
    return {WalkRequest::Mode::Single, std::move(oids), count};
}

int number(const std::vector<std::string>& values, std::size_t index)
{
    if (index >= values.size())
        return 0;
    const std::int64_t value = leadingNumber(values[index]);
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

PortFlags flagsOf(const std::string& octets, int portCount)
{
    PortFlags flags(static_cast<std::size_t>(portCount), false);
    const std::size_t bits = std::min(octets.size() * 8, flags.size());
    for (std::size_t bit = 0; bit < bits; ++bit)
        flags[bit] = (static_cast<unsigned char>(octets[bit / 8]) >> (7 - bit % 8)) & 1;
    return flags;
}

PortFlags flagsAt(const std::vector<std::string>& values, std::size_t index, int portCount)
{
    return flagsOf(index < values.size() ? values[index] : std::string(), portCount);
}

void addPortRow(TrunkSnapshot& s, const std::vector<std::string>& v)
{
    const int row = s.portRows++;
    if (row >= s.portCount)
        return;
    const auto i = static_cast<std::size_t>(row);
    s.speed[i] = number(v, 0);
    s.defaultPriority[i] = number(v, 1);
    s.pvid[i] = number(v, 2);
    s.portSecurity[i] = number(v, 3);
    s.medium[i] = number(v, 4);
    s.loopDetect[i] = number(v, 5);
    s.rateControl[i] = {number(v, 6), number(v, 7)};
}

void addSpanningTreeRow(TrunkSnapshot& s, const std::vector<std::string>& v)
{
    const int row = s.spanningTreeRows++;
    if (row >= s.portCount)
        return;
    const auto i = static_cast<std::size_t>(row);
    for (std::size_t k = 0; k < 7; ++k)
        s.spanningTree[i][k] = number(v, k);
    s.dot1xControl[i] = number(v, 7);
    s.voiceMode[i] = number(v, 8);
}

void addSurveillanceRow(TrunkSnapshot& s, const std::vector<std::string>& v)
{
    const int row = s.surveillanceRows++;
    if (row >= s.portCount)
        return;
    s.surveillanceState[static_cast<std::size_t>(row)] = number(v, 0);
    s.surveillanceMode[static_cast<std::size_t>(row)] = number(v, 1);
}

// ---- the rules ----

using Ports = std::vector<int>;

bool in(const PortFlags& flags, int port)
{
    return port >= 1 && static_cast<std::size_t>(port) <= flags.size() && flags[static_cast<std::size_t>(port - 1)];
}

int at(const std::vector<int>& values, int port)
{
    return port >= 1 && static_cast<std::size_t>(port) <= values.size() ? values[static_cast<std::size_t>(port - 1)] : 0;
}

// Every candidate in the list, or none.
bool uniform(const PortFlags& flags, const Ports& c)
{
    return std::all_of(c.begin(), c.end(), [&](int port) { return in(flags, port) == in(flags, c.front()); });
}

// Every candidate with a non-zero value has the first such value.
bool uniformSet(const std::vector<int>& values, const Ports& c)
{
    int reference = 0;
    for (int port : c) {
        const int value = at(values, port);
        if (value == 0)
            continue;
        if (reference == 0)
            reference = value;
        else if (value != reference)
            return false;
    }
    return true;
}

bool anyEquals(const std::vector<int>& values, const Ports& c, int wanted)
{
    return std::any_of(c.begin(), c.end(), [&](int port) { return at(values, port) == wanted; });
}

bool anyIn(const PortFlags& flags, const Ports& c)
{
    return std::any_of(c.begin(), c.end(), [&](int port) { return in(flags, port); });
}

Ports allPorts(const TrunkSnapshot& s)
{
    Ports ports;
    for (int port = 1; port <= s.portCount; ++port)
        ports.push_back(port);
    return ports;
}

template <typename T>
T valueAt(const std::vector<T>& values, int port)
{
    return port >= 1 && static_cast<std::size_t>(port) <= values.size() ? values[static_cast<std::size_t>(port - 1)]
                                                                          : T{};
}

std::string linkRule(const TrunkSnapshot& s, const Ports& c, const Ports& own)
{
    for (int port : c)
        if (at(s.linkId, port) != 0 && std::find(own.begin(), own.end(), port) == own.end())
            return "Cannot add the port as it is a member of another aggregated link !";
    return {};
}

std::string speedRule(const TrunkSnapshot& s, const Ports& c)
{
    const auto first = std::find_if(c.begin(), c.end(), [&](int port) { return at(s.speed, port) != 0; });
    if (first == c.end())
        return {};
    const int reference = at(s.speed, *first);
    if (reference == 3 || reference == 5)
        return "Cannot add a port in half-duplex mode to an aggregated link.";
    for (auto port = first + 1; port != c.end(); ++port)
        if (at(s.speed, *port) != 0 && at(s.speed, *port) != reference)
            return "Cannot add ports of different speed to an aggregated link.";
    return {};
}

// Port by port while `armed`: the first port with `first` at its value, or
// with `second` at its value, decides.
struct PortCondition {
    const std::vector<int>& values;
    int value;
    const char* message;
};
std::string portByPort(bool armed, const Ports& c, PortCondition first, PortCondition second)
{
    if (!armed)
        return {};
    for (int port : c)
        for (const PortCondition& condition : {first, second})
            if (at(condition.values, port) == condition.value)
                return condition.message;
    return {};
}

bool vlansUniform(const TrunkSnapshot& s, const Ports& c)
{
    return std::all_of(s.vlans.begin(), s.vlans.end(), [&](const TrunkSnapshot::VlanPorts& vlan) {
        return uniform(vlan.untagged, c) && uniform(vlan.egress, c);
    });
}

bool learningAll(const TrunkSnapshot& s, const Ports& c)
{
    return anyIn(s.learning, allPorts(s)) && std::all_of(c.begin(), c.end(), [&](int port) { return in(s.learning, port); });
}

bool mirrorSourcesUniform(const TrunkSnapshot& s, const Ports& c)
{
    const Ports every = allPorts(s);
    return !(anyIn(s.mirrorSourceA, every) || anyIn(s.mirrorSourceB, every)) || (uniform(s.mirrorSourceA, c) && uniform(s.mirrorSourceB, c));
}

bool spanningTreeAlike(const TrunkSnapshot& s, const Ports& c)
{
    if (s.stpEnabled != 1)
        return true;
    const auto reference = valueAt(s.spanningTree, c.front());
    return std::all_of(c.begin(), c.end(), [&](int port) { return valueAt(s.spanningTree, port) == reference; });
}

bool rateControlAlike(const TrunkSnapshot& s, const Ports& c)
{
    const auto reference = valueAt(s.rateControl, c.front());
    return std::all_of(c.begin(), c.end(), [&](int port) { return valueAt(s.rateControl, port) == reference; });
}

struct Rule {
    std::function<std::string(const TrunkSnapshot&, const Ports&, const Ports&)> check;
    bool spanningTree = false;
};

// A rule that holds or fails with one message.
template <typename Holds>
Rule plain(Holds holds, const char* message, bool spanningTree = false)
{
    return {[holds, message](const TrunkSnapshot& s, const Ports& c, const Ports&) {
                return holds(s, c) ? std::string() : std::string(message);
            },
            spanningTree};
}

const std::vector<Rule>& rules()
{
    using S = const TrunkSnapshot&;
    using C = const Ports&;
    static const std::vector<Rule> kRules = {
        {linkRule},
        plain([](S s, C c) { return uniformSet(s.medium, c); },
              "Cannot add ports of different types to an aggregated link !"),
        {[](S s, C c, C) { return speedRule(s, c); }},
        plain([](S s, C c) { return uniform(s.dhcpScreening, c); },
              "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."),
        {[](S s, C c, C) {
            return portByPort(s.dot1xEnabled == 1, c,
                              {s.dot1xControl, 2, "Cannot add the 802.1X-enabled port to an aggregated link."},
                              {s.dot1xControl, 1, "Setting the Channel Mode Fail."});
        }},
        plain(vlansUniform, "Cannot add ports with different VLAN configurations to an aggregated link !"),
        plain(learningAll, "Cannot add a Auto-learn disabled port to an aggregated link."),
        plain([](S s, C c) { return uniformSet(s.defaultPriority, c); },
              "Cannot add ports with different 802.1p default priorities to an aggregated link."),
        plain([](S s, C c) { return uniformSet(s.pvid, c); },
              "Cannot add ports with different PVIDs to an aggregated link."),
        plain([](S s, C c) { return !anyEquals(s.portSecurity, c, 1); },
              "Cannot add a port-security anabled port to an aggregated link."),
        plain([](S s, C c) { return !anyEquals(s.loopDetect, c, 1); },
              "Cannot add a LBD-enabled port to an aggregated link."),
        plain(mirrorSourcesUniform, "Cannot add ports of Port Mirror enable ports to an aggregated link."),
        plain([](S s, C c) { return s.mirrorState != 1 || std::find(c.begin(), c.end(), s.mirrorTarget) == c.end(); },
              "Cannot add a mirror port to an aggregated link."),
        plain([](S s, C c) { return !anyIn(s.arpSpoofing, allPorts(s)) || uniform(s.arpSpoofing, c); },
              "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."),
        plain(rateControlAlike, "Cannot add ports with different rate control configurations to an aggregated link."),
        plain(spanningTreeAlike, "Cannot add a port with different RSTP port setting to an aggregated link. ", true),
        plain([](S s, C c) { return !anyEquals(s.voiceMode, c, 1); },
              "Cannot add a port in Voice Vlan Auto mode to an aggregated link."),
        plain([](S s, C c) { return !anyIn(s.fdbDestination, c); },
              "Cannot add ports with different FDB-destination-hit configurations to an aggregated link."),
        plain([](S s, C c) {
                  return std::all_of(s.aclPorts.begin(), s.aclPorts.end(),
                                     [&](const PortFlags& list) { return uniform(list, c); });
              },
              "Cannot add an ACL enabled port to an aggregated link."),
        {[](S s, C c, C) {
            return portByPort(
                s.surveillanceEnabled == 1, c,
                {s.surveillanceState, 1, "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link"},
                {s.surveillanceMode, 2, "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"});
        }},
    };
    return kRules;
}

} // namespace

TrunkSnapshot::TrunkSnapshot(int count)
    : portCount(std::max(count, 0)),
      linkId(static_cast<std::size_t>(portCount)),
      speed(linkId),
      defaultPriority(linkId),
      pvid(linkId),
      portSecurity(linkId),
      medium(linkId),
      loopDetect(linkId),
      rateControl(static_cast<std::size_t>(portCount)),
      spanningTree(static_cast<std::size_t>(portCount)),
      dot1xControl(linkId),
      voiceMode(linkId),
      surveillanceState(linkId),
      surveillanceMode(linkId),
      mirrorSourceA(static_cast<std::size_t>(portCount)),
      mirrorSourceB(mirrorSourceA),
      learning(mirrorSourceA),
      dhcpScreening(mirrorSourceA),
      arpSpoofing(mirrorSourceA),
      fdbDestination(mirrorSourceA)
{
}

WalkRequest trunkSnapshotRead(TrunkRead read)
{
    switch (read) {
    case TrunkRead::Links:
        return {WalkRequest::Mode::Table, {p("8.1.3.1.2"), p("8.1.3.1.3")}, 1};
    case TrunkRead::Ports:
        return table({p("1.13.1.2"), p("12.3.1.1.2"), p("7.7.1.1"), p("14.2.1.1.2"), p("1.13.1.7"), p("17.4.1.2"),
                      p("13.1.2.1.2"), p("13.1.2.1.3")});
    case TrunkRead::SpanningTree:
        return table({kStpBranch + "4", kStpBranch + "2", p("6.2.1.5"), p("6.2.1.16"), p("6.2.1.18"), p("6.2.1.17"),
                      p("6.2.1.14"), p("11.2.9.1.2"), p("21.1.6.1.2")});
    case TrunkRead::Globals:
        return single({p("11.2.1.0"), p("6.1.1.0"), p("26.1.1.0")});
    case TrunkRead::Mirror:
        return single({p("18.1.0"), p("18.2.0")});
    case TrunkRead::MirrorLists:
        return single({p("18.3.0"), p("18.4.0"), p("9.2.0")});
    case TrunkRead::DhcpScreening:
        return single({p("14.7.1.0")});
    case TrunkRead::ArpSpoofing:
        return table({p("14.3.1.1.3")});
    case TrunkRead::Acl:
        return table({p("15.2.1.1.10")});
    case TrunkRead::Vlans:
        return table({p("7.6.1.2"), p("7.6.1.4")});
    case TrunkRead::Fdb:
        return table({p("9.3.1.3")});
    case TrunkRead::Surveillance:
        return table({p("26.1.5.1.2"), p("26.1.5.1.3")});
    }
    return {};
}

void addSnapshotRow(TrunkSnapshot& s, TrunkRead read, const WalkRow& row)
{
    const auto& v = row.values;
    const int n = s.portCount;
    switch (read) {
    case TrunkRead::Links:
        addAggregatedLink(s.linkId, row, n);
        break;
    case TrunkRead::Ports:
        addPortRow(s, v);
        break;
    case TrunkRead::SpanningTree:
        addSpanningTreeRow(s, v);
        break;
    case TrunkRead::Globals:
        s.dot1xEnabled = number(v, 0);
        s.stpEnabled = number(v, 1);
        s.surveillanceEnabled = number(v, 2);
        break;
    case TrunkRead::Mirror:
        s.mirrorState = number(v, 0);
        s.mirrorTarget = number(v, 1);
        break;
    case TrunkRead::MirrorLists:
        s.mirrorSourceA = flagsAt(v, 0, n);
        s.mirrorSourceB = flagsAt(v, 1, n);
        s.learning = flagsAt(v, 2, n);
        break;
    case TrunkRead::DhcpScreening:
        s.dhcpScreening = flagsAt(v, 0, n);
        break;
    case TrunkRead::ArpSpoofing: {
        const PortFlags entry = flagsAt(v, 0, n);
        for (std::size_t i = 0; i < entry.size(); ++i)
            s.arpSpoofing[i] = s.arpSpoofing[i] || entry[i];
        break;
    }
    case TrunkRead::Acl:
        s.aclPorts.push_back(flagsAt(v, 0, n));
        break;
    case TrunkRead::Vlans:
        s.vlans.push_back({flagsAt(v, 0, n), flagsAt(v, 1, n)});
        break;
    case TrunkRead::Fdb: {
        const int port = number(v, 0);
        if (port >= 1 && port <= n)
            s.fdbDestination[static_cast<std::size_t>(port - 1)] = true;
        break;
    }
    case TrunkRead::Surveillance:
        addSurveillanceRow(s, v);
        break;
    }
}

TrunkVerdict trunkVerdict(const TrunkSnapshot& snapshot, const std::vector<int>& candidates,
                          const std::vector<int>& ownMembers)
{
    TrunkVerdict verdict;
    if (candidates.empty())
        return verdict;
    for (const Rule& rule : rules()) {
        verdict.globalsRequested = verdict.globalsRequested || rule.spanningTree;
        verdict.message = rule.check(snapshot, candidates, ownMembers);
        if (!verdict.message.empty())
            break;
    }
    return verdict;
}

std::string checkTrunkAdmission(const TrunkSnapshot& snapshot, const std::vector<int>& candidates,
                                const std::vector<int>& ownMembers)
{
    return trunkVerdict(snapshot, candidates, ownMembers).message;
}

} // namespace dialogs::switching
