// Row-status lifecycle and the errors a set can get.
#include "switch_fixture.h"

#include "sim/port_list.h"

namespace {

using namespace sim;
using namespace sim::oids;

using SwitchRows = SwitchTest;

TEST_F(SwitchRows, VlanRowGoesFromCreateAndWaitToActiveAndAway)
{
    const Oid status = joined(kVlanEntry, {5, 100});
    EXPECT_FALSE(device->get(status));
    EXPECT_TRUE(device->creatable(status));

    ASSERT_EQ(device->set(status, integerValue(kCreateAndWait)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 5);
    EXPECT_FALSE(device->creatable(status));
    EXPECT_EQ(octets(kVlanEntry, {2, 100}), encodePortList({}, 28));
    // Every VLAN has its multicast filtering row, forwarding by default.
    EXPECT_EQ(integer(kMulticastFilterEntry, {1, 100}), 100);
    EXPECT_EQ(integer(kMulticastFilterEntry, {2, 100}), 0);

    EXPECT_EQ(set(kVlanEntry, {2, 100}, octetValue(encodePortList({1, 2, 3}, 28))), kNoError);
    EXPECT_EQ(set(kVlanEntry, {4, 100}, octetValue(encodePortList({3}, 28))), kNoError);
    EXPECT_EQ(set(kVlanEntry, {1, 100}, octetValue("lab")), kNoError);
    EXPECT_EQ(device->set(status, integerValue(kActive)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 1);
    EXPECT_EQ(device->set(status, integerValue(kNotInService)), kNoError);
    EXPECT_EQ(integerOf(*device, status), 2);
    EXPECT_EQ(device->set(status, integerValue(kCreateAndWait)), kInconsistentValue);
    EXPECT_EQ(device->set(status, integerValue(kNotReady)), kWrongValue);
    EXPECT_EQ(device->set(status, integerValue(kDestroy)), kNoError);
    for (const Oid& gone : {status, joined(kVlanEntry, {1, 100}), joined(kMulticastFilterEntry, {2, 100})})
        EXPECT_FALSE(device->get(gone)) << dottedOid(gone);
    EXPECT_EQ(set(kVlanEntry, {1, 100}, octetValue("gone")), kNoCreation);
}

TEST_F(SwitchRows, RefusedSetsOfRowsAndScalars)
{
    // A missing row activated or used, a VLAN id out of range, read-only and
    // unknown objects, wrong types and values.
    for (const auto& [oid, value, error] : std::initializer_list<std::tuple<Oid, snmp::Value, int>>{
             {joined(kVlanEntry, {5, 200}), integerValue(kActive), kInconsistentValue},
             {joined(kVlanEntry, {5, 4095}), integerValue(kCreateAndWait), kNoCreation},
             {joined(kVlanEntry, {5, 200}), octetValue("5"), kWrongType},
             {joined(kPvidEntry, {1, 3}), gaugeValue(200), kInconsistentValue},
             {joined(kVlanEntry, {5, 1}), integerValue(kDestroy), kInconsistentValue}, // the default VLAN
             {joined(kSysDescr, {0}), octetValue("x"), kNotWritable},
             {joined(kPrivateConfig, {99, 0}), integerValue(1), kNotWritable},
             {joined(kSysName, {0}), integerValue(1), kWrongType},
             {joined(kLldpSettings, {2, 0}), integerValue(11), kWrongValue},
             {joined(kLldpSettings, {5, 0}), integerValue(8), kInconsistentValue}, // over a quarter of TX interval 30
             {joined(kDot1dStp, {2, 0}), integerValue(4097), kWrongValue}})
        EXPECT_EQ(device->set(oid, value), error) << dottedOid(oid);
    // A scalar that takes the value shows it, in each MIB that holds it.
    EXPECT_EQ(set(kSysName, {0}, octetValue("edge-7")), kNoError);
    EXPECT_EQ(octets(kSysName, {0}), "edge-7");
    EXPECT_EQ(octets(kLldpLocal, {3, 0}), "edge-7");
}

TEST_F(SwitchRows, DefaultOuiStaysAndUserOuisComeAndGo)
{
    const Oid defaultOui = joined(kSurveillanceOuiEntry, {5, 0, 0, 94, 0, 0, 0});
    EXPECT_EQ(device->set(defaultOui, integerValue(kDestroy)), kInconsistentValue);
    EXPECT_EQ(integerOf(*device, defaultOui), 1);
    // A user OUI is created with createAndGo and may go again.
    const Oid userOui = joined(kSurveillanceOuiEntry, {5, 0, 17, 34, 170, 187, 204});
    ASSERT_EQ(device->set(userOui, integerValue(kCreateAndGo)), kNoError);
    EXPECT_EQ(integerOf(*device, userOui), 1);
    EXPECT_EQ(octets(kSurveillanceOuiEntry, {1, 0, 17, 34, 170, 187, 204}), std::string("\x00\x11\x22\xaa\xbb\xcc", 6));
    EXPECT_EQ(device->set(userOui, integerValue(kDestroy)), kNoError);
    EXPECT_FALSE(device->get(userOui));
}

TEST_F(SwitchRows, IndexColumnsComeFromTheIndexAndStayReadOnly)
{
    // User "ab", version 3.
    const auto column = [](std::uint32_t number) { return joined(kSnmpUserEntry, {number, 2, 97, 98, 3}); };
    ASSERT_EQ(device->set(column(8), integerValue(kCreateAndWait)), kNoError);
    EXPECT_EQ(octetsOf(*device, column(1)), "ab");
    EXPECT_EQ(integerOf(*device, column(2)), 3);
    EXPECT_EQ(device->set(column(1), octetValue("cd")), kNotWritable);
    EXPECT_EQ(device->set(column(3), octetValue("initial")), kNoError);
    EXPECT_EQ(device->set(column(4), integerValue(4)), kWrongValue);
    // A name index whose length does not match its characters names no row.
    EXPECT_EQ(set(kSnmpUserEntry, {8, 3, 97, 98, 3}, integerValue(kCreateAndWait)), kNoCreation);
}

TEST_F(SwitchRows, FullTableRefusesAnotherRow)
{
    // Two communities exist; the table holds ten.
    for (std::uint32_t i = 0; i < 8; ++i)
        ASSERT_EQ(set(kSnmpCommunityEntry, {3, 1, 97 + i}, integerValue(kCreateAndGo)), kNoError);
    EXPECT_EQ(set(kSnmpCommunityEntry, {3, 1, 120}, integerValue(kCreateAndGo)), kResourceUnavailable);
}

} // namespace
