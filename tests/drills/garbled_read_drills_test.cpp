// The dialogs that write to the switch read garbled answers: loading sends no
// set, and Apply either is refused or writes nothing a garbled read said. The
// switch's request log is the witness of what was written.
#include "drill_support.h"
#include "garbled_reads.h"

#include "dialogs/binding.h"
#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "dialogs/mib/stp_rules.h"
#include "dialogs/mib/system_information_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QLineEdit>

#include <sstream>

namespace drills {
namespace {

enum class Dialog {
    SystemInformation, StpConfiguration, PortStp, PortConfiguration, SyslogHost, GlobalState, EngineId, Traps, Community
};

struct Case {
    Dialog dialog;
    Garble garble;
    Apply expected;
    bool garbledFirstRead = false; // System Information: no clean read before
};

void PrintTo(const Case& c, std::ostream* out)
{
    static const char* const kDialogs[] = {"SystemInformation", "StpConfiguration", "PortStp", "PortConfiguration",
                                           "SyslogHost", "GlobalState", "EngineId", "Traps", "Community"};
    *out << kDialogs[static_cast<int>(c.dialog)] << "_" << garbleName(c.garble)
         << (c.garbledFirstRead ? "_FirstRead" : "");
}

const std::string kPortColumn = "1.3.6.1.4.1.32473.10.75.7.1.13.1.";
const std::string kSyslog = "1.3.6.1.4.1.32473.10.75.7.16.1.";
const std::string kAgent = "1.3.6.1.4.1.32473.10.75.7.25";

Fields fieldsOf(Dialog dialog)
{
    switch (dialog) {
    case Dialog::SystemInformation:
        return {{"1.3.6.1.2.1.1.3.0"}, {kSysName, kSysLocation}, kSysName};
    case Dialog::StpConfiguration: {
        // Priority, state and version: Apply checks none of them against a range; max age it does.
        const auto oids = dialogs::mib::stpBridgeRead().oids;
        return {{oids[0], oids[11], oids[12], oids[5]}, {oids[3]}, oids[0]};
    }
    case Dialog::PortStp: {
        Fields fields;
        for (const dialogs::Binding& binding : dialogs::mib::stpPortRead("1"))
            fields.integers.push_back(binding.oid);
        fields.huge = fields.integers.front();
        return fields;
    }
    case Dialog::PortConfiguration: // port 1's speed, flow control and medium
        return {{kPortColumn + "2.1", kPortColumn + "5.1", kPortColumn + "7.1"}, {}, kPortColumn + "2.1"};
    case Dialog::SyslogHost: // port, facility and severity; the server's address
        return {{kSyslog + "2.0", kSyslog + "4.0", kSyslog + "5.0"}, {kSyslog + "1.0"}, kSyslog + "1.0"};
    case Dialog::GlobalState:
        return {{kAgent + ".1.0"}, {}, kAgent + ".1.0"};
    case Dialog::EngineId:
        return {{}, {kAgent + ".7.0"}, kAgent + ".7.0"};
    case Dialog::Traps: {
        Fields fields;
        for (int trap = 1; trap <= 6; ++trap)
            fields.integers.push_back(kAgent + ".8." + std::to_string(trap) + ".0");
        fields.huge = fields.integers.front();
        return fields;
    }
    case Dialog::Community: // the user walk that fills the view policy combo
        return {{kAgent + ".2.1.1.2"}, {kAgent + ".2.1.1.1"}, kAgent + ".2.1.1.1"};
    }
    return {};
}

class GarbledReadDrill : public LoggedSwitchDrill<Case> {
protected:
    static void SetUpTestSuite()
    {
        startLoggedSwitch({});
        if (!s_agent)
            return;
        // The port dialog shows the first row of the spanning tree table.
        useAgent(s_agent->port());
        snmp::CCommonSnmp session;
        WalkCollector walk(session, dialogs::mib::stpPortTableRead().oids);
        walk.start();
        ASSERT_TRUE(walk.waitForEnd());
        const std::vector<WalkRow> rows = walk.rows();
        ASSERT_FALSE(rows.empty());
        const WalkRow& first = rows.front();
        s_portRow = new std::vector<std::string>(dialogs::mib::stpPortRowTexts({first.values, first.suffix}));
        // Syslog on toward a server, so that its Apply writes the server back.
        snmp::CCommonSnmp setter;
        std::unique_ptr<snmp::CSnmpResponse> response;
        ASSERT_TRUE(dialogs::prepare(setter, snmp::kPduSet, {{kSyslog + "1.0", 8, "10.1.1.9"}, {kSyslog + "6.0", 1, "1"}}));
        ASSERT_EQ(setter.send(response), snmp::kStatusOk);
    }
    static void TearDownTestSuite()
    {
        LoggedSwitchDrill::TearDownTestSuite();
        delete s_portRow;
    }

    void SetUp() override
    {
        LoggedSwitchDrill::SetUp();
        ASSERT_NE(s_portRow, nullptr);
    }

    void garbleReads()
    {
        relay.setFaults({.rewrite = [kind = GetParam().garble, fields = fieldsOf(GetParam().dialog)](
                                        const snmp::Pdu& request, snmp::Pdu& answer) {
            garble(kind, fields, request, answer);
        }});
    }

    static inline std::vector<std::string>* s_portRow = nullptr;
};

// Opens the dialog, its reads garbled; the System Information dialog first
// shows a clean read and is then refreshed, unless `garbledFirstRead`.
// Returns the dialog once its reads ended.
std::unique_ptr<dialogs::CDialogBase> openGarbled(const Case& c, const std::vector<std::string>& portRow,
                                                  const std::function<void()>& garbleReads)
{
    std::unique_ptr<dialogs::CDialogBase> opened;
    int ended = 0;
    QObject watcher; // the connection goes with it, before `ended` does
    const auto watch = [&] {
        ended = 0;
        QObject::connect(opened.get(), &dialogs::CDialogBase::walkEnded, &watcher, [&ended] { ++ended; });
    };
    const Dialog dialog = c.dialog;
    if (dialog == Dialog::SystemInformation && !c.garbledFirstRead) {
        auto information = std::make_unique<dialogs::mib::CSystemInformationDialog>();
        auto* shown = information.get();
        opened = std::move(information);
        watch();
        EXPECT_TRUE(waitUntil([&] { return ended > 0; }));
        garbleReads();
        ended = 0;
        shown->refresh();
    } else {
        garbleReads();
        if (dialog == Dialog::SystemInformation)
            opened = std::make_unique<dialogs::mib::CSystemInformationDialog>();
        else if (dialog == Dialog::StpConfiguration)
            opened = std::make_unique<dialogs::mib::CStpConfigurationDialog>(28);
        else if (dialog == Dialog::SyslogHost)
            opened = std::make_unique<dialogs::management::CSyslogHostDialog>();
        else if (dialog == Dialog::GlobalState)
            opened = std::make_unique<dialogs::management::CSnmpGlobalStateDialog>();
        else if (dialog == Dialog::EngineId)
            opened = std::make_unique<dialogs::management::CSnmpEngineIdDialog>();
        else if (dialog == Dialog::Traps)
            opened = std::make_unique<dialogs::management::CSnmpTrapDialog>("QMX-7720-ZA");
        else if (dialog == Dialog::Community)
            opened = std::make_unique<dialogs::management::CSnmpCommunityTableDialog>();
        else if (dialog == Dialog::PortConfiguration)
            opened = std::make_unique<dialogs::switching::CPortSetInfo>(dialogs::switching::PortLayout{28, 4, false});
        else
            opened = std::make_unique<dialogs::mib::CPortStpDialog>(std::vector<std::vector<std::string>>{portRow}, 0,
                                                                    28);
        watch();
    }
    // Port Configuration walks the aggregated links and the ports; the community dialog its table and the users.
    EXPECT_TRUE(waitUntil([&] { return ended >= (dialog == Dialog::PortConfiguration || dialog == Dialog::Community ? 2 : 1); }));
    EXPECT_TRUE(waitForReads(*opened));
    settle(20);
    return opened;
}

void applyOnce(Dialog dialog, dialogs::CDialogBase& opened)
{
    using namespace dialogs::management;
    static int communities = 0; // a new name each time
    if (dialog == Dialog::GlobalState)
        static_cast<CSnmpGlobalStateDialog&>(opened).apply();
    else if (dialog == Dialog::EngineId)
        static_cast<CSnmpEngineIdDialog&>(opened).apply();
    else if (dialog == Dialog::Traps)
        static_cast<CSnmpTrapDialog&>(opened).apply();
    else if (dialog == Dialog::Community) {
        opened.findChild<QLineEdit*>("communityName")->setText(QString::fromStdString("drill" + std::to_string(++communities)));
        static_cast<CSnmpCommunityTableDialog&>(opened).apply();
    } else if (dialog == Dialog::SystemInformation)
        static_cast<dialogs::mib::CSystemInformationDialog&>(opened).apply();
    else if (dialog == Dialog::StpConfiguration)
        static_cast<dialogs::mib::CStpConfigurationDialog&>(opened).apply();
    else if (dialog == Dialog::PortConfiguration) {
        auto& ports = static_cast<dialogs::switching::CPortSetInfo&>(opened);
        ports.selectRow(0);
        ports.apply();
    } else if (dialog == Dialog::SyslogHost)
        static_cast<dialogs::management::CSyslogHostDialog&>(opened).apply();
    else
        static_cast<dialogs::mib::CPortStpDialog&>(opened).apply();
    EXPECT_TRUE(waitForWrite(opened));
    settle(50);
}

TEST_P(GarbledReadDrill, LoadingSendsNoSetAndApplyNeverWritesWhatTheGarbledReadSaid)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    const std::size_t setsBefore = setValues().size();
    const auto dialog = openGarbled(c, *s_portRow, [this] { garbleReads(); });
    ASSERT_NE(dialog, nullptr);
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_EQ(setValues().size(), setsBefore) << "loading sent a set";
    EXPECT_EQ(relay.counts().setRequests, 0);

    applyOnce(c.dialog, *dialog);
    const std::vector<std::string> sets = setValues();
    expectNoGarbageWritten(sets, setsBefore, c.expected, prompter.shown().size());
    if (c.expected == Apply::WritesNoGarbage) {
        EXPECT_GT(sets.size(), setsBefore) << "Apply wrote nothing";
    }
    if (c.garble == Garble::WideTimer) { // shown whole, refused for its length
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Please enter no more than 4 characters."});
    }
    if (c.dialog == Dialog::SyslogHost && c.expected == Apply::Refused) {
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Syslog Server IP Error."});
    }
}

// sysName or sysLocation read as an INTEGER is not among these: the dialog
// shows its decimal text like any name.
INSTANTIATE_TEST_SUITE_P(
    Dialogs, GarbledReadDrill,
    ::testing::Values(Case{Dialog::SystemInformation, Garble::TextForInteger, Apply::WritesNoGarbage},
                      Case{Dialog::SystemInformation, Garble::HugeText, Apply::Refused},
                      Case{Dialog::SystemInformation, Garble::NoSuchName, Apply::WritesNoGarbage},
                      Case{Dialog::SystemInformation, Garble::ShortAnswer, Apply::WritesNoGarbage},
                      Case{Dialog::SystemInformation, Garble::NoSuchName, Apply::SendsNothing, true},
                      Case{Dialog::StpConfiguration, Garble::TextForInteger, Apply::Refused},
                      Case{Dialog::StpConfiguration, Garble::IntegerForText, Apply::WritesNoGarbage},
                      Case{Dialog::StpConfiguration, Garble::HugeText, Apply::Refused},
                      Case{Dialog::StpConfiguration, Garble::NoSuchName, Apply::Refused},
                      Case{Dialog::StpConfiguration, Garble::ShortAnswer, Apply::Refused},
                      Case{Dialog::StpConfiguration, Garble::WideTimer, Apply::Refused},
                      Case{Dialog::PortStp, Garble::TextForInteger, Apply::SendsNothing},
                      Case{Dialog::PortStp, Garble::HugeText, Apply::SendsNothing},
                      Case{Dialog::PortStp, Garble::NoSuchName, Apply::SendsNothing},
                      Case{Dialog::PortStp, Garble::ShortAnswer, Apply::SendsNothing},
                      // A garbled port row keeps Apply off; an answer that ends the walk leaves no row to pick.
                      Case{Dialog::PortConfiguration, Garble::TextForInteger, Apply::SendsNothing},
                      Case{Dialog::PortConfiguration, Garble::HugeText, Apply::SendsNothing},
                      Case{Dialog::PortConfiguration, Garble::NoSuchName, Apply::Refused},
                      Case{Dialog::PortConfiguration, Garble::ShortAnswer, Apply::Refused},
                      Case{Dialog::SyslogHost, Garble::TextForInteger, Apply::WritesNoGarbage},
                      Case{Dialog::SyslogHost, Garble::IntegerForText, Apply::Refused},
                      Case{Dialog::SyslogHost, Garble::HugeText, Apply::Refused},
                      Case{Dialog::SyslogHost, Garble::NoSuchName, Apply::SendsNothing},
                      Case{Dialog::SyslogHost, Garble::ShortAnswer, Apply::SendsNothing},
                      Case{Dialog::GlobalState, Garble::TextForInteger, Apply::SendsNothing},
                      Case{Dialog::GlobalState, Garble::HugeText, Apply::SendsNothing},
                      Case{Dialog::GlobalState, Garble::NoSuchName, Apply::SendsNothing},
                      Case{Dialog::EngineId, Garble::IntegerForText, Apply::Refused},
                      Case{Dialog::EngineId, Garble::HugeText, Apply::Refused},
                      Case{Dialog::EngineId, Garble::NoSuchName, Apply::Refused},
                      Case{Dialog::Traps, Garble::TextForInteger, Apply::SendsNothing},
                      Case{Dialog::Traps, Garble::NoSuchName, Apply::SendsNothing},
                      Case{Dialog::Traps, Garble::ShortAnswer, Apply::SendsNothing},
                      Case{Dialog::Community, Garble::TextForInteger, Apply::WritesNoGarbage},
                      Case{Dialog::Community, Garble::IntegerForText, Apply::WritesNoGarbage},
                      Case{Dialog::Community, Garble::HugeText, Apply::WritesNoGarbage},
                      Case{Dialog::Community, Garble::ShortAnswer, Apply::WritesNoGarbage}),
    caseName<Case>);

// A version-3 view without the private state and version scalars: the
// standard values show, the protocol reads as off.
TEST(HiddenStpScalarsDrill, StpConfigurationShowsTheStandardValues)
{
    sim::SnmpdOptions snmpd = sim::switchAgentSnmpdOptions({.scenario = false});
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
