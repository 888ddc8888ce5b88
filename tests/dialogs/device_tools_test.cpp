#include "app/command_table.h"
#include "app/device_tools.h"
#include "dialogs/about_dialog.h"
#include "dialogs/register_dialogs.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "stub_window.h"

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

// Programs on a private PATH that write their arguments, one a line, to a file.
class LaunchedPrograms : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        setenv("PATH", m_dir.path().toLocal8Bit().constData(), 1);
    }
    void TearDown() override { setenv("PATH", m_savedPath.c_str(), 1); }

    void install(const QString& program)
    {
        QFile script(m_dir.filePath(program));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QString("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '%1.tmp'\n/bin/mv '%1.tmp' '%1'\n")
                         .arg(argumentsFile(program))
                         .toLocal8Bit());
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString argumentsFile(const QString& program) const { return m_dir.filePath(program + ".args"); }

    // The arguments the program received, once it ran.
    std::string argumentsOf(const QString& program) const
    {
        QFile file(argumentsFile(program));
        if (!waitUntil([&] { return file.exists(); }))
            return "(did not run)";
        file.open(QIODevice::ReadOnly);
        return file.readAll().toStdString();
    }
    bool ran(const QString& program) const
    {
        settle(200);
        return QFile::exists(argumentsFile(program));
    }

    QTemporaryDir m_dir;
    std::string m_savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ScriptedPrompter m_prompter;
};

} // namespace

// Each asks first; Cancel starts nothing; the address is one argument, never a shell line.
TEST_F(LaunchedPrograms, TelnetAndWebStartWithTheAddressAsOneArgumentOrSayThereIsNoBrowser)
{
    install("x-terminal-emulator");
    app::runTelnet("192.0.2.1");
    EXPECT_FALSE(ran("x-terminal-emulator")) << "Cancel must start nothing";
    m_prompter.answer(true);
    app::runTelnet("192.0.2.1; touch hacked");
    EXPECT_EQ(argumentsOf("x-terminal-emulator"), "-e\ntelnet\n192.0.2.1; touch hacked\n");
    EXPECT_FALSE(QFile::exists(m_dir.filePath("hacked")));

    const std::string web = "Do you want to access this device with browser?";
    m_prompter.answer(true);
    app::runWeb("192.0.2.1");
    install("xdg-open");
    m_prompter.answer(true);
    app::runWeb("192.0.2.1");
    EXPECT_EQ(argumentsOf("xdg-open"), "http://192.0.2.1\n");
    EXPECT_EQ(m_prompter.texts(), (std::vector<std::string>{"Do you want to TELNET this device?", "Do you want to TELNET this device?",
                                                            web, "Failed to get IE path !", web}));
}

TEST_F(LaunchedPrograms, ConsoleSocketClickStartsTelnetWithoutAskingUnlessTheAddressIsEmpty)
{
    install("x-terminal-emulator");
    app::CommandTable table;
    dialogs::registerDialogCommands(table);
    platform::setPrompter(&m_prompter);
    snmp::CCommonSnmp session;
    StubWindow window(&session);
    snmp::SessionParameters parameters;
    snmp::setSessionParameters(parameters); // no address: nothing starts
    EXPECT_TRUE(table.runSocketAction(window));
    EXPECT_FALSE(ran("x-terminal-emulator"));
    parameters.agentAddress = "192.0.2.7";
    snmp::setSessionParameters(parameters);
    EXPECT_TRUE(table.runSocketAction(window));
    EXPECT_EQ(argumentsOf("x-terminal-emulator"), "-e\ntelnet\n192.0.2.7\n");
    EXPECT_TRUE(m_prompter.shown().empty());
    EXPECT_TRUE(window.log.empty()) << "the window stays as it is";
    snmp::setSessionParameters(snmp::SessionParameters{});
}

TEST(AboutBox, TitledByTheDevice)
{
    dialogs::CAboutDialog about("QMX-7740-ZP");
    EXPECT_EQ(about.windowTitle(), "QMX-7740-ZP Module");
    EXPECT_EQ(about.findChild<QLabel*>("caption")->text(), "QMX-7740-ZP Management Module");
    EXPECT_TRUE(about.isModal());
}

TEST(DialogCommands, EveryCommandWithADialogIsEnabledAndNoOther)
{
    app::CommandTable table;
    dialogs::registerDialogCommands(table);
    platform::setPrompter(nullptr);
    using namespace app;
    for (int id : {kCmdPortConfiguration, kCmdSnmpGlobalState, kCmdSnmpUserTable, kCmdSnmpGroupTable, kCmdSnmpViewTable,
                   kCmdSnmpCommunityTable, kCmdSnmpHostTable, kCmdSnmpEngineId, kCmdSnmpTrapConfiguration,
                   kCmdSyslogHost, kCmdVlanConfiguration, kCmdSurveillanceVlan, kCmdTrunkConfiguration,
                   kCmdMulticastFilteringMode, kCmd8021x, kCmdArpSpoofingPrevention, kCmdDhcpServerScreening,
                   kCmdFirmwareUpgradeBackup, kCmdSaveConfiguration, kCmdReboot, kCmdPoePortConfig, kCmdTimeBasedPoe,
                   kCmdLldpGlobalSetting, kCmdLldpRemotePortInformation, kCmdLldpMedSetting, kCmdSystemInformation,
                   kCmdInterfaceTable, kCmdIpTable, kCmdForwardingTable, kCmdTcpService, kCmdUdpService,
                   kCmdSpanningTree, kCmdTelnet, kCmdWeb, kCmdAbout})
        EXPECT_TRUE(table.isEnabled(id)) << id;
    // The surveillance OUI command has no menu item and no use of its own.
    EXPECT_FALSE(table.isEnabled(kCmdSurveillanceOui));
}
