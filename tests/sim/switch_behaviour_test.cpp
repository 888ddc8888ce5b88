// The behaviours the module relies on, on a clock the test moves.
#include "switch_fixture.h"

#include "platform/decimal_text.h"
#include "sim/port_list.h"

namespace {

using namespace sim;
using namespace sim::oids;
using namespace std::chrono_literals;

using SwitchConsistency = SwitchTest;
using SwitchTransfer = SwitchTest;
using SwitchModels = SwitchTest;

TEST_F(SwitchConsistency, StartsWithDefaultVlanUntaggedEverywhereAndPvidOne)
{
    EXPECT_EQ(octets(kVlanEntry, {2, 1}), encodePortList(allPorts(28), 28));
    EXPECT_EQ(octets(kVlanEntry, {4, 1}), encodePortList(allPorts(28), 28));
    for (std::uint32_t p = 1; p <= 28; ++p)
        EXPECT_EQ(integer(kPvidEntry, {1, p}), 1);
    for (std::uint32_t vid : {1u, 10u, 30u})
        EXPECT_EQ(integer(kMulticastFilterEntry, {1, vid}), vid);
    EXPECT_FALSE(device->get(joined(kMulticastFilterEntry, {1, 20}))); // the model leaves VLAN 20 out
    EXPECT_EQ(decodePortList(octets(kTrunkEntry, {2, 1})), (PortSet{21, 22}));
}

TEST_F(SwitchConsistency, DisabledPortReadsAdministrativelyDown)
{
    use("QMX-7720-ZA", {.scenario = false});
    // Port 1 is up at gigabit in the model file.
    EXPECT_EQ(integer(kIfEntry, {8, 1}), 1);
    EXPECT_EQ(integer(kPortEntry, {3, 1}), 2);
    ASSERT_EQ(set(kPortEntry, {2, 1}, integerValue(7)), kNoError);
    EXPECT_EQ(integer(kIfEntry, {7, 1}), 2);
    EXPECT_EQ(integer(kIfEntry, {8, 1}), 2);
    EXPECT_EQ(integer(kPortEntry, {3, 1}), 1);
    ASSERT_EQ(set(kPortEntry, {2, 1}, integerValue(3)), kNoError); // 100M half
    EXPECT_EQ(integer(kIfEntry, {7, 1}), 1);
    EXPECT_EQ(integer(kIfEntry, {5, 1}), 100000000);
    EXPECT_EQ(integer(kPortEntry, {3, 1}), 4);
}

TEST_F(SwitchConsistency, PortSpeedFollowsTheMediumAndOnePortStaysEnabled)
{
    // Port 26 holds a 1000Base-x module, port 28 a 100Base-x module; port 21
    // is a member of aggregated link 1, which runs full duplex only.
    for (const auto& [port, speed, error] : std::initializer_list<std::tuple<std::uint32_t, int, int>>{
             {26, 2, kInconsistentValue}, {26, 6, kNoError}, {28, 6, kInconsistentValue}, {28, 3, kNoError}, {1, 8, kWrongValue},
             {21, 3, kInconsistentValue}, {21, 5, kInconsistentValue}, {21, 4, kNoError}})
        EXPECT_EQ(set(kPortEntry, {2, port}, integerValue(speed)), error) << port << " at " << speed;
    for (std::uint32_t p = 1; p < 28; ++p)
        ASSERT_EQ(set(kPortEntry, {2, p}, integerValue(7)), kNoError) << p;
    EXPECT_EQ(set(kPortEntry, {2, 28}, integerValue(7)), kInconsistentValue);
}

TEST_F(SwitchConsistency, UntaggedPortsStayEgressAndTrunksDoNotOverlap)
{
    const auto ports = [](PortSet set) { return octetValue(encodePortList(set, 28)); };
    // In order: untagged beyond egress, untagged within, egress without an
    // untagged port, a trunk over port 22 of trunk 1, a one-port trunk.
    for (const auto& [entry, arcs, members, error] : std::initializer_list<std::tuple<Oid, Oid, PortSet, int>>{
             {kVlanEntry, {4, 10}, {1, 9}, kInconsistentValue}, {kVlanEntry, {4, 10}, {1, 2}, kNoError},
             {kVlanEntry, {2, 10}, {2, 3}, kInconsistentValue}, {kTrunkEntry, {2, 2}, {22, 23}, kInconsistentValue},
             {kTrunkEntry, {2, 2}, {23}, kInconsistentValue}, {kTrunkEntry, {2, 2}, {23, 24}, kNoError}})
        EXPECT_EQ(device->set(joined(entry, arcs), ports(members)), error) << dottedOid(arcs);
    EXPECT_EQ(integer(kTrunkEntry, {3, 2}), 2); // a link with members is not disabled
    ASSERT_EQ(set(kTrunkEntry, {3, 2}, integerValue(3)), kNoError);
    EXPECT_TRUE(decodePortList(octets(kTrunkEntry, {2, 2})).empty());
}

TEST_F(SwitchConsistency, DestroyedVlanReleasesItsPvids)
{
    ASSERT_EQ(set(kPvidEntry, {1, 5}, gaugeValue(10)), kNoError);
    ASSERT_EQ(set(kVlanEntry, {5, 10}, integerValue(kDestroy)), kNoError);
    EXPECT_EQ(integer(kPvidEntry, {1, 5}), 1);
}

TEST_F(SwitchConsistency, NeighboursShowOnlyWhileLldpIsEnabled)
{
    const Oid remoteNames = joined(kLldpRemEntry, {9});
    const auto neighbours = [&] {
        int count = 0;
        for (auto at = device->getNext(remoteNames); at && startsWith(at->oid, remoteNames); at = device->getNext(at->oid))
            ++count;
        return count;
    };
    EXPECT_EQ(neighbours(), 3);
    ASSERT_EQ(set(kLldpSettings, {1, 0}, integerValue(2)), kNoError);
    EXPECT_EQ(neighbours(), 0);
    ASSERT_EQ(set(kLldpSettings, {1, 0}, integerValue(1)), kNoError);
    EXPECT_EQ(neighbours(), 3);
    EXPECT_EQ(octets(kLldpRemEntry, {9, 0, 26, 2}), "dist-3");
}

TEST_F(SwitchTransfer, StatusGoesQueuedRunningThenDoneOrFailed)
{
    EXPECT_EQ(integer(kTransfer, {8, 0}), 0);
    ASSERT_EQ(set(kTransfer, {5, 0}, ipValue(std::string{'\x0a', '\x00', '\x00', '\x05'})), kNoError);
    ASSERT_EQ(set(kTransfer, {6, 0}, octetValue("switch.cfg")), kNoError);
    ASSERT_EQ(set(kTransfer, {7, 0}, integerValue(2)), kNoError);
    // Status after each step of the clock: queued, running, still running, done.
    for (const auto& [step, status] : std::initializer_list<std::pair<std::chrono::milliseconds, int>>{{0ms, 4}, {1500ms, 3}, {3000ms, 3}, {1000ms, 0}}) {
        clock.advance(step);
        EXPECT_EQ(integer(kTransfer, {8, 0}), status) << clock.now.count();
    }
    ASSERT_EQ(set(kTransfer, {6, 0}, octetValue("fail-me.cfg")), kNoError);
    ASSERT_EQ(set(kTransfer, {7, 0}, integerValue(1)), kNoError);
    clock.advance(10s);
    EXPECT_EQ(integer(kTransfer, {8, 0}), 2);
    // The firmware machine is a separate one and never ran.
    EXPECT_EQ(integer(kTransfer, {4, 0}), 0);
}

TEST_F(SwitchTransfer, UnreachableServerNeverStarts)
{
    ASSERT_EQ(set(kTransfer, {1, 0}, ipValue(std::string{'\xc0', '\x00', '\x02', '\x63'})), kNoError);
    ASSERT_EQ(set(kTransfer, {2, 0}, octetValue("image.bin")), kNoError);
    ASSERT_EQ(set(kTransfer, {3, 0}, integerValue(1)), kNoError);
    clock.advance(300s);
    EXPECT_EQ(integer(kTransfer, {4, 0}), 4);
}

TEST_F(SwitchTest, RebootIsSilentForItsTimeThenBackWithTheSavedConfiguration)
{
    use("QMX-7720-ZA", {.rebootTime = 10s});
    ASSERT_EQ(set(kSysName, {0}, octetValue("saved-name")), kNoError);
    ASSERT_EQ(set(kSaveConfig, {0}, integerValue(1)), kNoError);
    ASSERT_EQ(set(kSysLocation, {0}, octetValue("unsaved")), kNoError);
    clock.advance(60s);
    EXPECT_GE(integer(kSysUpTime, {0}), 6000);

    ASSERT_EQ(set(kReboot, {0}, integerValue(1)), kNoError);
    EXPECT_TRUE(device->rebooting());
    clock.advance(9s);
    EXPECT_TRUE(device->rebooting());
    EXPECT_EQ(set(kSysName, {0}, octetValue("too early")), kGenErr);
    clock.advance(1s);
    EXPECT_FALSE(device->rebooting());
    EXPECT_EQ(octets(kSysName, {0}), "saved-name");
    EXPECT_EQ(octets(kSysLocation, {0}), "");
    EXPECT_LT(integer(kSysUpTime, {0}), 100);
}

TEST_F(SwitchTest, ScenarioClockBringsItsPortsDownAndUp)
{
    // The model's first scenario port is 3, up at the start.
    EXPECT_EQ(integer(kIfEntry, {8, 3}), 1);
    const auto changesBefore = integer(kDot1dStp, {4, 0});
    clock.advance(4s);
    EXPECT_EQ(integer(kIfEntry, {8, 3}), 2);
    EXPECT_GT(integer(kDot1dStp, {4, 0}), changesBefore);
    clock.advance(16s);
    EXPECT_EQ(integer(kIfEntry, {8, 3}), 1);

    use("QMX-7720-ZA", {.scenario = false});
    clock.advance(4s);
    EXPECT_EQ(integer(kIfEntry, {8, 3}), 1);
}

TEST_F(SwitchTest, PoeStatusTextsFollowThePortState)
{
    use("QMX-7740-ZP", {.scenario = false});
    const auto status = [&](std::uint32_t port) { return octets(kPoePortEntry, {13, 1, port}); };
    EXPECT_EQ(status(1), "POWER ON");
    EXPECT_EQ(status(7), "POWER OFF"); // nothing attached
    EXPECT_FALSE(device->get(joined(kPoePortEntry, {13, 1, 25})));
    const std::string before = octets(kPoeRemainingPower, {0});

    ASSERT_EQ(set(kPoePortEntry, {3, 1, 1}, integerValue(2)), kNoError);
    EXPECT_EQ(status(1), "POWER OFF");
    EXPECT_GT(platform::leadingDecimal(octets(kPoeRemainingPower, {0})), platform::leadingDecimal(before));

    // Port 2's device draws 21.2 W: a 10 W limit overloads it.
    ASSERT_EQ(set(kPoePortEntry, {7, 1, 2}, integerValue(1)), kNoError);
    ASSERT_EQ(set(kPoePortEntry, {8, 1, 2}, octetValue("10.0")), kNoError);
    EXPECT_EQ(status(2), "OVER LOAD");
    EXPECT_EQ(set(kPoePortEntry, {8, 1, 5}, octetValue("20.0")), kInconsistentValue); // 15.4 W port
    EXPECT_EQ(set(kPoePortEntry, {8, 1, 2}, octetValue("10.1")), kWrongValue);         // steps of 0.2 W

    // A time range on no day keeps its ports off.
    ASSERT_EQ(set(kPoeTimeRangeEntry, {21, 2}, integerValue(kCreateAndGo)), kNoError);
    EXPECT_EQ(set(kPoeTimeRangeEntry, {2, 2}, octetValue("office-hours")), kInconsistentValue); // names are unique
    ASSERT_EQ(set(kPoePortEntry, {4, 1, 3}, integerValue(2)), kNoError);
    EXPECT_EQ(status(3), "Time-based OFF");
    ASSERT_EQ(set(kPoeTimeRangeEntry, {21, 2}, integerValue(kDestroy)), kNoError);
    EXPECT_EQ(integer(kPoePortEntry, {4, 1, 3}), 2); // kept for a range made again at 2
    EXPECT_EQ(status(3), "POWER ON");
}

TEST_F(SwitchModels, FiftyTwoPortListsAreEightOctets)
{
    use("QMX-7752-ZA");
    EXPECT_EQ(octets(kVlanEntry, {2, 1}), std::string("\xff\xff\xff\xff\xff\xff\xf0\x00", 8));
    EXPECT_EQ(decodePortList(octets(kTrunkEntry, {2, 1})), (PortSet{45, 46}));
    EXPECT_EQ(set(kVlanEntry, {2, 20}, octetValue(std::string(4, '\xff'))), kWrongLength);
    EXPECT_EQ(set(kVlanEntry, {2, 20}, octetValue(std::string("\0\0\0\0\0\0\x08\0", 8))), kWrongValue);
    const PortSet high = {49, 50, 51, 52};
    ASSERT_EQ(set(kDhcpScreeningPorts, {0}, octetValue(encodePortList(high, 52))), kNoError);
    EXPECT_EQ(decodePortList(octets(kDhcpScreeningPorts, {0})), high);
}

TEST_F(SwitchModels, EachModelServesItsPollingObjects)
{
    for (const auto& [model, ports, fan, poe] : std::initializer_list<std::tuple<const char*, std::uint32_t, bool, bool>>{
             {"QMX-7720-ZA", 28, true, false}, {"QMX-7740-ZP", 28, true, true}, {"QMX-7752-ZA", 52, true, false},
             {"QMX-7710-ZP", 10, false, true}}) {
        SCOPED_TRACE(model);
        use(model);
        EXPECT_EQ(device->get(joined(kFanStatus, {0})).has_value(), fan);
        EXPECT_EQ(device->get(joined(kPoeLedMode, {0})).has_value(), poe);
        EXPECT_EQ(device->get(joined(kPoeRemainingPower, {0})).has_value(), poe);
        // The link walk ends at the first interface index above the port count.
        const auto last = device->getNext(joined(kIfEntry, {3, ports}));
        ASSERT_TRUE(last);
        EXPECT_GT(last->oid.back(), ports);
        EXPECT_EQ(last->oid.size(), kIfEntry.size() + 2);
        EXPECT_TRUE(device->get(joined(kPortEntry, {7, ports})));
        if (fan) {
            device->setFanFault(true);
            EXPECT_EQ(integer(kFanStatus, {0}), 2);
            EXPECT_EQ(set(kFanStatus, {0}, integerValue(1)), kNoError);
            EXPECT_EQ(integer(kFanStatus, {0}), 1);
        }
    }
}

TEST_F(SwitchModels, ForwardingTableHasTheConfiguredEntryCount)
{
    use("QMX-7720-ZA", {.fdbEntries = 8000});
    const Oid column = joined(kDot1qTpFdbEntry, {3});
    int learnt = 0;
    for (auto next = device->getNext(column); next && startsWith(next->oid, column); next = device->getNext(next->oid))
        learnt += next->value.integer == 3;
    EXPECT_EQ(learnt, 8000);
}

} // namespace
