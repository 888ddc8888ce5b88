#include "dialogs/switching/dhcp_screening_rules.h"
#include "dialogs/switching/trunk_rules.h"
#include "dialogs/switching/vlan_entry_rules.h"
#include "dialogs/switching/vlan_rules.h"

#include "rules_ports.h"
#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

#include <tuple>

using namespace dialogs;
using namespace dialogs::switching;
using rules_test::linkOf;

namespace {

const std::string kVlanColumn = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";

// VLAN 1 holds every port of a 28-port switch; 10 is tagged on 1-8; 30 is empty.
std::vector<VlanEntry> listed()
{
    std::string all = "1";
    for (int port = 2; port <= 28; ++port)
        all += "," + std::to_string(port);
    return {{1, "default", all, all, 28, 28}, {10, "office", "1,2,3,4,5,6,7,8", "", 8, 0}, {30, "cameras", "", "", 0, 0}};
}

std::vector<std::int64_t> pvidsWith(std::vector<std::pair<int, std::int64_t>> changes)
{
    std::vector<std::int64_t> pvids(28, 1);
    for (const auto& [port, pvid] : changes)
        pvids[static_cast<std::size_t>(port - 1)] = pvid;
    return pvids;
}

} // namespace

TEST(VlanRules, EditAndDeleteChecksInOrder)
{
    const std::string pick = "Please select the VLAN !", pickDeleted = "Please select the VLAN want to be deleted!";
    const VoiceSurveillance off, voice10{true, 10, false, 10}, surveillance10{false, 10, true, 10};
    // Delete or edit, rows, selected, VID, asymmetric, voice and surveillance, the choice.
    const std::tuple<bool, int, int, std::string, bool, VoiceSurveillance, VlanChoice> cases[] = {
        {false, 3, -1, "", false, off, {0, pick, true}}, {false, 3, 0, "0", false, off, {0, "Invalid VLAN ID!", false}},
        {false, 3, 1, "10", false, off, {10, "", false}}, {true, 3, -1, "", false, off, {0, pickDeleted, true}},
        {true, 3, 0, "1", true, off, {0, "Can't delete the default VLAN!", false}}, {true, 3, 0, "0", false, off, {0, "", false}},
        // Port 5's PVID is 10: only asymmetric mode keeps it.
        {true, 3, 1, "10", true, off, {0, "The VID is one of The PVID, so it cannot be deleted.", false}},
        {true, 3, 1, "10", false, off, {10, "", false}}, {true, 3, 1, "10", false, voice10, {0, "The Vlan ID is Voice vlan ID.", false}},
        {true, 3, 1, "10", false, surveillance10, {0, "The Vlan ID is Surveillance VLAN  ID.", false}},
    };
    for (const auto& [remove, rows, selected, vid, asymmetric, state, expected] : cases) {
        const VlanChoice got = remove ? checkDelete(rows, selected, vid, asymmetric, pvidsWith({{5, 10}}), state)
                                      : checkEdit(rows, selected, vid);
        EXPECT_EQ(std::tie(got.vid, got.message, got.inform), std::tie(expected.vid, expected.message, expected.inform)) << vid;
    }
    EXPECT_EQ(checkAdd(255) + "|" + checkAdd(256), "| Number of VLAN group is over limit");
    EXPECT_EQ(checkAsymmetric(voice10), "Voice Vlan is enable,the vlan mode can't change to Asymmetric mode!\n"
                                        "If you could disable it, please set it through the web!");
}

TEST(VlanRules, PvidChecks)
{
    const std::string trunkSame = "You should let all Trunk member in the same PVID !";
    const std::string trunk = "Setting PVID on a Trunk is not supported. Please use Web interface for the settings.";
    const std::pair<std::vector<std::pair<int, std::int64_t>>, std::string> cases[] = {
        {{{3, 10}}, ""}, {{{21, 10}}, trunkSame}, {{{21, 10}, {22, 10}}, trunk},
        {{{2, 99}, {21, 10}, {22, 10}}, trunk}, // the link rule first, whatever the other ports say
        {{{3, 99}}, "Invalid PVID"}, {{{3, 0}}, "Invalid PVID"}, {{{3, 30}}, "Invalid PVID,VlAN is empty"},
    };
    for (const auto& [changes, message] : cases)
        EXPECT_EQ(checkPvids(pvidsWith(changes), linkOf({21, 22}), listed()), message) << changes.front().first;
    // 40 ports and more: a pause after the 40th set only.
    EXPECT_EQ((std::vector<bool>{pauseAfterPvid(28, 28), pauseAfterPvid(40, 40), pauseAfterPvid(40, 52), pauseAfterPvid(41, 52)}),
              (std::vector<bool>{false, true, true, false}));
}

TEST(VlanEntryRules, BoxesActAsRadioChoices)
{
    using M = Member;
    // Add or edit, asymmetric, the clicks on port 9 with whether each is taken, the box then.
    const std::tuple<bool, bool, std::vector<std::pair<M, bool>>, M> cases[] = {
        // Port 9 is untagged in VLAN 1: not again while asymmetric mode is off.
        {true, false, {{M::Untag, false}}, M::NotMember}, {true, true, {{M::Untag, true}}, M::Untag},
        {true, false, {{M::Tag, true}, {M::Tag, true}}, M::Tag},
        // Editing VLAN 1: its untagged port leaves the list once made Tag or Not Member.
        {false, false, {{M::Untag, true}, {M::Tag, true}, {M::Untag, true}}, M::Untag},
        {false, false, {{M::NotMember, true}, {M::Untag, true}}, M::Untag},
    };
    for (const auto& [add, asymmetric, clicks, after] : cases) {
        VlanEntryForm form = loadVlanEntryForm(add, asymmetric, 28, listed(), add ? 0 : 1);
        for (std::size_t i = 0; i < clicks.size(); ++i)
            EXPECT_EQ(choose(form, 9, clicks[i].first), clicks[i].second) << add << " click " << i;
        EXPECT_EQ(form.members[8], after) << add;
    }
}

TEST(VlanEntryRules, OkChecksInOrder)
{
    const std::string range = "Invalid VLAN ID, VLAN ID should be (2-4094) !", badName = "Invalid Vlan Name.";
    const std::string used = "The VLAN ID has been used, please input again !";
    const std::string empty = "You have to include at least one member in the vlan";
    const std::string trunk = "Members in VLAN have to be in the same trunk !";
    VlanEntry partial10 = listed()[1];
    partial10.partial = true;
    // Add or edit, VID, name, members, the VLANs listed, message.
    const std::tuple<bool, std::string, std::string, std::vector<std::pair<int, Member>>, std::vector<VlanEntry>, std::string> cases[] = {
        {true, "1", "", {}, listed(), range}, {true, "4095", "", {}, listed(), range}, {true, "4094", "", {}, listed(), ""},
        {true, "4.09", "", {}, listed(), range}, // digits only, whatever the locale
        {true, "10", "", {}, listed(), used}, {true, "2", "a.b", {}, listed(), badName},
        {true, "2", "lab 2", {{21, Member::Tag}}, listed(), trunk}, {true, "2", "", {{21, Member::Tag}, {22, Member::Tag}}, listed(), ""},
        {true, "2", "", {{21, Member::Untag}, {22, Member::Tag}}, listed(), trunk},
        // An add with no member is accepted; an edit only while another VLAN has members.
        {false, "10", "", {}, listed(), ""}, {false, "10", "", {}, {listed()[1], listed()[2]}, empty},
        {false, "10", "?", {}, {listed()[1]}, badName},
        // Lists answered short would write back ports nobody saw.
        {false, "10", "", {}, {partial10}, kPartialVlan},
    };
    for (const auto& [add, vid, name, members, list, message] : cases) {
        VlanEntryForm form = loadVlanEntryForm(add, true, 28, {}, 0);
        for (const auto& [port, member] : members)
            form.members[static_cast<std::size_t>(port - 1)] = member;
        EXPECT_EQ(checkVlanEntry(form, {vid, name}, linkOf({21, 22}), list), message) << vid << " " << name;
    }
}

// 10 and 28 ports: on the simulated switch.
TEST(VlanEntryRules, FiftyTwoPortLists)
{
    VlanEntryForm form = loadVlanEntryForm(true, true, 52, {}, 0);
    for (int port : {1, 26, 52})
        form.members[static_cast<std::size_t>(port - 1)] = Member::Tag;
    const VlanEntryWrite write = vlanEntryWrite(form, 7, "x", 52, nullptr);
    EXPECT_EQ(write.egress, (Bindings{{kVlanColumn + "2.7", snmp::kTypeOctetString,
                                       std::string("\x80\x00\x00\x40\x00\x00\x10\x00", 8)}}));
    EXPECT_EQ(write.allPorts.at(0).value, std::string("\xff\xff\xff\xff\xff\xff\xf0\x00", 8));
    EXPECT_EQ(write.untagged.at(0).value, std::string(8, '\0'));
}

// The first ceil(ports / 8) octets of a port list hold the ports; a list
// shorter than that is kept (a VLAN still counts as used), its missing ports
// no members, and marked.
TEST(PortLists, OfAnyLengthDecodeTheirFirstOctets)
{
    // Ports, octets, the ports listed, whether the list is short.
    const std::tuple<int, std::string, std::string, bool> cases[] = {
        {28, std::string("\x80\0\0\x10", 4), "1,28", false},
        {28, std::string("\x80\0\0\x1f\xff\xff\xff\xff\xff", 9), "1,28,29,30,31,32", false}, {28, std::string("\x80\x01", 2), "1,16", true},
        {10, std::string("\xc0\x40", 2), "1,2,10", false}, {52, std::string("\x80\0\0\0\0\0\x10", 7), "1,52", false},
        {52, std::string("\x80\0\0\0\0\x01", 6), "1,48", true},
    };
    for (const auto& [ports, octets, listed, partial] : cases) {
        SCOPED_TRACE(std::to_string(ports) + " ports, " + std::to_string(octets.size()) + " octets");
        const auto vlan = decodeVlanRow({{"lab", octets, std::string(8, '\0'), "1"}, ".7"}, ports);
        ASSERT_TRUE(vlan);
        EXPECT_EQ(std::tie(vlan->vid, vlan->egressList, vlan->partial), std::make_tuple(7, listed, partial));
        EXPECT_EQ(decodeTrunkRow({{octets, "2"}, ".3"}, ports), (TrunkRow{"3", "Static", listed, partial}));
        // Screening states are written back whole: a short answer is not shown.
        const auto screening = decodeDhcpScreening({octets}, ports);
        EXPECT_EQ(screening.has_value() && screening->front() == kScreeningEnabled, !partial);
    }
}
