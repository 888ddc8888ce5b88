// The behaviours the module relies on, on a clock the test moves.
#include "switch_fixture.h"

#include "sim/mib_store.h"
#include "sim/port_list.h"

namespace {

using namespace sim;
using namespace sim::oids;
using namespace std::chrono_literals;

TEST(SwitchConsistency, StartsWithDefaultVlanUntaggedEverywhereAndPvidOne)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    EXPECT_EQ(octetsOf(*device, joined(kVlanEntry, {2, 1})), encodePortList(allPorts(28), 28));
    EXPECT_EQ(octetsOf(*device, joined(kVlanEntry, {4, 1})), encodePortList(allPorts(28), 28));
    for (std::uint32_t p = 1; p <= 28; ++p)
        EXPECT_EQ(integerOf(*device, joined(kPvidEntry, {1, p})), 1);
    for (std::uint32_t vid : {1u, 10u, 20u, 30u})
        EXPECT_EQ(integerOf(*device, joined(kMulticastFilterEntry, {1, vid})), vid);
    EXPECT_EQ(decodePortList(octetsOf(*device, joined(kTrunkEntry, {2, 1}))), (PortSet{21, 22}));
}

TEST(SwitchConsistency, DisabledPortReadsAdministrativelyDown)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock, {.scenario = false});
    const std::uint32_t port = 1; // link up at gigabit in the model file
    EXPECT_EQ(integerOf(*device, joined(kIfEntry, {8, port})), 1);
    EXPECT_EQ(integerOf(*device, joined(kPortEntry, {3, port})), 2);

    ASSERT_EQ(device->set(joined(kPortEntry, {2, port}), integerValue(7)), kNoError);
    EXPECT_EQ(integerOf(*device, joined(kIfEntry, {7, port})), 2);
    EXPECT_EQ(integerOf(*device, joined(kIfEntry, {8, port})), 2);
    EXPECT_EQ(integerOf(*device, joined(kPortEntry, {3, port})), 1);

    ASSERT_EQ(device->set(joined(kPortEntry, {2, port}), integerValue(3)), kNoError); // 100M half
    EXPECT_EQ(integerOf(*device, joined(kIfEntry, {7, port})), 1);
    EXPECT_EQ(integerOf(*device, joined(kIfEntry, {5, port})), 100000000);
    EXPECT_EQ(integerOf(*device, joined(kPortEntry, {3, port})), 4);
}

TEST(SwitchConsistency, PortSpeedFollowsTheMediumAndOnePortStaysEnabled)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    // Port 26 holds a 1000Base-x module, port 28 a 100Base-x module.
    EXPECT_EQ(device->set(joined(kPortEntry, {2, 26}), integerValue(2)), kInconsistentValue);
    EXPECT_EQ(device->set(joined(kPortEntry, {2, 26}), integerValue(6)), kNoError);
    EXPECT_EQ(device->set(joined(kPortEntry, {2, 28}), integerValue(6)), kInconsistentValue);
    EXPECT_EQ(device->set(joined(kPortEntry, {2, 28}), integerValue(3)), kNoError);
    EXPECT_EQ(device->set(joined(kPortEntry, {2, 1}), integerValue(8)), kWrongValue);

    for (std::uint32_t p = 1; p < 28; ++p)
        ASSERT_EQ(device->set(joined(kPortEntry, {2, p}), integerValue(7)), kNoError) << p;
    EXPECT_EQ(device->set(joined(kPortEntry, {2, 28}), integerValue(7)), kInconsistentValue);
}

TEST(SwitchConsistency, UntaggedPortsStayEgressAndTrunksDoNotOverlap)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    EXPECT_EQ(device->set(joined(kVlanEntry, {4, 10}), octetValue(encodePortList({1, 9}, 28))), kInconsistentValue);
    EXPECT_EQ(device->set(joined(kVlanEntry, {4, 10}), octetValue(encodePortList({1, 2}, 28))), kNoError);
    EXPECT_EQ(device->set(joined(kVlanEntry, {2, 10}), octetValue(encodePortList({2, 3}, 28))), kInconsistentValue);

    EXPECT_EQ(device->set(joined(kTrunkEntry, {2, 2}), octetValue(encodePortList({22, 23}, 28))), kInconsistentValue);
    EXPECT_EQ(device->set(joined(kTrunkEntry, {2, 2}), octetValue(encodePortList({23}, 28))), kInconsistentValue);
    ASSERT_EQ(device->set(joined(kTrunkEntry, {2, 2}), octetValue(encodePortList({23, 24}, 28))), kNoError);
    EXPECT_EQ(integerOf(*device, joined(kTrunkEntry, {3, 2})), 2); // a link with members is not disabled
    ASSERT_EQ(device->set(joined(kTrunkEntry, {3, 2}), integerValue(3)), kNoError);
    EXPECT_TRUE(decodePortList(octetsOf(*device, joined(kTrunkEntry, {2, 2}))).empty());
}

TEST(SwitchConsistency, DestroyedVlanReleasesItsPvids)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    ASSERT_EQ(device->set(joined(kPvidEntry, {1, 5}), gaugeValue(10)), kNoError);
    ASSERT_EQ(device->set(joined(kVlanEntry, {5, 10}), integerValue(kDestroy)), kNoError);
    EXPECT_EQ(integerOf(*device, joined(kPvidEntry, {1, 5})), 1);
}

TEST(SwitchConsistency, NeighboursShowOnlyWhileLldpIsEnabled)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    const snmp::Oid remoteNames = joined(kLldpRemEntry, {9});
    const auto neighbours = [&] {
        int count = 0;
        for (auto at = device->getNext(remoteNames); at && startsWith(at->oid, remoteNames); at = device->getNext(at->oid))
            ++count;
        return count;
    };
    EXPECT_EQ(neighbours(), 3);
    ASSERT_EQ(device->set(joined(kLldpSettings, {1, 0}), integerValue(2)), kNoError);
    EXPECT_EQ(neighbours(), 0);
    ASSERT_EQ(device->set(joined(kLldpSettings, {1, 0}), integerValue(1)), kNoError);
    EXPECT_EQ(neighbours(), 3);
    EXPECT_EQ(octetsOf(*device, joined(kLldpRemEntry, {9, 0, 26, 2})), "dist-3");
}

TEST(SwitchTransfer, StatusGoesQueuedRunningThenDoneOrFailed)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    const snmp::Oid status = joined(kTransfer, {8, 0});
    const std::string server{'\x0a', '\x00', '\x00', '\x05'};
    EXPECT_EQ(integerOf(*device, status), 0);
    ASSERT_EQ(device->set(joined(kTransfer, {5, 0}), ipValue(server)), kNoError);
    ASSERT_EQ(device->set(joined(kTransfer, {6, 0}), octetValue("switch.cfg")), kNoError);
    ASSERT_EQ(device->set(joined(kTransfer, {7, 0}), integerValue(2)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 4);
    clock.advance(1500ms);
    EXPECT_EQ(integerOf(*device, status), 3);
    clock.advance(3000ms);
    EXPECT_EQ(integerOf(*device, status), 3);
    clock.advance(1000ms);
    EXPECT_EQ(integerOf(*device, status), 0);

    ASSERT_EQ(device->set(joined(kTransfer, {6, 0}), octetValue("fail-me.cfg")), kNoError);
    ASSERT_EQ(device->set(joined(kTransfer, {7, 0}), integerValue(1)), kNoError);
    clock.advance(10s);
    EXPECT_EQ(integerOf(*device, status), 2);
    // The firmware machine is a separate one and never ran.
    EXPECT_EQ(integerOf(*device, joined(kTransfer, {4, 0})), 0);
}

TEST(SwitchTransfer, UnreachableServerNeverStarts)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    ASSERT_EQ(device->set(joined(kTransfer, {1, 0}), ipValue(std::string{'\xc0', '\x00', '\x02', '\x63'})), kNoError);
    ASSERT_EQ(device->set(joined(kTransfer, {2, 0}), octetValue("image.bin")), kNoError);
    ASSERT_EQ(device->set(joined(kTransfer, {3, 0}), integerValue(1)), kNoError);
    clock.advance(300s);
    EXPECT_EQ(integerOf(*device, joined(kTransfer, {4, 0})), 4);
}

TEST(SwitchReboot, SilentForTheRebootTimeThenBackWithTheSavedConfiguration)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock, {.rebootTime = 10s});
    ASSERT_EQ(device->set(joined(kSysName, {0}), octetValue("saved-name")), kNoError);
    ASSERT_EQ(device->set(joined(kSaveConfig, {0}), integerValue(1)), kNoError);
    ASSERT_EQ(device->set(joined(kSysLocation, {0}), octetValue("unsaved")), kNoError);
    clock.advance(60s);
    EXPECT_GE(integerOf(*device, joined(kSysUpTime, {0})), 6000);

    ASSERT_EQ(device->set(joined(kReboot, {0}), integerValue(1)), kNoError);
    EXPECT_TRUE(device->rebooting());
    clock.advance(9s);
    EXPECT_TRUE(device->rebooting());
    EXPECT_EQ(device->set(joined(kSysName, {0}), octetValue("too early")), kGenErr);
    clock.advance(1s);
    EXPECT_FALSE(device->rebooting());
    EXPECT_EQ(octetsOf(*device, joined(kSysName, {0})), "saved-name");
    EXPECT_EQ(octetsOf(*device, joined(kSysLocation, {0})), "");
    EXPECT_LT(integerOf(*device, joined(kSysUpTime, {0})), 100);
}

TEST(SwitchScenario, ClockBringsScenarioPortsDownAndUp)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock);
    // The model's first scenario port is 3, up at the start.
    const snmp::Oid operStatus = joined(kIfEntry, {8, 3});
    EXPECT_EQ(integerOf(*device, operStatus), 1);
    const auto changesBefore = integerOf(*device, joined(kDot1dStp, {4, 0}));
    clock.advance(4s);
    EXPECT_EQ(integerOf(*device, operStatus), 2);
    EXPECT_GT(integerOf(*device, joined(kDot1dStp, {4, 0})), changesBefore);
    clock.advance(16s);
    EXPECT_EQ(integerOf(*device, operStatus), 1);

    auto quiet = makeSwitch("QMX-7720-ZA", clock, {.scenario = false});
    clock.advance(4s);
    EXPECT_EQ(integerOf(*quiet, operStatus), 1);
}

TEST(SwitchPoe, StatusTextsFollowThePortState)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7740-ZP", clock, {.scenario = false});
    const auto status = [&](std::uint32_t port) { return octetsOf(*device, joined(kPoePortEntry, {13, 1, port})); };
    EXPECT_EQ(status(1), "POWER ON");
    EXPECT_EQ(status(7), "POWER OFF"); // nothing attached
    EXPECT_FALSE(device->get(joined(kPoePortEntry, {13, 1, 25})));
    const std::string before = octetsOf(*device, joined(kPoeRemainingPower, {0}));

    ASSERT_EQ(device->set(joined(kPoePortEntry, {3, 1, 1}), integerValue(2)), kNoError);
    EXPECT_EQ(status(1), "POWER OFF");
    EXPECT_GT(std::stod(octetsOf(*device, joined(kPoeRemainingPower, {0}))), std::stod(before));

    // Port 2's device draws 21.2 W: a 10 W limit overloads it.
    ASSERT_EQ(device->set(joined(kPoePortEntry, {7, 1, 2}), integerValue(1)), kNoError);
    ASSERT_EQ(device->set(joined(kPoePortEntry, {8, 1, 2}), octetValue("10.0")), kNoError);
    EXPECT_EQ(status(2), "OVER LOAD");
    EXPECT_EQ(device->set(joined(kPoePortEntry, {8, 1, 5}), octetValue("20.0")), kInconsistentValue); // 15.4 W port

    // A time range on no day keeps its ports off.
    const snmp::Oid range = joined(kPoeTimeRangeEntry, {21, 2});
    ASSERT_EQ(device->set(range, integerValue(kCreateAndGo)), kNoError);
    ASSERT_EQ(device->set(joined(kPoePortEntry, {4, 1, 3}), integerValue(2)), kNoError);
    EXPECT_EQ(status(3), "Time-based OFF");
    ASSERT_EQ(device->set(range, integerValue(kDestroy)), kNoError);
    EXPECT_EQ(integerOf(*device, joined(kPoePortEntry, {4, 1, 3})), 0);
    EXPECT_EQ(status(3), "POWER ON");
}

TEST(SwitchModels, FiftyTwoPortListsAreEightOctets)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7752-ZA", clock);
    const std::string all = octetsOf(*device, joined(kVlanEntry, {2, 1}));
    ASSERT_EQ(all.size(), 8u);
    EXPECT_EQ(all, std::string("\xff\xff\xff\xff\xff\xff\xf0\x00", 8));
    EXPECT_EQ(decodePortList(octetsOf(*device, joined(kTrunkEntry, {2, 1}))), (PortSet{45, 46}));

    EXPECT_EQ(device->set(joined(kVlanEntry, {2, 20}), octetValue(std::string(4, '\xff'))), kWrongLength);
    EXPECT_EQ(device->set(joined(kVlanEntry, {2, 20}), octetValue(std::string("\0\0\0\0\0\0\x08\0", 8))), kWrongValue);
    const PortSet high = {49, 50, 51, 52};
    ASSERT_EQ(device->set(joined(kDhcpScreeningPorts, {0}), octetValue(encodePortList(high, 52))), kNoError);
    EXPECT_EQ(decodePortList(octetsOf(*device, joined(kDhcpScreeningPorts, {0}))), high);
}

TEST(SwitchModels, EachModelServesItsPollingObjects)
{
    struct Expect {
        const char* model;
        int ports;
        bool fan;
        bool poe;
    };
    for (const Expect& e : {Expect{"QMX-7720-ZA", 28, true, false}, Expect{"QMX-7740-ZP", 28, true, true},
                            Expect{"QMX-7752-ZA", 52, true, false}, Expect{"QMX-7710-ZP", 10, false, true}}) {
        SCOPED_TRACE(e.model);
        ManualClock clock;
        auto device = makeSwitch(e.model, clock);
        EXPECT_EQ(device->get(joined(kFanStatus, {0})).has_value(), e.fan);
        EXPECT_EQ(device->get(joined(kPoeLedMode, {0})).has_value(), e.poe);
        EXPECT_EQ(device->get(joined(kPoeRemainingPower, {0})).has_value(), e.poe);
        // The link walk ends at the first interface index above the port count.
        const auto last = device->getNext(joined(kIfEntry, {3, static_cast<std::uint32_t>(e.ports)}));
        ASSERT_TRUE(last);
        EXPECT_GT(last->oid.back(), static_cast<std::uint32_t>(e.ports));
        EXPECT_EQ(last->oid.size(), kIfEntry.size() + 2);
        EXPECT_TRUE(device->get(joined(kPortEntry, {7, static_cast<std::uint32_t>(e.ports)})));
        if (e.fan) {
            device->setFanFault(true);
            EXPECT_EQ(integerOf(*device, joined(kFanStatus, {0})), 2);
            EXPECT_EQ(device->set(joined(kFanStatus, {0}), integerValue(1)), kNoError);
            EXPECT_EQ(integerOf(*device, joined(kFanStatus, {0})), 1);
        }
    }
}

TEST(SwitchModels, ForwardingTableHasTheConfiguredEntryCount)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock, {.fdbEntries = 8000});
    const snmp::Oid column = joined(kDot1qTpFdbEntry, {3});
    int learnt = 0;
    snmp::Oid at = column;
    while (auto next = device->getNext(at)) {
        if (!startsWith(next->oid, column))
            break;
        learnt += next->value.integer == 3;
        at = next->oid;
    }
    EXPECT_EQ(learnt, 8000);
}

} // namespace
