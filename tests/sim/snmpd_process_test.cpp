#include "run_command.h"
#include "sim/snmpd_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string agent(const sim::SnmpdProcess& snmpd) { return "127.0.0.1:" + std::to_string(snmpd.port()); }

CommandResult v1Get(const sim::SnmpdProcess& snmpd, const std::string& oid)
{
    return runCommand({"snmpget", "-v1", "-c", "qevtal", "-t", "1", "-r", "0", "-On", agent(snmpd), oid});
}

TEST(SnmpdProcess, ServesStockMibToCommunitiesAndUsersUntilStopped)
{
    std::string error;
    auto snmpd = sim::SnmpdProcess::start({}, &error);
    ASSERT_TRUE(snmpd) << error;
    EXPECT_GT(snmpd->pid(), 0);

    const auto v1 = v1Get(*snmpd, "1.3.6.1.2.1.1.3.0");
    EXPECT_EQ(v1.exitCode, 0) << v1.output;
    EXPECT_NE(v1.output.find(".1.3.6.1.2.1.1.3.0 = Timeticks:"), std::string::npos) << v1.output;

    const auto v3 = runCommand({"snmpget", "-v3", "-l", "authPriv", "-u", "simsha256", "-a", "SHA-256", "-A",
                                "authpass123", "-x", "AES", "-X", "privpass123", "-t", "2", "-r", "1", "-On",
                                agent(*snmpd), "1.3.6.1.2.1.1.1.0"});
    EXPECT_EQ(v3.exitCode, 0) << v3.output;
    EXPECT_NE(v3.output.find(".1.3.6.1.2.1.1.1.0 = STRING:"), std::string::npos) << v3.output;

    // The stock system group keeps sysLocation writable for the write community.
    const auto set = runCommand({"snmpset", "-v1", "-c", "morvint", "-t", "1", "-r", "0", agent(*snmpd),
                                 "1.3.6.1.2.1.1.6.0", "s", "rack 7"});
    EXPECT_EQ(set.exitCode, 0) << set.output;
    EXPECT_NE(v1Get(*snmpd, "1.3.6.1.2.1.1.6.0").output.find("rack 7"), std::string::npos);

    const auto wrongCommunity = runCommand({"snmpset", "-v1", "-c", "qevtal", "-t", "1", "-r", "0", agent(*snmpd),
                                            "1.3.6.1.2.1.1.6.0", "s", "nowhere"});
    EXPECT_NE(wrongCommunity.exitCode, 0);

    const pid_t pid = snmpd->pid();
    EXPECT_TRUE(snmpd->stop());
    EXPECT_NE(kill(pid, 0), 0) << "snmpd still runs after stop";
    EXPECT_NE(v1Get(*snmpd, "1.3.6.1.2.1.1.3.0").exitCode, 0);
}

TEST(SnmpdProcess, PausedAgentIsSilentAndRestartKeepsThePort)
{
    std::string error;
    auto snmpd = sim::SnmpdProcess::start({}, &error);
    ASSERT_TRUE(snmpd) << error;
    const auto port = snmpd->port();

    ASSERT_TRUE(snmpd->pause());
    EXPECT_NE(v1Get(*snmpd, "1.3.6.1.2.1.1.3.0").exitCode, 0);
    ASSERT_TRUE(snmpd->resume());
    EXPECT_EQ(v1Get(*snmpd, "1.3.6.1.2.1.1.3.0").exitCode, 0);

    const pid_t before = snmpd->pid();
    ASSERT_TRUE(snmpd->restart(&error)) << error;
    EXPECT_EQ(snmpd->port(), port);
    EXPECT_NE(snmpd->pid(), before);
    const auto v3 = runCommand({"snmpget", "-v3", "-l", "authNoPriv", "-u", "simmd5", "-a", "MD5", "-A",
                                "authpass123", "-t", "2", "-r", "1", agent(*snmpd), "1.3.6.1.2.1.1.3.0"});
    EXPECT_EQ(v3.exitCode, 0) << v3.output;
}

TEST(SnmpdProcess, RemovesItsPrivateDirectory)
{
    std::string directory;
    {
        auto snmpd = sim::SnmpdProcess::start({});
        ASSERT_TRUE(snmpd);
        directory = snmpd->directory();
        EXPECT_EQ(access((directory + "/snmpd.conf").c_str(), F_OK), 0);
    }
    EXPECT_NE(access(directory.c_str(), F_OK), 0);
}

} // namespace
