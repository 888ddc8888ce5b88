#include "commands/command_table.h"
#include "dialogs/device_tools.h"
#include "dialogs/about_dialog.h"
#include "dialogs/register_dialogs.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
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
    void SetUp() override { setenv("PATH", m_dir.path().toLocal8Bit().constData(), 1); }
    void TearDown() override { setenv("PATH", m_savedPath.c_str(), 1); }

    void install(const QString& program)
    {
        QFile script(m_dir.filePath(program));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$0.tmp\"\n/bin/mv \"$0.tmp\" \"$0.args\"\n");
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    // The arguments of the program's last run, taken away; "" when it did not run within `waitMs`.
    std::string taken(const QString& program, int waitMs = 10000) const
    {
        QFile file(m_dir.filePath(program + ".args"));
        waitUntil([&] { return file.exists(); }, waitMs);
        const std::string arguments = file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "";
        file.remove();
        return arguments;
    }

    QTemporaryDir m_dir;
    std::string m_savedPath = std::getenv("PATH") ? std::getenv("PATH") : "";
    ScriptedPrompter m_prompter;
};

} // namespace

// Each asks first; Cancel starts nothing; the address is one argument, never
// a shell line. A console socket click starts Telnet without asking, and
// nothing without an address. Every menu command, and nothing else (the
// surveillance OUI command has no menu item), has its dialog or action.
TEST_F(LaunchedPrograms, TelnetWebAndSocketClickPassTheAddressAsOneArgumentAndEveryMenuCommandRuns)
{
    install("x-terminal-emulator");
    dialogs::runTelnet("192.0.2.1");
    EXPECT_EQ(taken("x-terminal-emulator", 200), "") << "Cancel must start nothing";
    m_prompter.answer(true);
    dialogs::runTelnet("192.0.2.1; touch hacked");
    EXPECT_EQ(taken("x-terminal-emulator"), "-e\ntelnet\n192.0.2.1; touch hacked\n");

    const std::string web = "Do you want to access this device with browser?";
    m_prompter.answer(true);
    dialogs::runWeb("192.0.2.1");
    install("xdg-open");
    m_prompter.answer(true);
    dialogs::runWeb("192.0.2.1");
    EXPECT_EQ(taken("xdg-open"), "http://192.0.2.1\n");
    EXPECT_EQ(m_prompter.texts(), (std::vector<std::string>{"Do you want to TELNET this device?", "Do you want to TELNET this device?",
                                                            web, "Failed to get IE path !", web}));

    commands::CommandTable table;
    dialogs::registerDialogCommands(table);
    platform::setPrompter(&m_prompter);
    m_prompter.clear();
    StubWindow window;
    snmp::SessionParameters parameters;
    for (const char* address : {"", "192.0.2.7"}) {
        parameters.agentAddress = address;
        snmp::setSessionParameters(parameters);
        EXPECT_TRUE(table.runSocketAction(window));
        EXPECT_EQ(taken("x-terminal-emulator", *address ? 10000 : 200), *address ? "-e\ntelnet\n192.0.2.7\n" : "") << address;
    }
    EXPECT_TRUE(m_prompter.shown().empty() && window.log.empty()) << "it asked, or the window changed";

    const std::vector<commands::MenuItem> menu = commands::mainMenu();
    for (int id = 0; id <= commands::kCmdAbout; ++id)
        EXPECT_EQ(table.isEnabled(id), commands::findCommand(menu, id) != nullptr) << id;
}

TEST(AboutBox, TitledByTheDevice)
{
    dialogs::CAboutDialog about("QMX-7740-ZP");
    EXPECT_EQ(std::tuple(about.windowTitle(), about.findChild<QLabel*>("caption")->text(), about.isModal()),
              std::tuple(QString("QMX-7740-ZP Module"), QString("QMX-7740-ZP Management Module"), true));
}
