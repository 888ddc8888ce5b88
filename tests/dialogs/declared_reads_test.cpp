// Every read a dialog declares, made silent and answered with an error: the
// controls that need it stay off and send nothing, and the user is told once.
// The rows come from the dialogs' own declarations. The path read: the
// question before a write that cuts the path from this computer to the switch.
#include "../snmp/session_parameters_for.h"
#include "../snmp/silent_agent.h"
#include "debug_lines.h"
#include "dialogs/background_close.h"
#include "dialogs/register_dialogs.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/switching/arp_spoofing_entry_dialog.h"
#include "dialogs/switching/dot1x_port_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_member_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "parameters_scope.h"
#include "simulated_switch_fixture.h"
#include "stub_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

using commands::ManagementPath;
using dialogs::CDialogBase;
using Check = std::function<void(CDialogBase&)>;
using namespace dialogs::switching;

namespace {

// A PoE model: every dialog has its tables.
constexpr const char* kModel = "QMX-7740-ZP";


const commands::CommandTable& commands()
{
    static const commands::CommandTable table = [] {
        commands::CommandTable t;
        dialogs::registerDialogCommands(t);
        return t;
    }();
    return table;
}

// The commands that open a dialog (Telnet, Web, Save and Reboot run directly).
std::vector<int> dialogCommands()
{
    std::vector<int> ids; // the enabled commands are the menu's (LaunchedPrograms)
    for (int id = 0; id <= commands::kCmdAbout; ++id)
        if (commands().isEnabled(id) && id != commands::kCmdTelnet && id != commands::kCmdWeb && id != commands::kCmdSaveConfiguration
            && id != commands::kCmdReboot)
            ids.push_back(id);
    return ids;
}

// Runs command `id` as the main window does, hands its dialog to `check` once
// it shows, then closes it; any other modal window is closed unseen.
// False when no dialog of the base showed.
bool withDialog(int id, const Check& check)
{
    QTimer poll;
    bool checked = false;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        auto* dialog = qobject_cast<CDialogBase*>(modal);
        if (dialog && !checked) {
            checked = true;
            check(*dialog);
        }
        if (modal)
            modal->reject();
    });
    poll.start(5);
    StubWindow window;
    commands().run(id, window);
    return checked;
}

class DeclaredReads : public SimulatedSwitchTest<> {
protected:
    DeclaredReads()
    {
        commands();
        platform::setPrompter(&prompter); // over the one the commands install
    }

    void startFaulty(const std::string& oidText, bool errorAnswer, const std::function<void()>& prepare = {},
                     const char* model = "QMX-7720-ZA")
    {
        sim::SwitchSettings settings = quietSwitch();
        snmp::Oid oid;
        EXPECT_TRUE(snmp::oidFromText(oidText, oid)) << oidText;
        if (errorAnswer)
            settings.faults.errorGets.push_back({oid, sim::kGenErr});
        else
            settings.faults.silentGets.push_back(oid);
        startSwitch(model, settings);
        if (prepare)
            prepare();
        snmp::SessionParameters parameters = snmp::sessionParameters();
        parameters.requestTimeout = "300";
        snmp::setSessionParameters(parameters);
        prompter.clear();
    }

    // Once the dialog's reads have ended: each control is off, a click on it
    // (any question answered OK) sends no set, and the failure was shown once.
    void expectHeld(CDialogBase& dialog, const std::vector<QPointer<QWidget>>& controls)
    {
        ASSERT_TRUE(waitForReads(dialog));
        QTimer closer; // a sub-dialog a wrongly enabled control opens
        QObject::connect(&closer, &QTimer::timeout, [&dialog] {
            if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget()); modal && modal != &dialog)
                modal->reject();
        });
        closer.start(5);
        m_transport->clearRequests();
        for (const QPointer<QWidget>& control : controls) {
            EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
            prompter.answer(true);
            if (auto* button = qobject_cast<QAbstractButton*>(control.data()))
                button->click();
            EXPECT_TRUE(waitForWrite(dialog));
        }
        EXPECT_EQ(takeSetTexts(""), Texts{});
        const Texts shown = prompter.texts();
        EXPECT_EQ(std::count(shown.begin(), shown.end(), dialogs::kSwitchUnread), 1) << testing::PrintToString(shown);
    }
};

// Opens a dialog, hands it to a check and closes it; false when none showed.
using Opener = std::function<bool(const Check&)>;

// Every command's dialog, and the dialogs opened from their buttons.
std::vector<Opener> openers()
{
    std::vector<Opener> all;
    for (const int id : dialogCommands())
        all.push_back([id](const Check& check) { return withDialog(id, check); });
    const std::vector<VlanEntry> vlans{{1, "default", "1,2,3", "1,2,3"}, {10, "office", "1,2", ""}};
    for (const auto& make : std::vector<std::function<CDialogBase*()>>{
             [=] { return new CPvidDialog(28, vlans); },
             [=] { return new CVlanEntryDialog(false, 28, vlans, 10, false); },
             [] { return new CTrunkMemberDialog("2", "Static", "1,2", 28); },
             [] { return new dialogs::management::CTimeBasedPoeConfigDialog({{1, "office-hours", "1"}}, 1); },
             [] { return new CArpSpoofingEntryDialog(28); },
             [] { return new dialogs::mib::CPortStpDialog({{"1", "Forwarding"}}, 0, 28); }})
        all.push_back([make](const Check& check) {
            std::unique_ptr<CDialogBase> dialog(make());
            check(*dialog);
            return true;
        });
    return all;
}

struct Row {
    Opener open;
    std::string dialog, read, oid;
    std::size_t index;
};

} // namespace

TEST_F(DeclaredReads, EachReadSilentOrAnsweredWithAnErrorHoldsItsControls)
{
    // The reads each dialog makes on opening, from a switch that answers all.
    std::vector<Row> rows;
    startSwitch(kModel);
    for (const Opener& open : openers())
        EXPECT_TRUE(open([&](CDialogBase& dialog) {
            EXPECT_TRUE(waitForReads(dialog)) << dialog.windowTitle().toStdString();
            const auto& reads = dialog.declaredReads();
            for (std::size_t i = 0; i < reads.size(); ++i)
                if (reads[i].name == "management path")
                    continue; // its own session, never failed: no request of the dialog's to silence
                else if (reads[i].state == dialogs::ReadState::Whole)
                    rows.push_back({open, dialog.windowTitle().toStdString(), reads[i].name, reads[i].oids.at(0), i});
                else
                    ADD_FAILURE() << dialog.windowTitle().toStdString() << ": " << reads[i].name << " not read on opening";
        }));
    ASSERT_FALSE(rows.empty());

    for (const Row& row : rows)
        for (const bool errorAnswer : {false, true}) {
            SCOPED_TRACE(row.dialog + ": " + row.read + (errorAnswer ? " answered genErr" : " silent"));
            startFaulty(row.oid, errorAnswer, {}, kModel);
            row.open([&](CDialogBase& dialog) {
                const dialogs::DeclaredRead& read = dialog.declaredReads().at(row.index);
                ASSERT_TRUE(waitForReads(dialog));
                ASSERT_EQ(read.state, dialogs::ReadState::Failed);
                expectHeld(dialog, read.controls);
            });
        }
}

// A read cut short in the middle: VLAN Add after a VLAN walk that stops after
// VLAN 10, and Delete of VLAN 30 (PVID of port 10, asymmetric on) after a
// PVID walk that stops after port 5.
TEST_F(DeclaredReads, VlanActionsAfterAWalkCutShort)
{
    const std::string vlan = "1.3.6.1.4.1.32473.10.75.7.7.6.1.", pvid = "1.3.6.1.4.1.32473.10.75.7.7.7.1.1";
    const struct {
        std::string silenced;
        const char* button;
        Texts listed;
    } cases[] = {{vlan + "1.10", "add", {"1", "10"}}, {pvid + ".5", "delete", {"1", "10", "20", "30"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        snmp::Oid port10, asymmetric;
        snmp::oidFromText(pvid + ".10", port10);
        snmp::oidFromText("1.3.6.1.4.1.32473.10.75.7.7.5.0", asymmetric);
        startFaulty(c.silenced, false, [&] {
            setOnSwitch(asymmetric, sim::integerValue(1));
            setOnSwitch(port10, sim::gaugeValue(30));
        });
        CVlanConfigurationDialog dialog(28, true);
        ASSERT_TRUE(waitForReads(dialog));
        EXPECT_EQ(column(*dialog.list(), 0), c.listed);
        if (!dialog.list()->findItems("30", Qt::MatchExactly).isEmpty())
            dialog.list()->setCurrentItem(dialog.list()->findItems("30", Qt::MatchExactly).front());
        expectHeld(dialog, {dialog.findChild<QWidget*>(c.button)});
    }
}

// Against a switch that never answers: Refresh on a busy session returns while
// the read is out and every read's end still arrives; closing returns at once
// and the sessions close behind it, in order.
TEST(DeclaredReadsSilentSwitch, RefreshOnABusySessionAndClosingDoNotWait)
{
    ScriptedPrompter prompter;
    SilentAgent agent;
    ParametersScope scope(sessionParametersFor(agent.port(), kVersion1, 1000));
    {
        CVlanConfigurationDialog dialog(28, true);
        int ends = 0;
        QObject::connect(&dialog, &CDialogBase::walkEnded, [&ends] { ++ends; });
        dialog.refresh();
        QCoreApplication::processEvents();
        EXPECT_EQ(std::pair(ends, dialog.reading()), std::pair(0, true)) << "Refresh waited for the read out";
        EXPECT_TRUE(waitForReads(dialog, 8000)) << "a read's end was dropped";
        EXPECT_EQ(prompter.texts(), Texts{dialogs::kSwitchUnread});
    }
    dialogs::waitForBackgroundCloses();
    DebugLines debug;
    {
        CVlanConfigurationDialog dialog(28, true);
        QCoreApplication::processEvents(); // the path read's end starts the reads
        dialog.reject();
        EXPECT_EQ(debug.banners(), Texts{"==================DestroyWindow==============="}) << "closing waited";
    }
    dialogs::waitForBackgroundCloses();
    Texts expected{"==================DestroyWindow==============="};
    for (const char* member : {"m_cCommonSNMP", "m_cCommonSNMPTable", "m_cCommonSNMPVoiceVlan", "m_cCommonSNMPTableVlan",
                               "m_cCommonSNMPTableVlanDelete"})
        expected.push_back(std::string("==================") + member + ".Close===============");
    EXPECT_EQ(debug.banners(), expected);
}

namespace {

// Ends later on the asking thread, as the real read does.
struct FixedPath final : commands::ManagementPathSource {
    explicit FixedPath(ManagementPath read) : path(std::move(read)) {}
    void read(std::function<void(const ManagementPath&)> done) override { QTimer::singleShot(0, [done, p = path] { done(p); }); }
    ManagementPath last() const override { return path; }
    ManagementPath path;
};

ManagementPath through(int port, int vlan = 1) { return {true, port, vlan, 1, vlan == 1, {}, {}}; }
template <typename D, typename... Args>
std::function<CDialogBase*()> opens(Args... args) { return [=] { return new D(args...); }; }

// The change: the list row whose first column is `item` made current, the fields filled, `button` clicked.
struct Cut {
    std::function<CDialogBase*()> open; const char* item; Fields fields; const char* button;
    ManagementPath cut, other; std::string what;
};

std::vector<Cut> cuts()
{
    const std::string all = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28";
    const std::vector<VlanEntry> vlans{{1, "default", all, all, 28, 28}, {10, "office", "1,2,3,4,5,6,7,8,26", "", 9, 0}};
    const auto entry = opens<CVlanEntryDialog>(false, 28, vlans, 1, false);
    return {
        {opens<CPortSetInfo>(PortLayout{28, 4, false}), "5", {{"speed", "Disable"}, {"flowControl", "Disable"}}, "apply",
         through(5), through(6), "This disables port 5."},
        {entry, nullptr, {{"Not Member_5", "on"}}, "ok", through(5), through(6), "This removes port 5 from VLAN 1."},
        {entry, nullptr, {{"Tag_5", "on"}}, "ok", through(5), through(6), "This makes port 5 tagged in VLAN 1."},
        {opens<CPvidDialog>(28, vlans), nullptr, {{"pvid_5", "10"}}, "apply", through(5), through(6),
         "This changes the PVID of port 5 from 1 to 10."},
        {opens<CVlanConfigurationDialog>(28, true), "30", {}, "delete", through(5, 30), through(5), "This deletes VLAN 30."},
        // Ports 4 to 6 in one request.
        {opens<CDot1xPortDialog>(28, Dot1xTimerTexts{}), nullptr, {{"fromPort", "4"}, {"toPort", "6"}, {"control", "auto"}},
         "apply", through(5), through(7), "This sets the 802.1X port control of port 5 to auto."},
        {opens<CTrunkMemberDialog>("1", "Static", "21,22", 28), nullptr, {{"Member_23", "on"}}, "ok", through(23),
         through(24), "This puts port 23 into trunk 1."},
        {opens<CTrunkConfigurationDialog>(28), "1", {{"mode", "Disable"}}, "applyMode", through(21), through(23),
         "This takes port 21 out of trunk 1."},
        {opens<CTrunkConfigurationDialog>(28), nullptr, {{"enable", "off"}}, "applyState", through(22), through(23),
         "This takes port 22 out of trunk 1."},
    };
}

} // namespace

TEST_F(DeclaredReads, PathCutIsAskedOnTheChangedPortOnlyAndOkSendsWhatTheDialogSends)
{
    // The sets a row sends to a fresh switch with `path` read (none: unknown).
    const auto sets = [this](const Cut& row, std::optional<ManagementPath> path) {
        startSwitch("QMX-7720-ZA");
        commands::setManagementPathSource(path ? std::make_shared<FixedPath>(*path) : nullptr);
        prompter.clear();
        const std::unique_ptr<CDialogBase> dialog(row.open());
        EXPECT_TRUE(waitForReads(*dialog));
        return setsBy(*dialog, "1.3.6.1.4.1.32473.10.75.7.", [&] {
            if (auto* list = dialog->findChild<QTreeWidget*>(); row.item)
                list->setCurrentItem(list->findItems(row.item, Qt::MatchExactly).value(0));
            fill(*dialog, row.fields);
            dialog->findChild<QPushButton*>(row.button)->click();
        });
    };
    for (const Cut& row : cuts()) {
        SCOPED_TRACE(row.what);
        const Texts plain = sets(row, std::nullopt);
        EXPECT_EQ(sets(row, row.other), plain);
        EXPECT_EQ(prompter.texts(), Texts{}) << "asked for a path it leaves alone";
        EXPECT_EQ(sets(row, row.cut), Texts{}) << "Cancel sent";
        EXPECT_EQ(prompter.texts(), Texts{row.what + "\n\nThis change cuts the path from this computer to the switch (port " +
                    std::to_string(row.cut.port) + ", VLAN " + std::to_string(row.cut.vlan) + "). Apply it anyway?"});
        prompter.answer(true);
        EXPECT_EQ(sets(row, row.cut), plain);
    }
    commands::setManagementPathSource(nullptr);
}
