// The dialogs that write back what they read, fed garbled answers by the
// relay: loading sends no set, and Apply is refused, sends nothing, or writes
// nothing a garbled read said. A row per dialog and garble; a row without a
// garble is a dialog's clean control.
#include "drill_support.h"

#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "dialogs/mib/system_information_dialog.h"
#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dot1x_config_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_rules.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "walk_ends.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <map>
#include <optional>
#include <tuple>

namespace drills {
namespace {

using namespace dialogs::switching;
using dialogs::CDialogBase;

// How an answer to a read is garbled.
enum class Garble { TextForInteger, IntegerForText, HugeText, NoSuchName, ShortAnswer, WideTimer };
const char* const kGarbleNames[] = {"TextForInteger", "IntegerForText", "HugeText", "NoSuchName", "ShortAnswer",
                                    "WideTimer"};
constexpr const char* kGarbledText = "77 garbled";
constexpr std::int64_t kGarbledInteger = 42;
// One digit more than a timer edit holds; max age cut to four digits would pass every check.
constexpr std::int64_t kWideTimer = 27770;

// What a garbled answer could turn into once shown and written back.
bool fromGarbledRead(const snmp::Value& value)
{
    const std::string text = value.type == snmp::Asn::Integer ? std::to_string(value.integer) : value.octets;
    return text == "77" || text == std::to_string(kGarbledInteger) || text == std::to_string(kWideTimer / 10)
           || text.find("7777") != std::string::npos || text.find("garbled") != std::string::npos;
}

// What a dialog reads, by the type the switch gives it (objects or whole
// columns); `huge` gets the long text.
struct Fields {
    std::vector<std::string> integers;
    std::vector<std::string> texts;
    std::string huge;
};

// Garbles the bindings of `fields` that `kind` targets; an answer holding one
// gets an error status (NoSuchName) or loses half its bindings (ShortAnswer).
void garble(Garble kind, const Fields& fields, const snmp::Pdu& request, snmp::Pdu& answer)
{
    if (request.type == snmp::PduType::Set)
        return;
    const auto among = [](const snmp::Oid& oid, const std::vector<std::string>& objects) {
        return std::any_of(objects.begin(), objects.end(), [&](const std::string& object) { return within(oid, object, true); });
    };
    bool hit = false;
    for (snmp::VarBind& binding : answer.bindings) {
        const bool integer = among(binding.oid, fields.integers);
        const bool text = among(binding.oid, fields.texts);
        const bool targeted = kind == Garble::TextForInteger || kind == Garble::WideTimer ? integer
                              : kind == Garble::IntegerForText                             ? text
                              : kind == Garble::HugeText ? among(binding.oid, {fields.huge})
                                                         : integer || text;
        if (!targeted)
            continue;
        hit = true;
        if (kind == Garble::TextForInteger)
            binding.value = textValue(kGarbledText);
        else if (kind == Garble::IntegerForText || kind == Garble::WideTimer)
            binding.value = integerValue(kind == Garble::WideTimer ? kWideTimer : kGarbledInteger);
        else if (kind == Garble::HugeText)
            binding.value = textValue(std::string(10000, '7'));
    }
    if (hit && kind == Garble::NoSuchName)
        std::tie(answer.errorStatus, answer.errorIndex) = std::pair(2, 1);
    else if (hit && kind == Garble::ShortAnswer)
        answer.bindings.resize(answer.bindings.size() / 2);
}

constexpr int kSome = -1;
struct Case {
    const char* dialog;
    std::optional<Garble> garble;
    int sets = 0;                  // set requests Apply sends; kSome: at least one
    const char* message = nullptr; // the message shown, once by each dialog that shows it
    int dialogs = 1;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.dialog << "_" << (c.garble ? kGarbleNames[static_cast<int>(*c.garble)] : "Clean");
}

const std::string kPortColumn = "1.3.6.1.4.1.32473.10.75.7.1.13.1.";
const std::string kSyslog = "1.3.6.1.4.1.32473.10.75.7.16.1.";
const std::string kAgent = "1.3.6.1.4.1.32473.10.75.7.25";
const std::string kRange = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";
constexpr const char* kPvidColumn = "1.3.6.1.4.1.32473.10.75.7.7.7.1.1";
// VLAN 10's egress ports: the row the edit drill garbles.
constexpr const char* kVlan10Egress = "1.3.6.1.4.1.32473.10.75.7.7.6.1.2.10";

// A dialog under drill: what of its reads is garbled, how it opens (and the
// walks it waits for), and how its values are applied.
struct DialogDrill {
    Fields fields;
    int walks = 1;
    std::function<std::unique_ptr<CDialogBase>()> open;
    std::function<void(CDialogBase&, const Case&)> apply;
};

template <typename D, typename... Args>
DialogDrill plain(Fields fields, int walks, Args... args)
{
    return {std::move(fields), walks, [=] { return std::make_unique<D>(args...); },
            [](CDialogBase& dialog, const Case&) { static_cast<D&>(dialog).apply(); }};
}

// A port list too short for the switch is listed, but its VLAN cannot be edited.
void editEveryVlan(CDialogBase& dialog, const Case& c)
{
    const std::vector<VlanEntry>& vlans = static_cast<CVlanConfigurationDialog&>(dialog).vlans();
    EXPECT_EQ(findVlan(vlans, 10) != nullptr, c.garble == Garble::IntegerForText) << "listed";
    for (const VlanEntry& vlan : vlans) {
        CVlanEntryDialog entry(false, 28, vlans, vlan.vid, false);
        WalkEnds(entry).wait(1);
        entry.ok();
        EXPECT_TRUE(waitForWrite(entry));
        EXPECT_EQ(entry.result(), vlan.partial ? QDialog::Rejected : QDialog::Accepted) << vlan.vid;
    }
}

// The state box as read; then the mode and members of the first link listed.
void applyTrunks(CDialogBase& dialog, const Case& c)
{
    auto& trunks = static_cast<CTrunkConfigurationDialog&>(dialog);
    const int listed = std::string(c.dialog) == "TrunkMode" ? 0 : 8;
    EXPECT_EQ(trunks.list()->topLevelItemCount(), listed);
    EXPECT_EQ(trunks.applyState(), std::string(c.dialog) != "TrunkState");
    ASSERT_TRUE(waitForWrite(trunks));
    ASSERT_TRUE(waitUntil([&] { return trunks.list()->topLevelItemCount() == listed && !trunks.reading(); }));
    if (listed == 0) {
        EXPECT_FALSE(trunks.applyMode());
    } else if (c.garble == Garble::IntegerForText) {
        trunks.list()->setCurrentItem(trunks.list()->topLevelItem(0));
    }
    if (listed == 0 || c.garble == Garble::IntegerForText)
        trunks.findChild<QPushButton*>("portMember")->click();
}

void applyPvids(CDialogBase& dialog, const Case&)
{
    CPvidDialog pvid(28, static_cast<CVlanConfigurationDialog&>(dialog).vlans());
    WalkEnds(pvid).wait(2);
    pvid.apply();
    EXPECT_TRUE(waitForWrite(pvid));
}

// The VLANs, the PVIDs and the asymmetric flag.
std::unique_ptr<CDialogBase> openVlans() { return std::make_unique<CVlanConfigurationDialog>(28, true); }
std::unique_ptr<CDialogBase> openTrunks() { return std::make_unique<CTrunkConfigurationDialog>(28); }

std::map<std::string, DialogDrill> dialogDrills(const std::vector<std::string>& portStpRow)
{
    using namespace dialogs::management;
    using dialogs::mib::CStpConfigurationDialog, dialogs::mib::CSystemInformationDialog;
    const auto stp = dialogs::mib::stpBridgeRead().oids;
    const auto dot1x = dot1xConfigRead().oids;
    const auto trunk = trunkTableRead().oids;
    const std::string dhcp = dhcpScreeningRead().front().oid;
    Fields portStp;
    for (const dialogs::Binding& binding : dialogs::mib::stpPortRead("1"))
        portStp.integers.push_back(binding.oid);
    portStp.huge = portStp.integers.front();
    const Fields information{{"1.3.6.1.2.1.1.3.0"}, {kSysName, kSysLocation}, kSysName};
    Fields traps{{}, {}, kAgent + ".8.1.0"};
    for (int trap = 1; trap <= 6; ++trap)
        traps.integers.push_back(kAgent + ".8." + std::to_string(trap) + ".0");
    Fields dot1xFields{{}, {}, dot1x[1]};
    for (std::size_t i = 0; i < dot1x.size(); ++i)
        (i == 1 || i == 2 ? dot1xFields.texts : dot1xFields.integers).push_back(dot1x[i]);
    return {
        // A clean read first, then a garbled refresh.
        {"SystemInformation", plain<CSystemInformationDialog>(information, 1)},
        // Priority, state and version are checked against no range; max age is.
        {"StpConfiguration", plain<CStpConfigurationDialog>({{stp[0], stp[11], stp[12], stp[5]}, {stp[3]}, stp[0]}, 1, 28)},
        {"PortStp", plain<dialogs::mib::CPortStpDialog>(portStp, 1, std::vector<std::vector<std::string>>{portStpRow}, 0, 28)},
        // Port 1's speed, flow control and medium; it walks the aggregated links, then the ports.
        {"PortConfiguration",
         {{{kPortColumn + "2.1", kPortColumn + "5.1", kPortColumn + "7.1"}, {}, kPortColumn + "2.1"}, 2,
          [] { return std::make_unique<CPortSetInfo>(PortLayout{28, 4, false}); },
          [](CDialogBase& dialog, const Case&) {
              static_cast<CPortSetInfo&>(dialog).selectRow(0);
              static_cast<CPortSetInfo&>(dialog).apply();
          }}},
        // Port, facility and severity; the server's address.
        {"SyslogHost", plain<CSyslogHostDialog>({{kSyslog + "2.0", kSyslog + "4.0", kSyslog + "5.0"}, {kSyslog + "1.0"}, kSyslog + "1.0"}, 1)},
        {"GlobalState", plain<CSnmpGlobalStateDialog>({{kAgent + ".1.0"}, {}, kAgent + ".1.0"}, 1)},
        {"EngineId", plain<CSnmpEngineIdDialog>({{}, {kAgent + ".7.0"}, kAgent + ".7.0"}, 1)},
        {"Traps", plain<CSnmpTrapDialog>(traps, 1, "QMX-7740-ZP")},
        // The user walk that fills the view policy combo; it walks its table, then the users.
        {"Community",
         {{{kAgent + ".2.1.1.2"}, {kAgent + ".2.1.1.1"}, kAgent + ".2.1.1.1"}, 2,
          [] { return std::make_unique<CSnmpCommunityTableDialog>(); },
          [](CDialogBase& dialog, const Case&) {
              static int communities = 0; // a new name each time
              dialog.findChild<QLineEdit*>("communityName")->setText(QString("drill%1").arg(++communities));
              static_cast<CSnmpCommunityTableDialog&>(dialog).apply();
          }}},
        // The date flag, a year, an hour and a day; the name.
        {"TimeRange",
         {{{kRange + "3.1", kRange + "4.1", kRange + "7.1", kRange + "14.1"}, {kRange + "2.1"}, kRange + "2.1"}, 0,
          [] { return std::make_unique<CTimeBasedPoeConfigDialog>(std::vector<RememberedRange>{{1, "office-hours", "1"}}, 1); },
          [](CDialogBase& dialog, const Case&) {
              EXPECT_FALSE(dialog.findChild<QPushButton*>(QStringLiteral("apply"))->isEnabled());
              EXPECT_FALSE(static_cast<CTimeBasedPoeConfigDialog&>(dialog).apply());
          }}},
        {"Pvid", {{{kPvidColumn}, {}, {}}, 3, openVlans, applyPvids}},
        {"EditVlan", {{{}, {kVlan10Egress}, {}}, 3, openVlans, editEveryVlan}},
        {"Dot1xConfig", plain<CDot1xConfigDialog>(dot1xFields, 1, 28)},
        {"DhcpScreening", plain<CDhcpScreeningDialog>({{}, {dhcp}, dhcp}, 1, 28)},
        {"TrunkState", {{{trunkStateRead().front().oid}, {}, {}}, 1, openTrunks, applyTrunks}},
        {"TrunkMembers", {{{}, {trunk[0]}, trunk[0]}, 1, openTrunks, applyTrunks}},
        {"TrunkMode", {{{trunk[1]}, {}, {}}, 1, openTrunks, applyTrunks}},
    };
}

// On a PoE model, for its time ranges.
class GarbledReadDrill : public RelayedSwitch<::testing::TestWithParam<Case>> {
protected:
    static void SetUpTestSuite() { s_agent = startQuietSwitch("QMX-7740-ZP").release(); }

    // Once per process, asserted by the case: a failing suite set-up would
    // only skip the cases, which ctest counts as passed.
    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        if (s_drills.empty()) {
            // The port dialog shows the first row of the spanning tree table.
            useAgent(s_agent->port(), {}, 5000);
            const std::vector<WalkRow> rows = walkOnce(dialogs::mib::stpPortTableRead().oids);
            ASSERT_FALSE(rows.empty());
            // Syslog on toward a server, so that its Apply writes the server back.
            snmp::CCommonSnmp setter;
            std::unique_ptr<snmp::CSnmpResponse> response;
            ASSERT_TRUE(dialogs::prepare(setter, snmp::kPduSet, {{kSyslog + "1.0", 8, "10.1.1.9"}, {kSyslog + "6.0", 1, "1"}}));
            ASSERT_EQ(setter.send(response), snmp::kStatusOk);
            s_drills = dialogDrills(dialogs::mib::stpPortRowTexts({rows[0].values, rows[0].suffix}));
        }
        RelayedSwitch::SetUp();
    }
    std::string name() const { return GetParam().dialog; }
    const DialogDrill& drill() const { return s_drills.at(name()); }

    void garbleReads()
    {
        if (const std::optional<Garble> kind = GetParam().garble)
            relay.setFaults({.rewrite = [kind, fields = drill().fields](const snmp::Pdu& request, snmp::Pdu& answer) {
                garble(*kind, fields, request, answer);
            }});
    }

    // The VLAN table and the PVIDs as a clean walk sees them.
    static auto vlanState() { return std::pair(walkOnce(vlanTableRead().oids), walkOnce({kPvidColumn})); }

    static inline std::map<std::string, DialogDrill> s_drills;
    ScriptedPrompter prompter;
};

TEST_P(GarbledReadDrill, LoadingSendsNoSetAndApplyNeverWritesWhatTheGarbledReadSaid)
{
    const Case c = GetParam();
    const bool vlans = name() == "Pvid" || name() == "EditVlan";
    const auto vlansBefore = vlans ? vlanState() : decltype(vlanState()){};
    const bool refreshed = name() == "SystemInformation";
    if (!refreshed)
        garbleReads();
    const std::unique_ptr<CDialogBase> dialog = drill().open();
    WalkEnds ends(*dialog);
    ends.wait(drill().walks);
    if (refreshed) {
        garbleReads();
        static_cast<dialogs::mib::CSystemInformationDialog&>(*dialog).refresh();
        ends.wait(1);
    }
    EXPECT_TRUE(waitForReads(*dialog));
    settle(20);
    EXPECT_EQ(relay.counts().rewritten > 0, c.garble.has_value());
    EXPECT_EQ(relay.counts().setRequests, 0) << "loading sent a set";

    drill().apply(*dialog, c);
    EXPECT_TRUE(waitForWrite(*dialog));
    settle(50);
    const RelayCounts counts = relay.counts();
    EXPECT_TRUE(c.sets == kSome ? counts.setRequests > 0 : counts.setRequests == c.sets) << counts.setRequests;
    for (const snmp::Value& value : counts.setValues)
        EXPECT_FALSE(fromGarbledRead(value)) << "written back: " << value.octets.substr(0, 40) << value.integer;
    EXPECT_EQ(prompter.texts(), c.message ? std::vector<std::string>(c.dialogs, c.message) : std::vector<std::string>{});
    if (vlans) {
        relay.setFaults({});
        EXPECT_EQ(vlanState(), vlansBefore);
    }
}

std::vector<Case> allCases()
{
    using enum Garble;
    std::vector<Case> cases;
    // A row per garble, all with the same outcome.
    const auto rows = [&cases](const char* dialog, std::vector<std::optional<Garble>> garbles, int sets = 0,
                               const char* message = nullptr, int dialogs = 1) {
        for (const std::optional<Garble>& garble : garbles)
            cases.push_back({dialog, garble, sets, message, dialogs});
    };
    // sysName read as an INTEGER shows its decimal text like any name, and a
    // time range may be named "42": neither is a garble here.
    // An error or short answer is a failed read: said once, and Apply held until a read is whole.
    rows("SystemInformation", {TextForInteger}, kSome);
    rows("SystemInformation", {NoSuchName, ShortAnswer}, 0, dialogs::kSwitchUnread);
    rows("SystemInformation", {HugeText}, 0, "Please enter no more than 20 characters.");
    // Bridge values that do not decode keep Apply off rather than refusing what the fields show.
    rows("StpConfiguration", {TextForInteger, HugeText});
    rows("StpConfiguration", {NoSuchName, ShortAnswer}, 0, dialogs::kSwitchUnread);
    rows("StpConfiguration", {IntegerForText}, kSome);
    rows("StpConfiguration", {WideTimer}, 0, "Please enter no more than 4 characters.");
    rows("PortStp", {TextForInteger, HugeText, ShortAnswer});
    // A garbled port row keeps Apply off; an answer that ends the walk leaves no row to pick.
    rows("PortConfiguration", {TextForInteger, HugeText});
    rows("PortConfiguration", {NoSuchName}, 0, "Please Select one port !");
    rows("PortConfiguration", {ShortAnswer}, 0, dialogs::kSwitchUnread);
    rows("SyslogHost", {TextForInteger}, kSome);
    rows("SyslogHost", {IntegerForText, HugeText}, 0, "Syslog Server IP Error.");
    rows("SyslogHost", {NoSuchName, ShortAnswer}, 0, dialogs::kSwitchUnread);
    rows("GlobalState", {TextForInteger, HugeText});
    rows("EngineId", {IntegerForText, HugeText}, 0, "ID length is 10-64");
    rows("Traps", {TextForInteger});
    rows("Traps", {NoSuchName, ShortAnswer}, 0, dialogs::kSwitchUnread);
    rows("Community", {TextForInteger, IntegerForText, HugeText}, kSome);
    rows("Community", {ShortAnswer}, 0, dialogs::kSwitchUnread);
    rows("TimeRange", {TextForInteger, HugeText, ShortAnswer});
    // Apply waits for every PVID.
    rows("Pvid", {TextForInteger, NoSuchName});
    rows("Pvid", {ShortAnswer}, 0, dialogs::kSwitchUnread, 2); // the VLAN list's walk and the PVID dialog's
    // Editing every listed VLAN without a change leaves the switch's VLANs as they were.
    rows("EditVlan", {IntegerForText}, kSome, kPartialVlan);
    rows("EditVlan", {NoSuchName}, kSome);
    rows("EditVlan", {ShortAnswer}, kSome, dialogs::kSwitchUnread);
    // 802.1X shows what decodes (its state off, so Apply writes the state alone);
    // here and below, a get answered with an error or too short is a failed read.
    rows("Dot1xConfig", {std::nullopt, TextForInteger, IntegerForText, HugeText}, 1);
    rows("Dot1xConfig", {NoSuchName, ShortAnswer}, 0, dialogs::kSwitchUnread);
    // DHCP screening decodes a list longer than its ports and waits for one that is not shorter.
    rows("DhcpScreening", {std::nullopt, HugeText}, 1);
    rows("DhcpScreening", {IntegerForText});
    rows("DhcpScreening", {NoSuchName, ShortAnswer}, 0, dialogs::kSwitchUnread);
    // Nothing of a garbled trunk row is listed; a member list too short is, but cannot be changed.
    rows("TrunkState", {TextForInteger});
    rows("TrunkMembers", {IntegerForText}, 1, kPartialMembers);
    rows("TrunkMembers", {HugeText}, 1);
    rows("TrunkMode", {TextForInteger}, 1, "Please select the Trunk !");
    rows("TrunkMode", {ShortAnswer}, 1, dialogs::kSwitchUnread, 2);
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Dialogs, GarbledReadDrill, ::testing::ValuesIn(allCases()),
                         [](const ::testing::TestParamInfo<Case>& info) { return ::testing::PrintToString(info.param); });

// A version-3 view without the private state and version scalars: the
// standard values show, the protocol reads as off.
TEST(HiddenStpScalarsDrill, StpConfigurationShowsTheStandardValues)
{
    sim::SnmpdOptions snmpd = sim::switchAgentSnmpdOptions({.requestLog = {}, .scenario = false, .modelDirectory = {}});
    snmpd.extraConfig = {"createUser simnostp SHA authpass123 AES privpass123", "view nostp included .1",
                         "view nostp excluded .1.3.6.1.4.1.32473.10.75.7.6.1", "rouser simnostp priv -V nostp"};
    const auto agent = sim::SnmpdProcess::start(snmpd);
    ASSERT_NE(agent, nullptr);
    useAgent(agent->port(), "simnostp");
    dialogs::mib::CStpConfigurationDialog dialog(28);
    const QLineEdit* maxAge = dialog.findChild<QLineEdit*>("maxAge");
    ASSERT_TRUE(waitUntil([&] { return !maxAge->text().isEmpty(); }));
    EXPECT_EQ(maxAge->text().toStdString(), "2000");
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("enable")->isChecked());
}

} // namespace
} // namespace drills
