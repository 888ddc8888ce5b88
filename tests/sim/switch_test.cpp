// The simulated switch's tables and behaviours, each a script of sets and
// reads on a clock the test moves.
#include "switch_fixture.h"

#include "sim/port_list.h"

#include <optional>
#include <sstream>
#include <variant>

namespace {

using namespace sim;
using namespace sim::oids;
using namespace std::chrono_literals;

using Reading = std::variant<std::monostate, std::int64_t, std::string>; // monostate: no object there

// A set expecting `error`, or else a read expecting `reading`, after the clock moved by `wait`.
struct Step {
    Oid oid;
    std::optional<snmp::Value> written;
    int error = kNoError;
    Reading reading;
    std::chrono::milliseconds wait{0};
};

Step put(const Oid& entry, const Oid& arcs, snmp::Value value, int error = kNoError, std::chrono::milliseconds wait = {})
{
    return {joined(entry, arcs), std::move(value), error, {}, wait};
}
Step reads(const Oid& entry, const Oid& arcs, Reading reading, std::chrono::milliseconds wait = {})
{
    return {joined(entry, arcs), std::nullopt, kNoError, std::move(reading), wait};
}
Step absent(const Oid& entry, const Oid& arcs) { return reads(entry, arcs, std::monostate{}); }
snmp::Value text(std::string octets) { return octetValue(std::move(octets)); }
std::string ports(const PortSet& members, int count = 28) { return encodePortList(members, count); }

Reading readingOf(SimulatedSwitch& device, const Oid& oid)
{
    const auto found = device.get(oid);
    if (!found)
        return {};
    const snmp::Value& value = found->value;
    if (value.type == snmp::Asn::OctetString || value.type == snmp::Asn::IpAddress)
        return value.octets;
    return value.type == snmp::Asn::Integer ? value.integer : static_cast<std::int64_t>(value.unsignedValue);
}

struct Script {
    const char* name;
    const char* model;
    bool scenario;
    std::vector<Step> steps;
};

TEST(SimulatedSwitch, EachTableTakesReadsBackAndRefuses)
{
    const snmp::Value createAndWait = integerValue(kCreateAndWait), createAndGo = integerValue(kCreateAndGo),
                      destroy = integerValue(kDestroy);
    const Oid user = {2, 97, 98, 3}; // user "ab", version 3
    const Script scripts[] = {
        {"VLAN row from createAndWait to active and away", "QMX-7720-ZA", true,
         {absent(kVlanEntry, {5, 100}), put(kVlanEntry, {5, 100}, createAndWait), reads(kVlanEntry, {5, 100}, 5), reads(kVlanEntry, {2, 100}, ports({})),
          // Every VLAN has its multicast filtering row, forwarding by default.
          reads(kMulticastFilterEntry, {1, 100}, 100), reads(kMulticastFilterEntry, {2, 100}, 0), put(kVlanEntry, {2, 100}, text(ports({1, 2, 3}))),
          put(kVlanEntry, {4, 100}, text(ports({3}))), put(kVlanEntry, {1, 100}, text("lab")), put(kVlanEntry, {5, 100}, integerValue(kActive)),
          reads(kVlanEntry, {5, 100}, 1), put(kVlanEntry, {5, 100}, integerValue(kNotInService)), reads(kVlanEntry, {5, 100}, 2),
          put(kVlanEntry, {5, 100}, createAndWait, kInconsistentValue), put(kVlanEntry, {5, 100}, integerValue(kNotReady), kWrongValue),
          put(kVlanEntry, {5, 100}, destroy), absent(kVlanEntry, {5, 100}), absent(kVlanEntry, {1, 100}), absent(kMulticastFilterEntry, {2, 100}),
          put(kVlanEntry, {1, 100}, text("gone"), kNoCreation)}},
        {"refused sets of rows and scalars; a scalar shows in each MIB", "QMX-7720-ZA", true,
         {put(kVlanEntry, {5, 200}, integerValue(kActive), kInconsistentValue), put(kVlanEntry, {5, 4095}, createAndWait, kNoCreation),
          put(kVlanEntry, {5, 200}, text("5"), kWrongType), put(kPvidEntry, {1, 3}, gaugeValue(200), kInconsistentValue),
          put(kVlanEntry, {5, 1}, destroy, kInconsistentValue), /* the default VLAN */ put(kSysDescr, {0}, text("x"), kNotWritable),
          put(kPrivateConfig, {99, 0}, integerValue(1), kNotWritable), put(kSysName, {0}, integerValue(1), kWrongType),
          put(kLldpSettings, {2, 0}, integerValue(11), kWrongValue), put(kDot1dStp, {2, 0}, integerValue(4097), kWrongValue),
          put(kLldpSettings, {5, 0}, integerValue(8), kInconsistentValue), // over a quarter of TX interval 30
          put(kSysName, {0}, text("edge-7")), reads(kSysName, {0}, "edge-7"), reads(kLldpLocal, {3, 0}, "edge-7")}},
        // User OUIs coming and going are the surveillance dialog test's.
        {"the default OUI stays", "QMX-7720-ZA", true,
         {put(kSurveillanceOuiEntry, {5, 0, 0, 94, 0, 0, 0}, destroy, kInconsistentValue), reads(kSurveillanceOuiEntry, {5, 0, 0, 94, 0, 0, 0}, 1)}},
        // A name index whose length does not match its characters names no row.
        {"index columns come from the index and stay read-only", "QMX-7720-ZA", true,
         {put(kSnmpUserEntry, joined({8}, user), createAndWait), reads(kSnmpUserEntry, joined({1}, user), "ab"), reads(kSnmpUserEntry, joined({2}, user), 3),
          put(kSnmpUserEntry, joined({1}, user), text("cd"), kNotWritable), put(kSnmpUserEntry, joined({3}, user), text("initial")),
          put(kSnmpUserEntry, joined({4}, user), integerValue(4), kWrongValue), put(kSnmpUserEntry, {8, 3, 97, 98, 3}, createAndWait, kNoCreation)}},
        {"a full table refuses another row (two communities, room for ten)", "QMX-7720-ZA", true,
         {put(kSnmpCommunityEntry, {3, 1, 97}, createAndGo), put(kSnmpCommunityEntry, {3, 1, 98}, createAndGo), put(kSnmpCommunityEntry, {3, 1, 99}, createAndGo),
          put(kSnmpCommunityEntry, {3, 1, 100}, createAndGo), put(kSnmpCommunityEntry, {3, 1, 101}, createAndGo), put(kSnmpCommunityEntry, {3, 1, 102}, createAndGo),
          put(kSnmpCommunityEntry, {3, 1, 103}, createAndGo), put(kSnmpCommunityEntry, {3, 1, 104}, createAndGo),
          put(kSnmpCommunityEntry, {3, 1, 120}, createAndGo, kResourceUnavailable)}},
        {"starts with the default VLAN everywhere; the model leaves VLAN 20 out of multicast filtering", "QMX-7720-ZA", true,
         {reads(kVlanEntry, {2, 1}, ports(allPorts(28))), reads(kVlanEntry, {4, 1}, ports(allPorts(28))), reads(kMulticastFilterEntry, {1, 1}, 1),
          reads(kMulticastFilterEntry, {1, 10}, 10), reads(kMulticastFilterEntry, {1, 30}, 30), absent(kMulticastFilterEntry, {1, 20}),
          reads(kTrunkEntry, {2, 1}, ports({21, 22}))}},
        {"a disabled port reads administratively down; port 1 is up at gigabit", "QMX-7720-ZA", false,
         {reads(kIfEntry, {8, 1}, 1), reads(kPortEntry, {3, 1}, 2), put(kPortEntry, {2, 1}, integerValue(7)), reads(kIfEntry, {7, 1}, 2), reads(kIfEntry, {8, 1}, 2),
          reads(kPortEntry, {3, 1}, 1), put(kPortEntry, {2, 1}, integerValue(3)), /* 100M half */ reads(kIfEntry, {7, 1}, 1),
          reads(kIfEntry, {5, 1}, 100000000), reads(kPortEntry, {3, 1}, 4)}},
        // Port 26 holds a 1000Base-x module, port 28 a 100Base-x one; port 21
        // is in aggregated link 1, which runs full duplex only.
        {"port speed follows the medium", "QMX-7720-ZA", true,
         {put(kPortEntry, {2, 26}, integerValue(2), kInconsistentValue), put(kPortEntry, {2, 26}, integerValue(6)),
          put(kPortEntry, {2, 28}, integerValue(6), kInconsistentValue), put(kPortEntry, {2, 28}, integerValue(3)),
          put(kPortEntry, {2, 1}, integerValue(8), kWrongValue), put(kPortEntry, {2, 21}, integerValue(3), kInconsistentValue),
          put(kPortEntry, {2, 21}, integerValue(5), kInconsistentValue), put(kPortEntry, {2, 21}, integerValue(4))}},
        // A link with members is not disabled.
        {"untagged ports stay egress; trunks do not overlap and need two ports", "QMX-7720-ZA", true,
         {put(kVlanEntry, {4, 10}, text(ports({1, 9})), kInconsistentValue), put(kVlanEntry, {4, 10}, text(ports({1, 2}))),
          put(kVlanEntry, {2, 10}, text(ports({2, 3})), kInconsistentValue), put(kTrunkEntry, {2, 2}, text(ports({22, 23})), kInconsistentValue),
          put(kTrunkEntry, {2, 2}, text(ports({23})), kInconsistentValue), put(kTrunkEntry, {2, 2}, text(ports({23, 24}))), reads(kTrunkEntry, {3, 2}, 2),
          put(kTrunkEntry, {3, 2}, integerValue(3)), reads(kTrunkEntry, {2, 2}, ports({}))}},
        {"a destroyed VLAN releases its PVIDs", "QMX-7720-ZA", true,
         {put(kPvidEntry, {1, 5}, gaugeValue(10)), put(kVlanEntry, {5, 10}, destroy), reads(kPvidEntry, {1, 5}, 1)}},
        // The firmware machine is a separate one and never ran.
        {"a transfer goes queued, running, then done or failed", "QMX-7720-ZA", true,
         {reads(kTransfer, {8, 0}, 0), put(kTransfer, {5, 0}, ipValue(std::string("\x0a\x00\x00\x05", 4))), put(kTransfer, {6, 0}, text("switch.cfg")),
          put(kTransfer, {7, 0}, integerValue(2)), reads(kTransfer, {8, 0}, 4), reads(kTransfer, {8, 0}, 3, 1500ms), reads(kTransfer, {8, 0}, 3, 3000ms),
          reads(kTransfer, {8, 0}, 0, 1000ms), put(kTransfer, {6, 0}, text("fail-me.cfg")), put(kTransfer, {7, 0}, integerValue(1)),
          reads(kTransfer, {8, 0}, 2, 10s), reads(kTransfer, {4, 0}, 0)}},
        {"an unreachable server never starts", "QMX-7720-ZA", true,
         {put(kTransfer, {1, 0}, ipValue(std::string("\xc0\x00\x02\x63", 4))), put(kTransfer, {2, 0}, text("image.bin")),
          put(kTransfer, {3, 0}, integerValue(1)), reads(kTransfer, {4, 0}, 4, 300s)}},
        {"reboot: silent for its ten seconds, then back with the saved configuration", "QMX-7720-ZA", true,
         {put(kSysName, {0}, text("saved-name")), put(kSaveConfig, {0}, integerValue(1)), put(kSysLocation, {0}, text("unsaved")),
          reads(kSysUpTime, {0}, 6000, 60s), put(kReboot, {0}, integerValue(1)), put(kSysName, {0}, text("too early"), kGenErr, 9s),
          reads(kSysName, {0}, "saved-name", 1s), reads(kSysLocation, {0}, ""), reads(kSysUpTime, {0}, 0)}},
        {"the scenario brings its first port, 3, down and up, each a topology change", "QMX-7720-ZA", true,
         {reads(kIfEntry, {8, 3}, 1), reads(kDot1dStp, {4, 0}, 0), reads(kIfEntry, {8, 3}, 2, 4s), reads(kDot1dStp, {4, 0}, 1),
          reads(kIfEntry, {8, 3}, 1, 16s), reads(kDot1dStp, {4, 0}, 5)}},
        {"without the scenario port 3 stays up", "QMX-7720-ZA", false, {reads(kIfEntry, {8, 3}, 1, 4s)}},
        // Port 1 draws 24.6 W, port 7 nothing; port 2's device draws 21.2 W, port 5
        // gives 15.4 W, limits go in steps of 0.2 W. A time range on no day
        // keeps its ports off; names are unique; a port keeps a range index.
        {"PoE status texts follow the port state", "QMX-7740-ZP", false,
         {reads(kPoePortEntry, {13, 1, 1}, "POWER ON"), reads(kPoePortEntry, {13, 1, 7}, "POWER OFF"), absent(kPoePortEntry, {13, 1, 25}),
          reads(kPoeRemainingPower, {0}, "72.3"), put(kPoePortEntry, {3, 1, 1}, integerValue(2)),
          reads(kPoePortEntry, {13, 1, 1}, "POWER OFF"), reads(kPoeRemainingPower, {0}, "96.9"), put(kPoePortEntry, {7, 1, 2}, integerValue(1)),
          put(kPoePortEntry, {8, 1, 2}, text("10.0")), reads(kPoePortEntry, {13, 1, 2}, "OVER LOAD"),
          put(kPoePortEntry, {8, 1, 5}, text("20.0"), kInconsistentValue), put(kPoePortEntry, {8, 1, 2}, text("10.1"), kWrongValue),
          put(kPoeTimeRangeEntry, {21, 2}, createAndGo), put(kPoeTimeRangeEntry, {2, 2}, text("office-hours"), kInconsistentValue),
          put(kPoePortEntry, {4, 1, 3}, integerValue(2)), reads(kPoePortEntry, {13, 1, 3}, "Time-based OFF"), put(kPoeTimeRangeEntry, {21, 2}, destroy),
          reads(kPoePortEntry, {4, 1, 3}, 2), reads(kPoePortEntry, {13, 1, 3}, "POWER ON")}},
        {"fifty-two port lists are eight octets", "QMX-7752-ZA", true,
         {reads(kVlanEntry, {2, 1}, std::string("\xff\xff\xff\xff\xff\xff\xf0\x00", 8)), reads(kTrunkEntry, {2, 1}, ports({45, 46}, 52)),
          put(kVlanEntry, {2, 20}, text(std::string(4, '\xff')), kWrongLength), put(kVlanEntry, {2, 20}, text(std::string("\0\0\0\0\0\0\x08\0", 8)), kWrongValue),
          put(kDhcpScreeningPorts, {0}, text(ports({49, 50, 51, 52}, 52))), reads(kDhcpScreeningPorts, {0}, ports({49, 50, 51, 52}, 52))}},
    };
    for (const auto& [name, model, scenario, steps] : scripts) {
        SCOPED_TRACE(name);
        ManualClock clock;
        const auto device = makeSwitch(model, clock, {.scenario = scenario});
        for (const Step& step : steps) {
            clock.advance(step.wait);
            if (step.written)
                EXPECT_EQ(device->set(step.oid, *step.written), step.error) << dottedOid(step.oid);
            else
                EXPECT_EQ(readingOf(*device, step.oid), step.reading) << dottedOid(step.oid);
        }
    }
}

TEST(SimulatedSwitch, EachModelServesItsPollingObjectsAndPortDefaults)
{
    for (const auto& [model, ports, fan, poe] : std::initializer_list<std::tuple<const char*, std::uint32_t, bool, bool>>{
             {"QMX-7720-ZA", 28, true, false}, {"QMX-7740-ZP", 28, true, true}, {"QMX-7752-ZA", 52, true, false},
             {"QMX-7710-ZP", 10, false, true}}) {
        SCOPED_TRACE(model);
        ManualClock clock;
        const auto device = makeSwitch(model, clock);
        const auto has = [&device](const Oid& oid) { return device->get(joined(oid, {0})).has_value(); };
        EXPECT_EQ(std::tuple(has(kFanStatus), has(kPoeLedMode), has(kPoeRemainingPower)), std::tuple(fan, poe, poe));
        // The link walk ends at the first interface index above the port count.
        const auto last = device->getNext(joined(kIfEntry, {3, ports}));
        ASSERT_TRUE(last);
        EXPECT_TRUE(last->oid.back() > ports && last->oid.size() == kIfEntry.size() + 2) << dottedOid(last->oid);
        EXPECT_TRUE(device->get(joined(kPortEntry, {7, ports})));
        if (fan) {
            device->setFanFault(true);
            EXPECT_EQ(readingOf(*device, joined(kFanStatus, {0})), Reading(2));
            EXPECT_EQ(device->set(joined(kFanStatus, {0}), integerValue(1)), kNoError);
            EXPECT_EQ(readingOf(*device, joined(kFanStatus, {0})), Reading(1));
        }
        // Every port starts at PVID 1, and the last enabled one stays so.
        for (std::uint32_t p = 1; p <= ports; ++p) {
            EXPECT_EQ(readingOf(*device, joined(kPvidEntry, {1, p})), Reading(1)) << p;
            EXPECT_EQ(device->set(joined(kPortEntry, {2, p}), integerValue(7)), p < ports ? kNoError : kInconsistentValue) << p;
        }
    }
}

} // namespace

namespace {

// The command line's rows, the back end's copy of them, and the entry learnt.
TEST(SimulatedSwitch, ManagerOptionsLearnTheManagersMacOnItsPort)
{
    const std::string mac("\x02\x1a\x2b\x3c\x4d\x5e", 6);
    const struct {
        const char* option;
        const char* argument;
        std::optional<ManagerEntry> entry; // none: refused
    } rows[] = {
        {"--manager-port", "5", ManagerEntry{5}},          {"--manager-port", "100", ManagerEntry{100}},
        {"--manager-port", "0", std::nullopt},             {"--manager-port", "101", std::nullopt},
        {"--manager-port", "5x", std::nullopt},            {"--manager-port", "", std::nullopt},
        {"--manager-mac", "02:1a:2b:3c:4d:5e", ManagerEntry{0, mac}}, {"--manager-mac", "02-1A-2B-3C-4D-5E", ManagerEntry{0, mac}},
        {"--manager-mac", "02:1a:2b:3c:4d", std::nullopt}, {"--manager-mac", "02:1a:2b:3c:4d:5g", std::nullopt},
        {"--manager-mac", "02.1a.2b.3c.4d.5e", std::nullopt}, {"--manager-mac", "2:1a:2b:3c:4d:5e0", std::nullopt},
        {"--manager", "5", std::nullopt},
    };
    for (const auto& row : rows) {
        ManagerEntry entry;
        const bool taken = addManagerOption(row.option, row.argument, entry);
        EXPECT_EQ(taken ? std::optional(entry) : std::nullopt, row.entry) << row.option << " " << row.argument;
    }

    const ManagerEntry manager{7, mac};
    std::istringstream words(managerOptions(manager));
    ManagerEntry copy;
    for (std::string option, argument; words >> option >> argument;)
        ASSERT_TRUE(addManagerOption(option, argument, copy)) << option << " " << argument;
    EXPECT_EQ(copy, manager);
    EXPECT_EQ(managerOptions({}), "");

    // Learnt in the VLAN of the port's PVID; a port the model lacks learns nothing.
    for (const auto& [entry, port] : {std::pair{manager, Reading(7)}, {ManagerEntry{29, mac}, Reading()}}) {
        ManualClock clock;
        const auto device = makeSwitch("QMX-7720-ZA", clock, {.manager = entry});
        const Oid index = {1, 0x02, 0x1a, 0x2b, 0x3c, 0x4d, 0x5e};
        EXPECT_EQ(std::pair(readingOf(*device, joined(kDot1qTpFdbEntry, joined({2}, index))),
                            readingOf(*device, joined(kDot1qTpFdbEntry, joined({3}, index)))),
                  std::pair(port, port == Reading() ? Reading() : Reading(3)));
    }
}

} // namespace
