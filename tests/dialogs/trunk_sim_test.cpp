#include "debug_lines.h"
#include "dialogs/port_check_grid.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_member_dialog.h"
#include "simulated_switch_fixture.h"

#include <QApplication>
#include <QTimer>

using namespace dialogs::switching;

namespace {

using Sets = std::vector<std::vector<snmp::VarBind>>;
using Texts = std::vector<std::string>;
const std::string P = "1.3.6.1.4.1.32473.10.75.7.";
const std::string kRstpRefusal = "Cannot add a port with different RSTP port setting to an aggregated link. ";

dialogs::Binding integer(const std::string& oid, int value)
{
    return {P + oid, snmp::kTypeInteger, std::to_string(value)};
}

dialogs::Binding ports(const std::string& oid, std::string octets)
{
    return {P + oid, snmp::kTypeOctetString, std::move(octets)};
}

snmp::VarBind wire(const std::string& oid, snmp::Value value)
{
    snmp::VarBind binding;
    snmp::oidFromText(P + oid, binding.oid);
    binding.value = std::move(value);
    return binding;
}

// Dialogs on a simulated QMX-7720-ZA in process; its trunk 1 holds ports 21 and 22.
class TrunkDialogs : public SimulatedSwitchTest<> {
protected:
    void SetUp() override { startSwitch("QMX-7720-ZA"); }

    static void openedAndRead(CTrunkMemberDialog& dialog)
    {
        ASSERT_TRUE(waitUntil([&] { return dialog.snapshotComplete(); }));
    }
};

} // namespace

// Each admission rule, made to fail by one set request on the switch, refuses
// OK with its message and sends nothing.
TEST_F(TrunkDialogs, OneSetOnTheSwitchMakesEachRuleRefuse)
{
    const std::string fdbEntry = "9.3.1.3.1.0.0.94.0.83.242";
    const std::string link3 = std::string("\xc0\0\0\0", 4), port1 = std::string("\x80\0\0\0", 4);
    const struct {
        const char* name;
        dialogs::Bindings set;
        std::string expected;
        std::vector<int> candidates = {1, 2};
    } cases[] = {
        {"admitted", {}, ""},
        {"1", {ports("8.1.3.1.2.3", link3)}, "Cannot add the port as it is a member of another aggregated link !"},
        {"2 by choice", {}, "Cannot add ports of different types to an aggregated link !", {24, 26}},
        {"3 half", {integer("1.13.1.2.1", 5)}, "Cannot add a port in half-duplex mode to an aggregated link."},
        {"3 speed", {integer("1.13.1.2.2", 1)}, "Cannot add ports of different speed to an aggregated link."},
        {"4", {ports("14.7.1.0", port1)},
         "Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."},
        {"5 auto", {integer("11.2.1.0", 1), integer("11.2.9.1.2.2", 2)},
         "Cannot add the 802.1X-enabled port to an aggregated link."},
        {"5 unauthorized", {integer("11.2.1.0", 1), integer("11.2.9.1.2.1", 1)}, "Setting the Channel Mode Fail."},
        {"6", {ports("7.6.1.2.10", port1)}, "Cannot add ports with different VLAN configurations to an aggregated link !"},
        {"7", {ports("9.2.0", std::string("\xbf\xff\xff\xf0", 4))},
         "Cannot add a Auto-learn disabled port to an aggregated link."},
        {"8a", {integer("12.3.1.1.2.2", 3)},
         "Cannot add ports with different 802.1p default priorities to an aggregated link."},
        {"8b", {{P + "7.7.1.1.2", snmp::kTypeUnsigned, "10"}}, "Cannot add ports with different PVIDs to an aggregated link."},
        {"8c", {integer("14.2.1.1.2.1", 1)}, "Cannot add a port-security anabled port to an aggregated link."},
        {"8d", {integer("17.4.1.2.2", 1)}, "Cannot add a LBD-enabled port to an aggregated link."},
        {"9", {ports("18.3.0", port1)}, "Cannot add ports of Port Mirror enable ports to an aggregated link."},
        {"10", {integer("18.1.0", 1)}, "Cannot add a mirror port to an aggregated link."},
        {"11",
         {integer("14.3.1.1.4.192.168.10.1", 4), ports("14.3.1.1.2.192.168.10.1", std::string("\x00\x00\x5e\x00\x53\x01", 6)),
          ports("14.3.1.1.3.192.168.10.1", port1)},
         "Cannot add ports of ARP Spoofing Prevent enable ports to an aggregated link."},
        {"12", {integer("13.1.2.1.2.2", 1000)},
         "Cannot add ports with different rate control configurations to an aggregated link."},
        {"13 own branch", {integer("6.2.1.16.2", 1)}, kRstpRefusal},
        {"13 other branch", {integer("6.2.1.4.2", 2)}, kRstpRefusal},
        {"14", {integer("21.1.6.1.2.1", 1)}, "Cannot add a port in Voice Vlan Auto mode to an aggregated link."},
        {"15", {integer(fdbEntry, 2)},
         "Cannot add ports with different FDB-destination-hit configurations to an aggregated link."},
        {"16", {ports("15.2.1.1.10.1", port1)}, "Cannot add an ACL enabled port to an aggregated link."},
        {"17 state", {integer("26.1.1.0", 1), integer("26.1.5.1.2.1", 1)},
         "Cannot add a port in  Auto Surveillance VLAN Auto mode to an aggregated link"},
        {"17 mode", {integer("26.1.1.0", 1), integer("26.1.5.1.3.2", 2)},
         "Cannot add a port in Auto Surveillance Vlan Auto dynamic mode to an aggregated link"},
    };
    const Sets joinLink2{{wire("8.1.3.1.2.2", sim::octetValue(link3)), wire("8.1.3.1.3.2", sim::integerValue(1))}};
    for (const auto& c : cases) {
        SetUp();
        if (!c.set.empty()) {
            dialogs::CDialogSession session("m_cCommonSNMPSet");
            ASSERT_EQ(session.exchange(snmp::kPduSet, c.set), snmp::kStatusOk) << c.name;
        }
        ScriptedPrompter prompter;
        CTrunkMemberDialog dialog("2", "LACP", "", 28);
        openedAndRead(dialog);
        for (int port : c.candidates)
            dialog.ports()->setChecked(0, port, true);
        writeBy(dialog, [&] { dialog.ok(); });
        const bool admitted = c.expected.empty();
        EXPECT_EQ(prompter.texts(), admitted ? Texts{} : Texts{c.expected}) << c.name;
        EXPECT_EQ(takeWireSets(), admitted ? joinLink2 : Sets{}) << c.name;
        EXPECT_EQ(dialog.result(), admitted ? QDialog::Accepted : QDialog::Rejected) << c.name;
        TearDown();
    }
}

TEST_F(TrunkDialogs, OkWaitsForTheWholeSnapshot)
{
    ScriptedPrompter prompter;
    DebugLines lines;
    {
        CTrunkMemberDialog dialog("1", "Static", "21,22", 28);
        EXPECT_TRUE(dialog.ports()->isChecked(0, 21) && dialog.ports()->isChecked(0, 22));
        EXPECT_EQ(dialog.ports()->box(0, 5)->accessibleName(), "Member port 5");
        EXPECT_EQ(dialog.size(), QSize(580, 275));
        // A link still unread would let a port join a second link.
        EXPECT_FALSE(dialog.ok() || dialog.findChild<QPushButton*>("ok")->isEnabled() || !prompter.shown().empty());
        openedAndRead(dialog);
        dialog.ports()->setChecked(0, 23, true);
        EXPECT_TRUE(dialog.ok());
        ASSERT_TRUE(waitForWrite(dialog));
    }
    EXPECT_EQ(takeWireSets(), (Sets{{wire("8.1.3.1.2.1", sim::octetValue(std::string("\0\0\x0e\0", 4))),
                                     wire("8.1.3.1.3.1", sim::integerValue(2))}}));
    EXPECT_EQ(lines.banners(),
              closeBanners({"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPMirror", "m_cCommonSNMPTableACL",
                            "m_cCommonSNMPPoint", "m_cCommonSNMPTableVlan", "m_cCommonSNMPTableTrunk",
                            "m_cCommonSNMPTableStaticPor", "m_cCommonSNMPTableGetVlanTrunk"}));
}

// The spanning-tree rule asks for the global states again: the next OK sees them.
TEST_F(TrunkDialogs, SpanningTreeOffSinceOpeningCountsFromTheNextOk)
{
    ScriptedPrompter prompter;
    setOnSwitch(wire("6.2.1.16.2", {}).oid, sim::integerValue(1));
    CTrunkMemberDialog dialog("2", "Static", "", 28);
    openedAndRead(dialog);
    setOnSwitch(wire("6.1.1.0", {}).oid, sim::integerValue(2));
    dialog.ports()->setChecked(0, 1, true);
    dialog.ports()->setChecked(0, 2, true);
    EXPECT_FALSE(dialog.ok()); // the port settings as read at opening
    ASSERT_TRUE(waitUntil([&] { return dialog.snapshot().stpEnabled == 2; }));
    EXPECT_TRUE(dialog.ok());
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(prompter.shown().size(), 1u);
}

TEST_F(TrunkDialogs, ConfigurationListsAppliesAndRunsTheMemberDialog)
{
    ScriptedPrompter prompter;
    CTrunkConfigurationDialog dialog(28);
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    auto* portMember = dialog.findChild<QPushButton*>("portMember");
    EXPECT_TRUE(portMember->isEnabled());
    portMember->click();
    // Link 2 is off: its row selects "Disable".
    emit dialog.list()->itemClicked(dialog.list()->topLevelItem(1), 0);
    EXPECT_EQ(shown(dialog, {"mode"}), Texts{"Disable"});
    portMember->click();
    EXPECT_EQ(prompter.texts(), (Texts{"Please select the Trunk !", "Link Aggregation State is disable."}));

    fill(dialog, {{"mode", "LACP"}});
    writeBy(dialog, [&] { ASSERT_TRUE(dialog.applyMode()); });
    dialog.findChild<QCheckBox*>("enable")->setChecked(false);
    ASSERT_TRUE(dialog.applyState());
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitForReads(dialog));
    EXPECT_EQ(takeWireSets(), (Sets{{wire("8.1.3.1.3.2", sim::integerValue(1))}, {wire("8.1.2.0", sim::integerValue(2))}}));
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    EXPECT_EQ(dialog.list()->topLevelItem(1)->text(1), "LACP");
    EXPECT_FALSE(portMember->isEnabled());
    dialog.findChild<QCheckBox*>("enable")->setChecked(true);
    ASSERT_TRUE(dialog.applyState());
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8 && portMember->isEnabled(); }));

    // The member dialog for link 1 adds port 23; the list shows it on return.
    emit dialog.list()->itemClicked(dialog.list()->topLevelItem(0), 0);
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
