#include "app/module_app.h"
#include "platform/temp_dir.h"
#include "scripted_prompter.h"
#include "snmp/session_parameters.h"
#include "wait_for_wake.h"

#include <gtest/gtest.h>

#include <unistd.h>

using app::CModuleApp;

namespace {

// A model name of this test process alone, so parallel runs never meet.
std::string testDeviceName()
{
    return "QMX-7720-ZA-" + std::to_string(getpid());
}

class ModuleAppTest : public testing::Test {
protected:
    TempDir m_dir;
    std::string m_iniPath = m_dir.write("User.ini", "[DeviceInfo]\nDeviceName=" + testDeviceName() + "\nXMLName=panel.xml\n");
    ScriptedPrompter m_prompter;
    int m_windowRuns = 0;
    std::function<int()> m_window = [this] {
        ++m_windowRuns;
        return 7;
    };
};

} // namespace

TEST_F(ModuleAppTest, EmptyCommandLineIsRefusedBeforeAnythingElse)
{
    CModuleApp module(QStringList{QStringLiteral("qmx-module")});
    EXPECT_EQ(module.run(m_window), CModuleApp::kExitRefused);
    EXPECT_EQ(m_prompter.texts(), std::vector<std::string>{"No parameter input !"});
    EXPECT_EQ(m_windowRuns, 0);
    EXPECT_EQ(module.instanceGuard(), nullptr);
}

TEST_F(ModuleAppTest, StartRunsTheWindowWithParsedParametersAndHoldsTheName)
{
    CModuleApp module(QStringList{QStringLiteral("qmx-module"), QStringLiteral("/A0/I192.0.2.10/Rpub"), QStringLiteral("lic/Wpriv/Vfalse/S1/P1161")});
    module.setUserIniPath(m_iniPath);
    bool heldWhileRunning = false;
    const int result = module.run([&] {
        heldWhileRunning = module.instanceGuard() != nullptr && module.instanceGuard()->holds();
        return m_window();
    });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(m_windowRuns, 1);
    EXPECT_TRUE(heldWhileRunning);
    EXPECT_TRUE(m_prompter.shown().empty());

    const auto& p = snmp::sessionParameters();
    EXPECT_EQ(p.agentAddress, "192.0.2.10");
    EXPECT_EQ(p.readCommunity, "public");
    EXPECT_EQ(p.writeCommunity, "priv");
    EXPECT_FALSE(p.vlanEdit);
    EXPECT_EQ(p.agentPort, "1161");
}

TEST_F(ModuleAppTest, SecondStartForTheSameSwitchWakesTheFirstAndEnds)
{
    app::InstanceGuard running(app::instanceName(testDeviceName(), "192.0.2.20"));
    ASSERT_TRUE(running.acquire());

    CModuleApp module(QStringList{QStringLiteral("qmx-module"), QStringLiteral("/A0/I192.0.2.20")});
    module.setUserIniPath(m_iniPath);
    EXPECT_EQ(module.run(m_window), CModuleApp::kExitOtherInstance);
    EXPECT_EQ(m_windowRuns, 0);
    EXPECT_TRUE(m_prompter.shown().empty()); // silently
    EXPECT_TRUE(waitForWake(running));
}

TEST_F(ModuleAppTest, AnotherAddressOrModelRunsBesideTheFirst)
{
    app::InstanceGuard running(app::instanceName(testDeviceName(), "192.0.2.30"));
    ASSERT_TRUE(running.acquire());

    CModuleApp otherAddress(QStringList{QStringLiteral("qmx-module"), QStringLiteral("/A0/I192.0.2.31")});
    otherAddress.setUserIniPath(m_iniPath);
    EXPECT_EQ(otherAddress.run(m_window), 7);

    // Same address, but User.ini names another model.
    const std::string otherModel = m_dir.write("Other.ini", "[DeviceInfo]\nDeviceName=" + testDeviceName() + "P\n");
    CModuleApp otherName(QStringList{QStringLiteral("qmx-module"), QStringLiteral("/A0/I192.0.2.30")});
    otherName.setUserIniPath(otherModel);
    EXPECT_EQ(otherName.run(m_window), 7);
    EXPECT_EQ(m_windowRuns, 2);
}
