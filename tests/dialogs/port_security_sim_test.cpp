// The 802.1X, ARP spoofing prevention and DHCP server screening dialogs
// against a simulated switch in process: the set requests compared whole.
#include "dialogs/ip_address_edit.h"
#include "dialogs/management/snmp_host_table_dialog.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/transfer_dialog.h"
#include "dialogs/port_check_grid.h"
#include "dialogs/port_range_control.h"
#include "dialogs/switching/arp_spoofing_dialog.h"
#include "dialogs/switching/arp_spoofing_entry_dialog.h"
#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dot1x_config_dialog.h"
#include "dialogs/switching/dot1x_port_dialog.h"
#include "sim/port_list.h"
#include "simulated_switch_fixture.h"

using namespace dialogs::switching;
using namespace sim;
using namespace sim::oids;

namespace {

const std::string kSwitchMib = "1.3.6.1.4.1.32473.10.75.7.";

using PortSecurityAgainstSimulator = SimulatedSwitchTest<>;

} // namespace

// Switched off only the state goes: the odd-answers test below.
TEST_F(PortSecurityAgainstSimulator, Dot1xConfigApplySendsItsThreeRequests)
{
    CDot1xConfigDialog dialog(28);
    WalkEnds(dialog).wait(1);
    // Switched on as a screen reader does it, the box opens its fields.
    fill(dialog, {{"enable", "on"}, {"radius", "10.1.1.2"}, {"key", "k1"}, {"confirmKey", "k1"}, {"txPeriod", "45"}});
    EXPECT_EQ(enabledOf(dialog, {"radius", "key"}), (Texts{"radius", "key"}));
    EXPECT_EQ(setsAndRereadBy(dialog, kSwitchMib, [&] { dialog.apply(); }), (Texts{"11.1.1.0=10.1.1.2 11.1.2.0=\"k1\"", "11.2.1.0=1",
                                             "11.2.2.0=60 11.2.3.0=45 11.2.4.0=30 11.2.5.0=30 11.2.6.0=2 11.2.7.0=3600u 11.2.8.0=2"}));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_TRUE(child<QCheckBox>(dialog, "enable")->isChecked()) << "after the refresh";
}

// Every dialog with the address control, the rest filled in: a half-typed address is refused, nothing sent.
TEST_F(PortSecurityAgainstSimulator, AHalfTypedAddressIsRefusedWhereverTheControlIs)
{
    using namespace dialogs::management;
    const std::tuple<std::function<std::unique_ptr<dialogs::CDialogBase>()>, int, Fields, std::string> cases[] = { // walks at opening
        {[] { return std::make_unique<CSyslogHostDialog>(); }, 1, {{"enable", "on"}, {"port", "514"}, {"address", "10.1..1"}}, "Syslog Server IP Error."},
        {[] { return std::make_unique<CTransferDialog>(); }, 0, {{"operationType", "Backup"}, {"fileName", "a.cfg"}, {"server", "10.1..1"}}, "Invalid TFTP server IP."},
        {[] { return std::make_unique<CDot1xConfigDialog>(28); }, 1, {{"enable", "on"}, {"key", "k"}, {"confirmKey", "k"}, {"radius", "10.1..1"}}, "Invalid RADIUS Server IP Address."},
        {[] { return std::make_unique<CArpSpoofingEntryDialog>(28); }, 1, {{"mac", "00-1a-22-33-44-55"}, {"address", "10.1..1"}}, kArpAddressFormat},
        {[] { return std::make_unique<CSnmpHostTableDialog>(); }, 1, {{"name", "pub"}, {"address", "10.1..1"}}, "Invalid Host IP."},
    };
    for (const auto& [open, walks, fields, message] : cases) {
        prompter.clear();
        const auto dialog = open();
        WalkEnds(*dialog).wait(walks);
        fill(*dialog, fields);
        const Texts sets = setsBy(*dialog, "", [&] { child<QPushButton>(*dialog, "apply")->click(); });
        EXPECT_EQ(std::pair(sets, prompter.texts()), std::pair(Texts{}, Texts{message}));
    }
}

// Odd answers fill what decodes and show the rest whole: Apply still switches
// 802.1X off, and refuses each odd value that it would write.
TEST_F(PortSecurityAgainstSimulator, Dot1xConfigShowsOddAnswersWholeAndKeepsApplyUsable)
{
    SwitchSettings settings = quietSwitch();
    settings.faults.answers = {{joined(kRadius, {1, 0}), "10.1.1.2"}, {joined(kRadius, {2, 0}), std::string(40, 'k')},
                               {joined(kDot1x, {2, 0}), "12abc"}};
    startSwitch("QMX-7720-ZA", settings);
    CDot1xConfigDialog dialog(28);
    WalkEnds(dialog).wait(1);
    EXPECT_EQ(child<QLineEdit>(dialog, "key")->text() + child<QLineEdit>(dialog, "quietPeriod")->text(),
              QString(40, 'k') + "12abc");
    child<QCheckBox>(dialog, "enable")->click();
    dialog.apply();
    EXPECT_EQ(prompter.texts(), Texts{"Invalid Key."});
    child<QCheckBox>(dialog, "enable")->click();
    EXPECT_EQ(enabledOf(dialog, {"radius", "key", "quietPeriod"}), Texts{}) << "off: no setting to change";
    EXPECT_EQ(setsAndRereadBy(dialog, kSwitchMib, [&] { dialog.apply(); }), Texts{"11.2.1.0=2"});
    EXPECT_FALSE(child<QCheckBox>(dialog, "enable")->isChecked()) << "after the refresh";
}

TEST_F(PortSecurityAgainstSimulator, Dot1xPortRangeOf31GoesOutAs30And1Bindings)
{
    startSwitch("QMX-7752-ZA");
    CDot1xPortDialog dialog(52, {"60", "30", "30", "30", "2", "3600", "Disabled"});
    WalkEnds(dialog).wait(2); // links, then ports
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 52);
    EXPECT_EQ(row(*dialog.list(), 0), (Texts{"1", "authorized", "forceAuthorized", "60", "30", "30", "30", "2", "3600", "Disabled"}));
    Texts expected(2);
    for (int port = 3; port <= 33; ++port)
        expected[port / 33] += (expected[port / 33].empty() ? "11.2.9.1.2." : " 11.2.9.1.2.") + std::to_string(port) + "=2";
    dialog.range()->setRange(3, 33);
    EXPECT_EQ(setsAndRereadBy(dialog, kSwitchMib, [&] { dialog.apply(); }), expected);
    EXPECT_EQ((Texts{row(*dialog.list(), 2)[2], row(*dialog.list(), 32)[2], row(*dialog.list(), 33)[2]}),
              (Texts{"auto", "auto", "forceAuthorized"}));

    // Trunk members 43..46 are refused before anything is sent.
    dialog.range()->setRange(40, 44);
    dialog.apply();
    EXPECT_EQ(prompter.texts(), Texts{"Cannot add an aggregated link to the 802.1X-enabled port"});
    EXPECT_EQ(takeSetTexts(kSwitchMib), Texts{});
}

// A port walk cut short after port 9 would count ports 10-28 as neither auto
// nor forceUnauthorized, and links unread would let a link's port in: Apply
// stays off and nothing is sent.
TEST_F(PortSecurityAgainstSimulator, Dot1xPortAppliesOnlyAfterThePortsAndLinksWereReadWhole)
{
    struct Cut {
        std::string silenced;
        int from, to;
    };
    for (const Cut& cut : {Cut{kSwitchMib + "11.2.9.1.3.9", 1, 9}, Cut{kSwitchMib + "8.1.3.1.2", 21, 21}}) {
        SwitchSettings settings = quietSwitch();
        settings.faults.silentGets = {snmp::Oid{}};
        ASSERT_TRUE(snmp::oidFromText(cut.silenced, settings.faults.silentGets[0]));
        startSwitch("QMX-7720-ZA", settings);
        prompter.clear();
        CDot1xPortDialog dialog(28, {"60", "30", "30", "30", "2", "3600", "Disabled"});
        waitForWalk(dialog, 2);
        EXPECT_EQ(prompter.texts(), Texts{dialogs::kSwitchUnread}) << cut.silenced;
        EXPECT_EQ(dialog.list()->topLevelItemCount(), cut.from == 1 ? 9 : 28) << cut.silenced;
        EXPECT_EQ(enabledOf(dialog, {"apply", "refresh"}), Texts{"refresh"}) << cut.silenced;
        dialog.range()->setRange(cut.from, cut.to);
        dialog.apply();
        EXPECT_TRUE(waitForWrite(dialog));
        EXPECT_EQ(takeSetTexts(kSwitchMib), Texts{}) << cut.silenced;
    }
}

TEST_F(PortSecurityAgainstSimulator, ArpEntryIsCreatedInThreeRequestsListedAndDeleted)
{
    {
        CArpSpoofingEntryDialog entry(28);
        WalkEnds(entry).wait(1);
        entry.address()->setText(QStringLiteral("192.0.2.1"));
        // A pasted address one digit too long is refused, not cut to fit.
        entry.mac()->setText(QStringLiteral("00-1a-22-33-44-556"));
        entry.apply();
        EXPECT_EQ(prompter.texts(), Texts{"Please enter correct MAC format(ex:00-00-00-00-00-01)"});
        prompter.clear();
        entry.mac()->setText(QStringLiteral("00-1a-22-33-44-55"));
        for (QCheckBox* box : {entry.allPorts(), entry.ports()->box(0, 21), entry.ports()->box(0, 22)})
            toggleAsScreenReader(box);
        prompter.answer(true);
        EXPECT_EQ(setsBy(entry, kSwitchMib + "14.3.1.1.", [&] { entry.apply(); }),
                  (Texts{"4.192.0.2.1=5", "2.192.0.2.1=0x001a22334455 3.192.0.2.1=0xfffff3f0", "4.192.0.2.1=1"}));
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_TRUE(entry.address()->isBlank());
    }
    EXPECT_EQ(prompter.texts(), Texts{kArpConfirmation});

    CArpSpoofingDialog dialog(28);
    WalkEnds(dialog).wait(1);
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 1);
    EXPECT_EQ(row(*dialog.list(), 0),
              (Texts{"1", "192.0.2.1", "00-1A-22-33-44-55", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,23,24,25,26,27,28"}));
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    EXPECT_EQ(setsAndRereadBy(dialog, kSwitchMib + "14.3.1.1.", [&] { dialog.remove(); }), Texts{"4.192.0.2.1=6"});
    EXPECT_EQ(dialog.list()->topLevelItemCount(), 0);
    EXPECT_EQ(shown(dialog, {"total"}), Texts{"0"});

    // A full table takes no 65th entry; a row left waiting is not listed.
    for (std::uint32_t host = 1; host <= 64; ++host)
        setOnSwitch(joined(kArpSpoofingEntry, {4, 10, 0, 0, host}), integerValue(host == 64 ? 5 : 4));
    dialog.refresh();
    WalkEnds(dialog).wait(1);
    EXPECT_EQ(shown(dialog, {"total"}), Texts{"63"});
    setOnSwitch(joined(kArpSpoofingEntry, {4, 10, 0, 0, 64}), integerValue(1));
    dialog.refresh();
    WalkEnds(dialog).wait(1);
    prompter.clear();
    dialog.add();
    EXPECT_EQ(prompter.texts(), Texts{"The Maximum of Entry is 64, can not add any more"});
}

TEST_F(PortSecurityAgainstSimulator, DhcpScreeningWritesTheWholeBitmapOfWhatTheSwitchHolds)
{
    startSwitch("QMX-7752-ZA");
    CDhcpScreeningDialog dialog(52);
    waitForWalk(dialog);
    const auto enable = [&](int from, int to) {
        dialog.range()->setRange(from, to);
        dialog.state()->setCurrentIndex(1);
        dialog.apply();
        EXPECT_TRUE(waitForWrite(dialog));
        EXPECT_TRUE(waitForReads(dialog));
    };
    // The switch changes behind the dialog: a refresh shows what it holds.
    setOnSwitch(joined(kDhcpScreeningPorts, {0}), octetValue(encodePortList({1}, 52)));
    dialog.refresh();
    ASSERT_TRUE(waitForReads(dialog));
    EXPECT_EQ(row(*dialog.list(), 0), (Texts{"1", "Enabled"}));
    // A refused range changes nothing; the next Apply writes the read states and the range.
    enable(43, 43);
    EXPECT_EQ(prompter.texts(),
              Texts{"Cannot add ports with different DHCP Server Screening Port Settings to an aggregated link."});
    EXPECT_EQ(row(*dialog.list(), 42)[1], "Disabled");
    enable(2, 2);
    EXPECT_EQ(takeSetTexts(kSwitchMib), Texts{"14.7.1.0=0xc000000000000000"});
    EXPECT_EQ(row(*dialog.list(), 1)[1], "Enabled");
}
