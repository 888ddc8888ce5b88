#include "run_command.h"
#include "sim/snmpd_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A tool run at `snmpd`, one second and no retry unless `options` (version,
// credentials) say otherwise.
CommandResult at(const sim::SnmpdProcess& snmpd, const char* tool, std::vector<std::string> options,
                 std::initializer_list<std::string> arguments)
{
    options.insert(options.begin(), {tool, "-On", "-t", "1", "-r", "0"});
    options.push_back("127.0.0.1:" + std::to_string(snmpd.port()));
    options.insert(options.end(), arguments);
    return runCommand(options);
}

const std::vector<std::string> kReader = {"-v1", "-c", "qevtal"};

TEST(SnmpdProcess, ServesStockMibToCommunitiesAndUsersUntilStopped)
{
    std::string error;
    auto snmpd = sim::SnmpdProcess::start({}, &error);
    ASSERT_TRUE(snmpd) << error;
    const auto v1 = at(*snmpd, "snmpget", kReader, {"1.3.6.1.2.1.1.3.0"});
    EXPECT_EQ(v1.exitCode, 0) << v1.output;
    EXPECT_NE(v1.output.find(".1.3.6.1.2.1.1.3.0 = Timeticks:"), std::string::npos) << v1.output;
    const auto v3 = at(*snmpd, "snmpget", {"-v3", "-l", "authPriv", "-u", "simsha256", "-a", "SHA-256", "-A", "authpass123", "-x",
                                           "AES", "-X", "privpass123", "-t", "2", "-r", "1"}, {"1.3.6.1.2.1.1.1.0"});
    EXPECT_EQ(v3.exitCode, 0) << v3.output;
    EXPECT_NE(v3.output.find(".1.3.6.1.2.1.1.1.0 = STRING:"), std::string::npos) << v3.output;
    // The stock system group keeps sysLocation writable for the write community only.
    EXPECT_NE(at(*snmpd, "snmpset", kReader, {"1.3.6.1.2.1.1.6.0", "s", "nowhere"}).exitCode, 0);
    const auto set = at(*snmpd, "snmpset", {"-v1", "-c", "morvint"}, {"1.3.6.1.2.1.1.6.0", "s", "rack 7"});
    EXPECT_EQ(set.exitCode, 0) << set.output;
    EXPECT_NE(at(*snmpd, "snmpget", kReader, {"1.3.6.1.2.1.1.6.0"}).output.find("rack 7"), std::string::npos);

    const pid_t pid = snmpd->pid();
    EXPECT_GT(pid, 0);
    EXPECT_TRUE(snmpd->stop());
    EXPECT_NE(kill(pid, 0), 0) << "snmpd still runs after stop";
    EXPECT_NE(at(*snmpd, "snmpget", kReader, {"1.3.6.1.2.1.1.3.0"}).exitCode, 0);
}

TEST(SnmpdProcess, PausedAgentIsSilentAndRestartKeepsThePortAndRemovesNothing)
{
    std::string error;
    auto snmpd = sim::SnmpdProcess::start({}, &error);
    ASSERT_TRUE(snmpd) << error;
    const auto port = snmpd->port();
    ASSERT_TRUE(snmpd->pause());
    EXPECT_NE(at(*snmpd, "snmpget", kReader, {"1.3.6.1.2.1.1.3.0"}).exitCode, 0);
    ASSERT_TRUE(snmpd->resume());
    EXPECT_EQ(at(*snmpd, "snmpget", kReader, {"1.3.6.1.2.1.1.3.0"}).exitCode, 0);

    const pid_t before = snmpd->pid();
    ASSERT_TRUE(snmpd->restart(&error)) << error;
    EXPECT_EQ(snmpd->port(), port);
    EXPECT_NE(snmpd->pid(), before);
    const auto v3 = at(*snmpd, "snmpget", {"-v3", "-l", "authNoPriv", "-u", "simmd5", "-a", "MD5", "-A", "authpass123", "-t", "2", "-r", "1"},
                       {"1.3.6.1.2.1.1.3.0"});
    EXPECT_EQ(v3.exitCode, 0) << v3.output;
    // Its private directory lives as long as the process object.
    const std::string directory = snmpd->directory();
    EXPECT_EQ(access((directory + "/snmpd.conf").c_str(), F_OK), 0);
    snmpd.reset();
    EXPECT_NE(access(directory.c_str(), F_OK), 0);
}

} // namespace
