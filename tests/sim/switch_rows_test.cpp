// Row-status lifecycle and the errors a set can get.
#include "switch_fixture.h"

#include "sim/mib_store.h"
#include "sim/port_list.h"

namespace {

using namespace sim;
using namespace sim::oids;

class SwitchRows : public ::testing::Test {
protected:
    ManualClock clock;
    std::unique_ptr<SimulatedSwitch> device = makeSwitch("QMX-7720-ZA", clock);
    std::string noPorts = encodePortList({}, 28);
};

TEST_F(SwitchRows, VlanRowGoesFromCreateAndWaitToActiveAndAway)
{
    const snmp::Oid status = joined(kVlanEntry, {5, 100});
    EXPECT_FALSE(device->get(status));
    EXPECT_TRUE(device->creatable(status));

    ASSERT_EQ(device->set(status, integerValue(kCreateAndWait)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 5);
    EXPECT_FALSE(device->creatable(status));
    EXPECT_EQ(octetsOf(*device, joined(kVlanEntry, {2, 100})), noPorts);
    // Every VLAN has its multicast filtering row, forwarding by default.
    EXPECT_EQ(integerOf(*device, joined(kMulticastFilterEntry, {1, 100})), 100);
    EXPECT_EQ(integerOf(*device, joined(kMulticastFilterEntry, {2, 100})), 0);

    EXPECT_EQ(device->set(joined(kVlanEntry, {2, 100}), octetValue(encodePortList({1, 2, 3}, 28))), kNoError);
    EXPECT_EQ(device->set(joined(kVlanEntry, {4, 100}), octetValue(encodePortList({3}, 28))), kNoError);
    EXPECT_EQ(device->set(joined(kVlanEntry, {1, 100}), octetValue("lab")), kNoError);
    EXPECT_EQ(device->set(status, integerValue(kActive)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 1);
    EXPECT_EQ(device->set(status, integerValue(kNotInService)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 2);
    EXPECT_EQ(device->set(status, integerValue(kCreateAndWait)), kInconsistentValue);
    EXPECT_EQ(device->set(status, integerValue(kNotReady)), kWrongValue);

    EXPECT_EQ(device->set(status, integerValue(kDestroy)), kNoError);
    EXPECT_FALSE(device->get(status));
    EXPECT_FALSE(device->get(joined(kVlanEntry, {1, 100})));
    EXPECT_FALSE(device->get(joined(kMulticastFilterEntry, {2, 100})));
    EXPECT_EQ(device->set(joined(kVlanEntry, {1, 100}), octetValue("gone")), kNoCreation);
}

TEST_F(SwitchRows, ActivatingOrUsingAMissingRowFails)
{
    EXPECT_EQ(device->set(joined(kVlanEntry, {5, 200}), integerValue(kActive)), kInconsistentValue);
    EXPECT_EQ(device->set(joined(kVlanEntry, {5, 4095}), integerValue(kCreateAndWait)), kNoCreation);
    EXPECT_EQ(device->set(joined(kVlanEntry, {5, 200}), octetValue("5")), kWrongType);
    EXPECT_EQ(device->set(joined(kPvidEntry, {1, 3}), gaugeValue(200)), kInconsistentValue);
}

TEST_F(SwitchRows, DefaultVlanAndDefaultOuiCannotBeDestroyed)
{
    EXPECT_EQ(device->set(joined(kVlanEntry, {5, 1}), integerValue(kDestroy)), kInconsistentValue);
    const snmp::Oid defaultOui = joined(kSurveillanceOuiEntry, {5, 0, 0, 94, 0, 0, 0});
    EXPECT_EQ(device->set(defaultOui, integerValue(kDestroy)), kInconsistentValue);
    EXPECT_EQ(integerOf(*device, defaultOui), 1);

    // A user OUI is created with createAndGo and may go again.
    const snmp::Oid userOui = joined(kSurveillanceOuiEntry, {5, 0, 17, 34, 170, 187, 204});
    ASSERT_EQ(device->set(userOui, integerValue(kCreateAndGo)), kNoError);
    EXPECT_EQ(integerOf(*device, userOui), 1);
    EXPECT_EQ(octetsOf(*device, joined(kSurveillanceOuiEntry, {1, 0, 17, 34, 170, 187, 204})),
              std::string("\x00\x11\x22\xaa\xbb\xcc", 6));
    EXPECT_EQ(device->set(userOui, integerValue(kDestroy)), kNoError);
    EXPECT_FALSE(device->get(userOui));
}

TEST_F(SwitchRows, IndexColumnsComeFromTheIndexAndStayReadOnly)
{
    // User "ab", version 3.
    const snmp::Oid index = {2, 97, 98, 3};
    ASSERT_EQ(device->set(joined(joined(kSnmpUserEntry, {8}), index), integerValue(kCreateAndWait)), kNoError);
    EXPECT_EQ(octetsOf(*device, joined(joined(kSnmpUserEntry, {1}), index)), "ab");
    EXPECT_EQ(integerOf(*device, joined(joined(kSnmpUserEntry, {2}), index)), 3);
    EXPECT_EQ(device->set(joined(joined(kSnmpUserEntry, {1}), index), octetValue("cd")), kNotWritable);
    EXPECT_EQ(device->set(joined(joined(kSnmpUserEntry, {3}), index), octetValue("initial")), kNoError);
    EXPECT_EQ(device->set(joined(joined(kSnmpUserEntry, {4}), index), integerValue(4)), kWrongValue);
    // A name index whose length does not match its characters names no row.
    EXPECT_EQ(device->set(joined(kSnmpUserEntry, {8, 3, 97, 98, 3}), integerValue(kCreateAndWait)), kNoCreation);
}

TEST_F(SwitchRows, FullTableRefusesAnotherRow)
{
    // Two communities exist; the table holds ten.
    for (std::uint32_t i = 0; i < 8; ++i)
        ASSERT_EQ(device->set(joined(kSnmpCommunityEntry, {3, 1, 97 + i}), integerValue(kCreateAndGo)), kNoError);
    EXPECT_EQ(device->set(joined(kSnmpCommunityEntry, {3, 1, 120}), integerValue(kCreateAndGo)), kResourceUnavailable);
}

TEST_F(SwitchRows, ScalarsRefuseWhatTheyCannotHold)
{
    EXPECT_EQ(device->set(joined(kSysDescr, {0}), octetValue("x")), kNotWritable);
    EXPECT_EQ(device->set(joined(kPrivateConfig, {99, 0}), integerValue(1)), kNotWritable);
    EXPECT_EQ(device->set(joined(kSysName, {0}), integerValue(1)), kWrongType);
    EXPECT_EQ(device->set(joined(kLldpSettings, {2, 0}), integerValue(11)), kWrongValue);
    EXPECT_EQ(device->set(joined(kDot1dStp, {2, 0}), integerValue(4097)), kWrongValue);
    EXPECT_EQ(device->set(joined(kSysName, {0}), octetValue("edge-7")), kNoError);
    EXPECT_EQ(octetsOf(*device, joined(kSysName, {0})), "edge-7");
    EXPECT_EQ(octetsOf(*device, joined(kLldpLocal, {3, 0})), "edge-7");
}

} // namespace
