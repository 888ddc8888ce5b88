#include "commands/command_table.h"
#include "dialogs/device_tools.h"
#include "debug_lines.h"
#include "dialogs/background_close.h"
#include "dialogs/mib/forwarding_table_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/mib/spanning_tree_table_dialog.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "simulated_switch_fixture.h"
#include "../snmp/session_parameters_for.h"
#include "../snmp/silent_agent.h"
#include "snmp/snmp_layer.h"
#include "stub_window.h"

#include <QGroupBox>
#include <QValidator>

#include <set>

using namespace dialogs::mib;

namespace {

// Dialog sessions talk to a simulated QMX-7720-ZA in-process; every request is recorded.
class DialogsAgainstSimulator : public SimulatedSwitchTest<> {
protected:
    void SetUp() override { startSwitch(-1); }

    void startSwitch(int fdbEntries)
    {
        SimulatedSwitchTest::startSwitch("QMX-7720-ZA", {.rebootTime = std::chrono::milliseconds(200), .fdbEntries = fdbEntries, .scenario = false});
    }
};

} // namespace

TEST_F(DialogsAgainstSimulator, ForwardingTableListsEveryVlanAndFiltersByExactPort)
{
    CForwardingTableDialog dialog;
    dialog.show();
    waitForWalk(dialog);
    const QTreeWidget& list = *dialog.list();
    // "Filter" titles the destination port's group, not the list's.
    EXPECT_EQ(qobject_cast<QGroupBox*>(list.parentWidget())->title().toStdString(), "");
    EXPECT_EQ(qobject_cast<QGroupBox*>(child<QLineEdit>(dialog, "portFilter")->parentWidget())->title().toStdString(), "Filter");
    // 50 learnt entries spread over the model's VLANs, plus the switch's own address.
    ASSERT_EQ(list.topLevelItemCount(), 51);
    EXPECT_EQ(shown(dialog, {"entries", "agingTime"}), (Texts{"51", "300"}));
    const std::vector<std::string> macs = column(list, 0);
    EXPECT_EQ(std::set<std::string>(macs.begin(), macs.end()).size(), 51u) << "a MAC text repeats";
    EXPECT_NE(std::find(macs.begin(), macs.end(), "02-51-4D-00-00-01"), macs.end());
    const std::vector<std::string> statuses = column(list, 1);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Own"), 1);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Learn"), 50);

    // Only the exact port text passes: "0" + port is another text.
    const std::vector<std::string> ports = column(list, 2);
    const std::string port = ports.front() == "0" ? ports.back() : ports.front();
    const auto onPort = std::count(ports.begin(), ports.end(), port);
    for (const std::string& filter : {port, "0" + port}) {
        child<QLineEdit>(dialog, "portFilter")->setText(QString::fromStdString(filter));
        child<QPushButton>(dialog, "refresh")->click();
        waitForWalk(dialog);
        EXPECT_EQ(column(list, 2), std::vector<std::string>(filter == port ? onPort : 0, port)) << filter;
    }
    EXPECT_EQ(child<QLabel>(dialog, "entries")->text(), " 0");
}

TEST_F(DialogsAgainstSimulator, ForwardingTableClosedMidWalkClosesBothSessionsInOrder)
{
    startSwitch(3000);
    const std::vector<std::string> closeLines = closeBanners({"m_cCommonSNMP", "m_cCommonSNMPGetTime"});
    int closedMidWalk = 0;
    for (int round = 0; round < 25; ++round) {
        DebugLines lines;
        auto dialog = std::make_unique<CForwardingTableDialog>();
        dialog->show();
        const QTreeWidget* list = dialog->list();
        ASSERT_TRUE(waitUntil([&] { return list->topLevelItemCount() > 0; }));
        dialog->reject();
        const int rowsAtClose = list->topLevelItemCount();
        settle(10);
        EXPECT_EQ(list->topLevelItemCount(), rowsAtClose);
        closedMidWalk += rowsAtClose < 3001;
        dialog.reset();
        dialogs::waitForBackgroundCloses();
        EXPECT_EQ(lines.banners(), closeLines);
    }
    EXPECT_GT(closedMidWalk, 0) << "every walk had ended before its dialog closed";
}

// Switched off, the next opening shows editing locked until checked again.
TEST_F(DialogsAgainstSimulator, StpApplySendsTheSixBindingsInOrderAndOffLocksEditing)
{
    {
        QLocale::setDefault(QLocale(QLocale::German)); // whose integer validator takes "1.000" for 1000
        CStpConfigurationDialog dialog(28);
        QLocale::setDefault(QLocale::system());
        waitForWalk(dialog);
        for (const QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
            QString grouped = QStringLiteral("1.000");
            int at = 0;
            EXPECT_EQ(edit->validator()->validate(grouped, at), QValidator::Invalid);
        }
        fill(dialog, {{"priority", "1.000"}}); // refused, not sent as 1
        dialog.apply();
        EXPECT_EQ(prompter.texts(), Texts{kStpPriorityNotNumber});
        prompter.clear();
        EXPECT_EQ(shown(dialog, {"maxAge", "helloTime", "forwardDelay", "enable", "version"}),
                  (Texts{"2000", "200", "1500", "on", "RSTP"}));
        EXPECT_TRUE(child<QPushButton>(dialog, "portSetting")->isEnabled());
        fill(dialog, {{"maxAge", "2400"}, {"priority", "4096"}, {"version", "STP Compatible"}});
        EXPECT_EQ(setsBy(dialog, "1.3.6.1.", [&] { dialog.apply(); }),
                  Texts{"2.1.17.2.12.0=2400 2.1.17.2.13.0=200 2.1.17.2.14.0=1500 2.1.17.2.2.0=4096 4.1.32473.10.75.7.6.1.2.0=0 "
                        "4.1.32473.10.75.7.6.1.1.0=1"});
        EXPECT_TRUE(prompter.shown().empty());
        toggleAsScreenReader(child<QCheckBox>(dialog, "enable")); // unchecked: the editing controls go
        EXPECT_FALSE(child<QLineEdit>(dialog, "maxAge")->isEnabled());
        dialog.apply();
    }
    CStpConfigurationDialog dialog(28);
    waitForWalk(dialog);
    const Texts editors{"maxAge", "helloTime", "forwardDelay", "priority", "version", "portSetting"};
    EXPECT_EQ(shown(dialog, {"enable"}), Texts{"off"});
    EXPECT_EQ(enabledOf(dialog, editors), Texts{});
    fill(dialog, {{"enable", "on"}});
    EXPECT_EQ(enabledOf(dialog, editors), Texts(editors.begin(), editors.end() - 1));
}

TEST_F(DialogsAgainstSimulator, PortStpKeepsTrunkMembersAlikeAndNavigates)
{
    CSpanningTreeTableDialog table(28);
    table.show();
    waitForWalk(table);
    const QTreeWidget& list = *table.list();
    ASSERT_EQ(list.topLevelItemCount(), 28);
    std::vector<Texts> rows;
    for (int i = 0; i < 28; ++i)
        rows.push_back(row(list, i));
    EXPECT_EQ(rows[0][3], "Y");

    // Port 21 belongs to aggregated link 1 of the model.
    CPortStpDialog port(rows, 20, 28);
    waitForWalk(port);
    EXPECT_EQ(shown(port, {"port", "priority", "pathCost"}), (Texts{"21", "128", "20000"}));
    for (const char* priority : {"1.000", "144"}) {
        child<QComboBox>(port, "priority")->setEditText(priority);
        EXPECT_FALSE(port.apply());
    }
    EXPECT_EQ(prompter.texts(), (Texts{kStpPriorityNotNumber, "Cannot add ports with different STP configurations to an aggregated link."}));
    EXPECT_EQ(takeSetTexts(""), Texts{});

    // Port 20 is in no link: the change goes out as three INTEGER bindings.
    child<QPushButton>(port, "previous")->click();
    EXPECT_EQ(child<QLabel>(port, "port")->text(), "20");
    EXPECT_FALSE(port.apply()) << "written before the port was read";
    ASSERT_TRUE(waitForReads(port));
    fill(port, {{"priority", "144"}, {"pathCost", "0"}});
    EXPECT_EQ(setsBy(port, "1.3.6.1.", [&] { EXPECT_TRUE(port.apply()); }),
              Texts{"2.1.17.2.15.1.2.20=144 4.1.32473.10.75.7.6.2.1.5.20=0 2.1.17.2.15.1.4.20=1"});

    // Navigation stops at both ends.
    // Navigation waits for the shown port's get, so no earlier end stands for the next port's.
    CPortStpDialog last(rows, 27, 28), first(rows, -1, 28);
    EXPECT_EQ(enabledOf(last, {"previous", "next"}), Texts{});
    ASSERT_TRUE(waitForReads(last) && waitForReads(first));
    EXPECT_EQ(enabledOf(last, {"previous", "next"}), Texts{"previous"});
    EXPECT_EQ(first.currentRow(), 0);
    EXPECT_EQ(enabledOf(first, {"previous", "next"}), Texts{"next"});
}

TEST_F(DialogsAgainstSimulator, SaveAndRebootAskFirstAndSendOneSetEach)
{
    const std::string kSystem = "1.3.6.1.4.1.32473.10.75.7.1.";
    StubWindow window;
    dialogs::runSaveConfiguration(window); // Cancel: nothing sent
    dialogs::runReboot(window);
    EXPECT_TRUE(window.log.empty());
    EXPECT_EQ(takeSetTexts(""), Texts{});

    prompter.answer(true);
    dialogs::runSaveConfiguration(window);
    ASSERT_TRUE(waitUntil([&] { return prompter.texts().size() == 4; }));
    EXPECT_EQ(takeSetTexts(kSystem), Texts{"10.0=1"});
    const std::string save = "Do you want to save the configuration?", reboot = "Do you want to reboot the device?";
    EXPECT_EQ(prompter.texts(), (Texts{save, reboot, save, "success"}));

    // A reboot reports nothing and runs while the window is hidden.
    prompter.clear();
    prompter.answer(true);
    dialogs::runReboot(window);
    ASSERT_TRUE(waitUntil([&] { return window.log.size() == 2; }));
    EXPECT_EQ(window.log, (Texts{"begin", "end"}));
    EXPECT_EQ(prompter.texts(), Texts{reboot});
    EXPECT_EQ(takeSetTexts(kSystem), Texts{"9.0=1"});

    // Against a switch that answers nothing (a UDP port nobody reads) saving
    // fails and the reboot ends after their time-outs, the UI thread free meanwhile.
    ASSERT_TRUE(snmp::snmpLayerInit());
    const SilentAgent silent;
    dialogs::CDialogSession::setTransport(nullptr);
    snmp::setSessionParameters(sessionParametersFor(silent.port(), kVersion1, 1500));
    for (const bool saving : {true, false}) {
        prompter.answer(true);
        QElapsedTimer sent;
        sent.start();
        saving ? dialogs::runSaveConfiguration(window) : dialogs::runReboot(window);
        EXPECT_LT(sent.elapsed(), 500);
        ASSERT_TRUE(waitUntil([&] { return saving ? prompter.texts().back() == "failed" : window.log.size() == 4; }));
    }
}

TEST_F(DialogsAgainstSimulator, ATableViewKeepsTheRowsOfAFailedWalkAndSaysTheListIsIncomplete)
{
    // An error answer after port 9, silence after port 9, and a whole read.
    const std::tuple<const char*, const char*, int, std::string> cases[] = {{"--error-get", "1.3.6.1.2.1.2.2.1.8.10", 9, kIncompleteList},
        {"--silent-get", "1.3.6.1.2.1.2.2.1.1.9", 9, kIncompleteList}, {"--error-get", "1.3.6.1.2.1.1.5.0", 29, ""}};
    for (const auto& [option, oid, rows, note] : cases) {
        sim::SwitchSettings settings = quietSwitch();
        ASSERT_TRUE(sim::addFault(option, oid, settings.faults));
        SimulatedSwitchTest::startSwitch("QMX-7720-ZA", settings);
        const auto dialog = newInterfaceTableDialog();
        dialog->show();
        waitForWalk(*dialog);
        EXPECT_EQ(std::pair(dialog->list()->topLevelItemCount(), child<QLabel>(*dialog, "listNote")->text().toStdString()), std::pair(rows, note)) << oid;
    }
}
