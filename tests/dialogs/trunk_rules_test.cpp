#include "dialogs/switching/trunk_rules.h"
#include "dialogs/switching/trunk_validator.h"

#include <gtest/gtest.h>

#include <functional>

using namespace dialogs::switching;

namespace {

constexpr int kPorts = 28;

// Every rule holds for ports 1 and 2, and every conditional rule is armed:
// 802.1X, spanning tree, surveillance and mirroring on, port 27 a mirror
// source and in an ARP entry, port 28 the mirror target and an FDB destination.
TrunkSnapshot passing()
{
    TrunkSnapshot s(kPorts);
    for (int i = 0; i < kPorts; ++i) {
        const auto p = static_cast<std::size_t>(i);
        s.speed[p] = 6, s.medium[p] = 2, s.defaultPriority[p] = 1, s.pvid[p] = 1, s.portSecurity[p] = 2, s.loopDetect[p] = 2;
        s.spanningTree[p] = {1, 128, 0, 2, 2, 1, 2};
        s.dot1xControl[p] = 3, s.voiceMode[p] = 2, s.surveillanceState[p] = 2, s.surveillanceMode[p] = 1, s.learning[p] = true;
    }
    s.dot1xEnabled = s.stpEnabled = s.surveillanceEnabled = 1;
    s.mirrorState = 1;
    s.mirrorTarget = 28;
    s.mirrorSourceA[26] = true;
    s.arpSpoofing[26] = true;
    s.fdbDestination[27] = true;
    s.vlans.push_back({PortFlags(kPorts, true), PortFlags(kPorts, true)});
    s.aclPorts.push_back(PortFlags(kPorts, true));
    return s;
}

struct Case {
    const char* name;
    std::function<void(TrunkSnapshot&)> change;
    std::string expected;
    std::vector<int> candidates = {1, 2};
    std::vector<int> own = {};
};

const char* const kOtherLink = "Cannot add the port as it is a member of another aggregated link !";
const char* const kHalfDuplex = "Cannot add a port in half-duplex mode to an aggregated link.";
const char* const kPriorities = "Cannot add ports with different 802.1p default priorities to an aggregated link.";
const char* const kAcl = "Cannot add an ACL enabled port to an aggregated link.";
const char* const kRstp = "Cannot add a port with different RSTP port setting to an aggregated link. ";
const char* const kDot1xAuto = "Cannot add the 802.1X-enabled port to an aggregated link.";
const char* const kDot1xUnauthorized = "Setting the Channel Mode Fail.";
const char* const kSurveillanceState = "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link";

} // namespace

TEST(TrunkAdmission, EachRuleFailsOnItsSmallestChangeAndTheEarlierRuleWins)
{
    const std::vector<Case> cases = {
        {"all hold", [](TrunkSnapshot&) {}, ""}, {"1 other link", [](TrunkSnapshot& s) { s.linkId[1] = 3; }, kOtherLink},
        {"1 own members pass", [](TrunkSnapshot& s) { s.linkId[0] = s.linkId[1] = 3; }, "", {1, 2}, {1, 2}},
        {"2 medium", [](TrunkSnapshot& s) { s.medium[1] = 4; }, "Cannot add ports of different types to an aggregated link !"},
        {"2 unread medium", [](TrunkSnapshot& s) { s.medium[0] = 0, s.medium[1] = 4; }, ""},
        {"3 half duplex first", [](TrunkSnapshot& s) { s.speed[0] = 5; }, kHalfDuplex},
        {"3 first read port decides", [](TrunkSnapshot& s) { s.speed[0] = 0, s.speed[1] = 3; }, kHalfDuplex},
        {"3 speed", [](TrunkSnapshot& s) { s.speed[1] = 1; }, "Cannot add ports of different speed to an aggregated link."},
        {"4 DHCP screening", [](TrunkSnapshot& s) { s.dhcpScreening[0] = true; },
         "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."},
        {"5 auto", [](TrunkSnapshot& s) { s.dot1xControl[1] = 2; }, kDot1xAuto},
        {"5 force unauthorized", [](TrunkSnapshot& s) { s.dot1xControl[1] = 1; }, kDot1xUnauthorized},
        {"5 first port decides", [](TrunkSnapshot& s) { s.dot1xControl[0] = 1, s.dot1xControl[1] = 2; }, kDot1xUnauthorized},
        {"5 off globally", [](TrunkSnapshot& s) { s.dot1xControl[1] = 2, s.dot1xEnabled = 2; }, ""},
        {"6 untagged", [](TrunkSnapshot& s) { s.vlans[0].untagged[1] = false; },
         "Cannot add ports with different VLAN configurations to an aggregated link !"},
        {"6 egress", [](TrunkSnapshot& s) { s.vlans.push_back({PortFlags(kPorts), PortFlags(kPorts)}), s.vlans[1].egress[0] = true; },
         "Cannot add ports with different VLAN configurations to an aggregated link !"},
        {"7 learning", [](TrunkSnapshot& s) { s.learning[1] = false; }, "Cannot add a Auto-learn disabled port to an aggregated link."},
        {"7 empty list", [](TrunkSnapshot& s) { s.learning.assign(kPorts, false); },
         "Cannot add a Auto-learn disabled port to an aggregated link.", {5, 6}},
        {"8a priority", [](TrunkSnapshot& s) { s.defaultPriority[1] = 3; }, kPriorities},
        {"8b PVID", [](TrunkSnapshot& s) { s.pvid[1] = 10; }, "Cannot add ports with different PVIDs to an aggregated link."},
        {"8c port security", [](TrunkSnapshot& s) { s.portSecurity[0] = 1; },
         "Cannot add a port-security anabled port to an aggregated link."},
        {"8d LBD", [](TrunkSnapshot& s) { s.loopDetect[1] = 1; }, "Cannot add a LBD-enabled port to an aggregated link."},
        {"9 mirror source", [](TrunkSnapshot& s) { s.mirrorSourceB[0] = true; },
         "Cannot add ports of Port Mirror enable ports to an aggregated link."},
        {"10 mirror target", [](TrunkSnapshot& s) { s.mirrorTarget = 2; }, "Cannot add a mirror port to an aggregated link."},
        {"10 mirroring off", [](TrunkSnapshot& s) { s.mirrorTarget = 2, s.mirrorState = 2; }, ""},
        {"11 ARP", [](TrunkSnapshot& s) { s.arpSpoofing[0] = true; },
         "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."},
        {"12 rate control", [](TrunkSnapshot& s) { s.rateControl[1][1] = 100; },
         "Cannot add ports with different rate control configurations to an aggregated link."},
        {"13 other branch", [](TrunkSnapshot& s) { s.spanningTree[1][0] = 2; }, kRstp},
        {"13 last value", [](TrunkSnapshot& s) { s.spanningTree[0][6] = 1; }, kRstp},
        {"13 off globally", [](TrunkSnapshot& s) { s.spanningTree[1][0] = 2, s.stpEnabled = 2; }, ""},
        {"14 voice", [](TrunkSnapshot& s) { s.voiceMode[0] = 1; }, "Cannot add a port in Voice Vlan Auto mode to an aggregated link."},
        {"15 FDB", [](TrunkSnapshot& s) { s.fdbDestination[1] = true; },
         "Cannot add ports with different FDB-destination-hit configurations to an aggregated link."},
        {"16 ACL", [](TrunkSnapshot& s) { s.aclPorts[0][1] = false; }, kAcl},
        {"17 state", [](TrunkSnapshot& s) { s.surveillanceState[1] = 1; }, kSurveillanceState},
        {"17 mode", [](TrunkSnapshot& s) { s.surveillanceMode[0] = 2; },
         "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"},
        {"17 port by port", [](TrunkSnapshot& s) { s.surveillanceMode[0] = 2, s.surveillanceState[1] = 1; },
         "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"},
        {"17 off globally", [](TrunkSnapshot& s) { s.surveillanceState[1] = 1, s.surveillanceEnabled = 2; }, ""},
        {"order 1 before 16", [](TrunkSnapshot& s) { s.linkId[1] = 3, s.aclPorts[0][1] = false; }, kOtherLink},
        {"order 3 before 8a", [](TrunkSnapshot& s) { s.speed[0] = 3, s.defaultPriority[1] = 2; }, kHalfDuplex},
        {"order 8a before 8b", [](TrunkSnapshot& s) { s.defaultPriority[1] = 2, s.pvid[1] = 2; }, kPriorities},
        {"order equal PVIDs reach 16", [](TrunkSnapshot& s) { s.aclPorts[0][1] = false, s.surveillanceMode[0] = 2; }, kAcl},
        {"order 13 before 17", [](TrunkSnapshot& s) { s.spanningTree[1][3] = 1, s.surveillanceState[0] = 1; }, kRstp},
    };
    for (const Case& c : cases) {
        TrunkSnapshot snapshot = passing();
        c.change(snapshot);
        EXPECT_EQ(checkTrunkAdmission(snapshot, c.candidates, c.own), c.expected) << c.name;
    }
}

TEST(TrunkMember, CountLimitsAndAnEmptyList)
{
    const std::pair<std::size_t, std::string> counts[] = {
        {1, "The mininum port members for an aggregated link is 2 !"}, {2, ""}, {8, ""},
        {9, "The maxinum port member for an aggregated link is exceeded !"}};
    for (const auto& [ticked, message] : counts)
        EXPECT_EQ(checkMemberCount(ticked), message) << ticked;

    EXPECT_EQ(trunkMemberSet("1", "LACP", {}, 0), std::nullopt);
}

TEST(TrunkConfiguration, TrunkIdsAndMemberLists)
{
    const std::pair<std::string, std::string> ids[] = {
        {"", ""}, {"1", ""}, {"8", ""}, {"0", "Invliad VLAN ID, VLAN ID should be (1-8) !"},
        {"9", "Invliad VLAN ID, VLAN ID should be (1-8) !"}};
    for (const auto& [id, message] : ids)
        EXPECT_EQ(checkTrunkId(id), message) << id;
    EXPECT_EQ(memberPorts("1,2,29,28", 28), (std::vector<int>{1, 2, 28}));
}
