// The agent stops answering (SIGSTOP) or restarts under the session, for
// version 1 and version 3.
#include "drill_support.h"

namespace drills {
namespace {

// The parameter is the version-3 user; none for version 1.
class AgentStopDrill : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override
    {
        agent = startQuietSwitch();
        ASSERT_NE(agent, nullptr);
        useAgent(agent->port(), GetParam(), 800);
    }
    void TearDown() override
    {
        if (agent)
            agent->resume();
    }

    std::unique_ptr<sim::SnmpdProcess> agent;
};

TEST_P(AgentStopDrill, PollingShowsLostContactWhileTheAgentIsStoppedAndRecoversAfterwards)
{
    PollingWindow window;
    ASSERT_TRUE(window.cycle());
    ASSERT_EQ(window.sink.changes().size(), 1u);
    EXPECT_EQ(window.sink.lost(), 0);

    ASSERT_TRUE(agent->pause());
    ASSERT_TRUE(window.cycle());
    EXPECT_EQ(window.sink.lost(), 1);
    for (const auto& state : window.state.portStates)
        EXPECT_EQ(state.load(), monitor::kPortNoLink);

    ASSERT_TRUE(agent->resume());
    ASSERT_TRUE(window.cycle());
    EXPECT_EQ(window.sink.lost(), 1);
    ASSERT_EQ(window.sink.changes().size(), 2u);
    EXPECT_EQ(window.sink.changes().back(), window.sink.changes().front());
}

INSTANTIATE_TEST_SUITE_P(Versions, AgentStopDrill,
                         ::testing::Values("", "simshaaes"),
                         [](const auto& info) { return std::string(info.param.empty() ? "v1" : "v3"); });

constexpr const char* kSnmpEngineId = "1.3.6.1.6.3.10.2.1.1.0";

TEST(AgentRestartDrill, Version3SessionGoesOnAfterTheAgentRestartsWithNewBootsOrAsANewEngine)
{
    auto agent = startQuietSwitch();
    ASSERT_NE(agent, nullptr);
    for (const bool newEngine : {false, true}) {
        for (const char* user : {"simsha", "simshaaes"}) {
            SCOPED_TRACE(std::string(user) + (newEngine ? ", new engine" : ", same engine"));
            useAgent(agent->port(), user, 1500);
            snmp::CCommonSnmp session;
            const Got before = getOne(session, kSysName);
            ASSERT_EQ(before.status, snmp::kStatusOk);
            ASSERT_FALSE(before.value.empty());
            const Got engineBefore = getOne(session, kSnmpEngineId);
            ASSERT_EQ(engineBefore.status, snmp::kStatusOk);

            std::string error;
            ASSERT_TRUE(newEngine ? agent->restartAsNewEngine(&error) : agent->restart(&error)) << error;
            // The very next exchanges succeed on the same session.
            for (int exchange = 0; exchange < 3; ++exchange)
                EXPECT_EQ(getOne(session, kSysName), before) << "exchange " << exchange << " after the restart";
            EXPECT_EQ(getOne(session, kSnmpEngineId).value != engineBefore.value, newEngine);
        }
    }
}

} // namespace
} // namespace drills
