#include "app/change_journal_start.h"
#include "app/module_app.h"
#include "platform/program_folder.h"
#include "platform/temp_dir.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "snmp/agent_address.h"
#include "snmp/session_parameters.h"
#include "snmp/set_journal.h"

#include <gtest/gtest.h>

#include <QSettings>

#include <filesystem>

#include <unistd.h>

using app::CModuleApp;

namespace {

// A model name of this test process alone, so parallel runs never meet.
const std::string kDeviceName = "QMX-7720-ZA-" + std::to_string(getpid());

class ModuleAppTest : public testing::Test {
protected:
    // The user's settings (the Connect window's choices) live here, empty at first.
    // So is the change journal.
    ModuleAppTest()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QString::fromStdString(m_dir.path().string()));
        setenv("XDG_DATA_HOME", m_dir.path().c_str(), 1);
    }
    ~ModuleAppTest() override { unsetenv("XDG_DATA_HOME"); }
    bool journalled() const { return std::filesystem::exists(m_dir.path() / "qmx-module" / "changes.sqlite"); }

    // Runs the application object on `lines` with `ini`; its window counts its runs and gives 7.
    int run(QStringList lines, const std::string& ini, std::function<void(CModuleApp&)> inWindow = {})
    {
        lines.prepend(QStringLiteral("qmx-module"));
        CModuleApp module(lines);
        module.setUserIniPath(ini);
        return module.run([&] {
            ++m_windowRuns;
            if (inWindow)
                inWindow(module);
            return 7;
        });
    }

    TempDir m_dir;
    std::string m_iniPath = m_dir.write("User.ini", "[DeviceInfo]\nDeviceName=" + kDeviceName + "\nXMLName=panel.xml\n");
    ScriptedPrompter m_prompter;
    int m_windowRuns = 0;
};

} // namespace

TEST_F(ModuleAppTest, EmptyCommandLineIsRefusedBeforeAnythingElseAStartRunsTheWindowAndReadsInBulkOnlyWhenAsked)
{
    CModuleApp module(QStringList{QStringLiteral("qmx-module")});
    EXPECT_EQ(module.run([&] { return ++m_windowRuns; }), CModuleApp::kExitRefused);
    EXPECT_EQ(m_prompter.texts().front(), "No parameter input !"); // StartUp checks the line after it
    EXPECT_TRUE(m_windowRuns == 0 && module.instanceGuard() == nullptr);
    m_prompter.clear();

    // A start runs the window with the parsed parameters and holds the name.
    bool heldWhileRunning = false;
    const int result = run({QStringLiteral("/A0/I192.0.2.10/Rpub"), QStringLiteral("--no-change-log"), QStringLiteral("lic/Wpriv/Vfalse/S3/P1161")}, m_iniPath,
                           [&](CModuleApp& m) { heldWhileRunning = m.instanceGuard() && m.instanceGuard()->holds(); });
    EXPECT_EQ(std::tuple(result, m_windowRuns, heldWhileRunning, m_prompter.shown().size()), std::tuple(7, 1, true, 0u));
    // The user never asked for bulk reads, which version 3 could make.
    const auto& p = snmp::sessionParameters();
    EXPECT_EQ(std::tie(p.agentAddress, p.readCommunity, p.writeCommunity, p.agentPort, p.vlanEdit, p.bulkReads),
              std::tuple("192.0.2.10", "public", "priv", "1161", false, false));

    QSettings(QSettings::NativeFormat, QSettings::UserScope, "qmx-module", "qmx-module").setValue("readTablesInBulk", true);
    EXPECT_FALSE(journalled()) << "--no-change-log, not part of the line";
    // The Change Log window's switch takes effect in the running module.
    std::vector<bool> recording;
    EXPECT_EQ(run({QStringLiteral("/A0/I192.0.2.40/R/W/V/S3")}, m_iniPath, [&](CModuleApp&) {
                  QSettings settings(QSettings::NativeFormat, QSettings::UserScope, "qmx-module", "qmx-module");
                  for (bool on : {false, true}) {
                      recording.push_back(snmp::setObserver() != nullptr);
                      settings.setValue("changeJournal/enabled", on);
                      app::ChangeJournalStart::settingsChanged();
                  }
                  recording.push_back(snmp::setObserver() != nullptr);
              }),
              7);
    EXPECT_EQ(recording, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(snmp::sessionParameters().bulkReads && journalled());
}

TEST_F(ModuleAppTest, OneWindowPerModelAndAddress)
{
    app::InstanceGuard running(app::instanceName(kDeviceName, "192.0.2.30", 161));
    ASSERT_TRUE(running.acquire());
    int wakes = 0;
    QObject::connect(&running, &app::InstanceGuard::wakeRequested, [&] { ++wakes; });

    // The same switch again: the first is woken, silently, and no window opens.
    EXPECT_EQ(run({QStringLiteral("/A0/I192.0.2.30")}, m_iniPath), CModuleApp::kExitOtherInstance);
    EXPECT_TRUE(m_windowRuns == 0 && m_prompter.shown().empty());
    EXPECT_TRUE(waitUntil([&] { return wakes == 1; }, 5000));
    // So does a start from the Connect window for that model and address, before keeping anything, and says so.
    CModuleApp connected(QStringList{QStringLiteral("qmx-module"), QStringLiteral("--connect")});
    snmp::SessionParameters found;
    found.agentAddress = "192.0.2.30";
    const app::ConnectOutcome outcome{found, {kDeviceName, m_dir.path(), ""}};
    testing::internal::CaptureStderr();
    EXPECT_EQ(connected.runConnect([&](const auto& claim) { return claim(outcome) ? std::optional(outcome) : std::nullopt; },
                                   [&] { return ++m_windowRuns; }), CModuleApp::kExitOtherInstance);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "qmx-module: the window of " + kDeviceName +
                                                          " at 192.0.2.30 port 161 is already open; it was brought to the front.\n");
    EXPECT_TRUE(waitUntil([&] { return wakes == 2; }, 5000));

    // Another address or port, or the same address with User.ini naming another model.
    const std::string otherModel = m_dir.write("Other.ini", "[DeviceInfo]\nDeviceName=" + kDeviceName + "P\n");
    // Braces: the runs come before the count.
    EXPECT_EQ((std::tuple{run({QStringLiteral("/A0/I192.0.2.31")}, m_iniPath), run({QStringLiteral("/A0/I192.0.2.30/R/W/V/S1/P1161")}, m_iniPath),
                          run({QStringLiteral("/A0/I192.0.2.30")}, otherModel), m_windowRuns}),
              std::tuple(7, 7, 7, 3));

    // By number: a host name, or another spelling of an IPv6 address, is the same switch.
    for (const auto& [number, given] : {std::pair{snmp::numericAddress("localhost"), "localhost"}, {"2001:db8::7", "2001:db8:0::7"}}) {
        app::InstanceGuard byNumber(app::instanceName(kDeviceName, number, 161));
        ASSERT_TRUE(byNumber.acquire());
        found.agentAddress = given;
        EXPECT_EQ(connected.runConnect([&](const auto&) { return std::optional(app::ConnectOutcome{found, outcome.model}); },
                                       [&] { return ++m_windowRuns; }), CModuleApp::kExitOtherInstance) << given;
    }
}
