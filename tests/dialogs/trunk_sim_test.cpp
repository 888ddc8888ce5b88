#include "debug_lines.h"
#include "dialogs/background_close.h"
#include "dialogs/port_check_grid.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_member_dialog.h"
#include "simulated_switch_fixture.h"

#include <QApplication>
#include <QTimer>

using namespace dialogs::switching;

namespace {

const std::string P = "1.3.6.1.4.1.32473.10.75.7.";

dialogs::Binding integer(const std::string& oid, int value) { return {P + oid, snmp::kTypeInteger, std::to_string(value)}; }
dialogs::Binding ports(const std::string& oid, std::string octets) { return {P + oid, snmp::kTypeOctetString, std::move(octets)}; }

// Dialogs on a simulated QMX-7720-ZA in process; its trunk 1 holds ports 21 and 22.
using TrunkDialogs = SimulatedSwitchTest<>;

} // namespace

// Each item the admission rules use, changed on the switch by one set, is read
// from its own object: the snapshot's items for ports 1 and 2 (links: ports 3
// and 21; media: 24 and 26) and the switch-wide ones as one list. The rules on these items: trunk_rules_test.
TEST_F(TrunkDialogs, EachItemOfTheSnapshotIsReadFromItsObject)
{
    const std::string port1 = std::string("\x80\0\0\0", 4), arp = "14.3.1.1.", arpHost = ".192.168.10.1";
    const dialogs::Bindings changes{
        ports("8.1.3.1.2.3", std::string("\x30\0\0\0", 4)), integer("1.13.1.2.1", 5), integer("1.13.1.2.2", 1),
        ports("14.7.1.0", port1), integer("11.2.1.0", 1), integer("11.2.9.1.2.2", 2), integer("11.2.9.1.2.1", 1),
        ports("7.6.1.2.10", port1), ports("9.2.0", std::string("\xbf\xff\xff\xf0", 4)), integer("12.3.1.1.2.2", 3),
        {P + "7.7.1.1.2", snmp::kTypeUnsigned, "10"}, integer("14.2.1.1.2.1", 1), integer("17.4.1.2.2", 1),
        ports("18.3.0", port1), integer("18.1.0", 1), integer(arp + "4" + arpHost, 4),
        ports(arp + "2" + arpHost, std::string("\x00\x00\x5e\x00\x53\x01", 6)), ports(arp + "3" + arpHost, port1),
        integer("13.1.2.1.2.2", 1000), integer("6.2.1.16.2", 1), integer("6.2.1.4.2", 2), integer("21.1.6.1.2.1", 1),
        integer("9.3.1.3.1.0.0.94.0.83.242", 2), ports("15.2.1.1.10.1", port1), integer("26.1.1.0", 1),
        integer("26.1.5.1.2.1", 1), integer("26.1.5.1.3.2", 2)};
    dialogs::CDialogSession session("m_cCommonSNMPSet");
    for (const dialogs::Binding& change : changes)
        ASSERT_EQ(session.exchange(snmp::kPduSet, {change}), snmp::kStatusOk) << change.oid;
    CTrunkMemberDialog dialog("2", "LACP", "", 28);
    ASSERT_TRUE(waitUntil([&] { return dialog.snapshotComplete(); }));
    const TrunkSnapshot& s = dialog.snapshot();
    const auto both = [](const auto& perPort) { return std::vector<int>{int(perPort[0]), int(perPort[1])}; };
    const std::vector<std::vector<int>> items{
        {s.linkId[2], s.linkId[20]}, both(s.speed), both(s.dhcpScreening), {s.dot1xEnabled}, both(s.dot1xControl), both(s.vlans[1].egress),
        both(s.learning), both(s.defaultPriority), both(s.pvid), both(s.portSecurity), both(s.loopDetect),
        both(s.mirrorSourceA), {s.mirrorState}, both(s.arpSpoofing), both(s.rateControl[1]),
        std::vector<int>(s.spanningTree[1].begin(), s.spanningTree[1].end()), both(s.voiceMode), both(s.fdbDestination),
        both(s.aclPorts[0]), {s.surveillanceEnabled}, both(s.surveillanceState), both(s.surveillanceMode),
        {s.medium[23], s.medium[25]}};
    EXPECT_EQ(items, (std::vector<std::vector<int>>{{3, 1}, {5, 1}, {1, 0}, {1}, {1, 2}, {1, 0}, {1, 0}, {1, 3}, {1, 10},
                                                    {1, 2}, {2, 1}, {1, 0}, {1}, {1, 0}, {1000, 0}, {2, 128, 0, 1, 2, 1, 2},
                                                    {1, 2}, {0, 1}, {1, 0}, {1}, {1, 2}, {1, 2}, {2, 4}}));
}

TEST_F(TrunkDialogs, OkWaitsForTheWholeSnapshot)
{
    DebugLines lines;
    {
        CTrunkMemberDialog dialog("1", "Static", "21,22", 28);
        EXPECT_TRUE(dialog.ports()->isChecked(0, 21) && dialog.ports()->isChecked(0, 22));
        EXPECT_EQ(dialog.ports()->box(0, 5)->accessibleName(), "Member port 5");
        // A link still unread would let a port join a second link.
        EXPECT_FALSE(dialog.ok() || dialog.findChild<QPushButton*>("ok")->isEnabled() || !prompter.shown().empty());
        ASSERT_TRUE(waitUntil([&] { return dialog.snapshotComplete(); }));
        dialog.ports()->setChecked(0, 23, true);
        EXPECT_TRUE(dialog.ok());
        ASSERT_TRUE(waitForWrite(dialog));
    }
    dialogs::waitForBackgroundCloses();
    EXPECT_EQ(takeSetTexts(P), Texts{"8.1.3.1.2.1=0x00000e00 8.1.3.1.3.1=2"});
    EXPECT_EQ(lines.banners(),
              closeBanners({"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPMirror", "m_cCommonSNMPTableACL",
                            "m_cCommonSNMPPoint", "m_cCommonSNMPTableVlan", "m_cCommonSNMPTableTrunk",
                            "m_cCommonSNMPTableStaticPor", "m_cCommonSNMPTableGetVlanTrunk"}));
}

// The spanning-tree rule asks for the global states again: the next OK sees them.
TEST_F(TrunkDialogs, SpanningTreeOffSinceOpeningCountsFromTheNextOk)
{
    setOnSwitch(sim::joined(sim::oids::kStpPortEntry, {16, 2}), sim::integerValue(1));
    CTrunkMemberDialog dialog("2", "LACP", "", 28);
    ASSERT_TRUE(waitUntil([&] { return dialog.snapshotComplete(); }));
    setOnSwitch(sim::joined(sim::oids::kStpState, {0}), sim::integerValue(2));
    dialog.ports()->setChecked(0, 1, true);
    dialog.ports()->setChecked(0, 2, true);
    EXPECT_FALSE(dialog.ok()); // the port settings as read at opening
    ASSERT_TRUE(waitUntil([&] { return dialog.snapshot().stpEnabled == 2; }));
    EXPECT_TRUE(dialog.ok());
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(takeSetTexts(P), Texts{"8.1.3.1.2.2=0xc0000000 8.1.3.1.3.2=1"});
}

TEST_F(TrunkDialogs, ConfigurationListsAppliesAndRunsTheMemberDialog)
{
    CTrunkConfigurationDialog dialog(28);
    ASSERT_TRUE(waitForReads(dialog));
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 8);
    auto* portMember = dialog.findChild<QPushButton*>("portMember");
    EXPECT_TRUE(portMember->isEnabled());
    portMember->click();
    // Link 2 is off: its row selects "Disable".
    dialog.list()->keyboardSearch("2"); // typed, as the keyboard chooses a row
    EXPECT_EQ(shown(dialog, {"mode"}), Texts{"Disable"});
    portMember->click();
    EXPECT_EQ(prompter.texts(), (Texts{"Please select the Trunk !", "Link Aggregation State is disable."}));

    fill(dialog, {{"mode", "LACP"}});
    EXPECT_EQ(setsBy(dialog, P, [&] { ASSERT_TRUE(dialog.applyMode()); }), Texts{"8.1.3.1.3.2=1"});
    // The state is written back once its re-read has ended.
    EXPECT_FALSE(dialog.applyState());
    ASSERT_TRUE(waitForReads(dialog));
    dialog.findChild<QCheckBox*>("enable")->setChecked(false);
    EXPECT_EQ(setsBy(dialog, P, [&] { ASSERT_TRUE(dialog.applyState()); }), Texts{"8.1.2.0=2"});
    ASSERT_TRUE(waitForReads(dialog));
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(1), "LACP");
    EXPECT_FALSE(portMember->isEnabled());
    dialog.findChild<QCheckBox*>("enable")->setChecked(true);
    ASSERT_TRUE(dialog.applyState());
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8 && portMember->isEnabled(); }));

    // The member dialog for link 1 adds port 23; the list shows it on return.
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    QTimer::singleShot(0, [] {
        auto* member = qobject_cast<CTrunkMemberDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(member, nullptr);
        ASSERT_TRUE(waitUntil([&] { return member->snapshotComplete(); }));
        member->ports()->setChecked(0, 23, true);
        member->ok();
    });
    portMember->click();
    ASSERT_TRUE(waitUntil([&] {
        return dialog.list()->topLevelItemCount() == 8 && dialog.list()->topLevelItem(0)->text(2) == "21,22,23";
    }));
}
