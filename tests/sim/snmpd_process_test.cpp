// The launcher's own promises; what snmpd serves is the agent tests' part,
// a restart on the same port the restart drill's.
#include "run_command.h"
#include "sim/snmpd_process.h"

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

namespace {

TEST(SnmpdProcess, StopEndsTheProcessAndTheObjectItsDirectory)
{
    std::string error;
    auto snmpd = sim::SnmpdProcess::start({}, &error);
    ASSERT_TRUE(snmpd) << error;
    const auto uptime = [port = snmpd->port()] {
        return runCommand({"snmpget", "-v1", "-c", "qevtal", "-t", "1", "-r", "0", "127.0.0.1:" + std::to_string(port), "1.3.6.1.2.1.1.3.0"});
    };
    EXPECT_EQ(uptime().exitCode, 0) << uptime().output;
    // Its private directory lives as long as the process object.
    const std::string directory = snmpd->directory();
    EXPECT_EQ(access((directory + "/snmpd.conf").c_str(), F_OK), 0);
    const pid_t pid = snmpd->pid();
    EXPECT_TRUE(snmpd->stop());
    EXPECT_NE(kill(pid, 0), 0) << "snmpd still runs after stop";
    EXPECT_NE(uptime().exitCode, 0);
    snmpd.reset();
    EXPECT_NE(access(directory.c_str(), F_OK), 0);
}

} // namespace
