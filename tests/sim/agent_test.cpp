// The simulated switch through the real snmpd: walks, sets, reboot, log.
#include "run_command.h"
#include "switch_fixture.h"

#include "sim/switch_agent.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using namespace sim;
using namespace std::chrono_literals;

constexpr bool kV1 = false;
constexpr bool kV3 = true;

// The OIDs of a walk's lines and their values ("TYPE: text", time values
// blanked), without snmpd's own sysORLastChange and sysORTable (system .8
// and .9), which sit beside the switch's system group.
std::pair<std::vector<snmp::Oid>, std::vector<std::string>> parseWalk(const std::string& output)
{
    std::pair<std::vector<snmp::Oid>, std::vector<std::string>> walk;
    std::istringstream in(output);
    bool kept = false;
    for (std::string line; std::getline(in, line);) {
        const std::size_t equals = line.find(" = ");
        snmp::Oid oid;
        if (line.starts_with('.') && equals != std::string::npos && parseDottedOid(line.substr(0, equals), oid)) {
            kept = !(startsWith(oid, {1, 3, 6, 1, 2, 1, 1}) && oid[7] >= 8);
            if (kept) {
                walk.first.push_back(oid);
                walk.second.push_back(line.find("Timeticks:") == equals + 3 ? "Timeticks" : line.substr(equals + 3));
            }
        } else if (kept && !walk.second.empty()) {
            walk.second.back() += "\n" + line; // a long value wrapped
        }
    }
    return walk;
}

class Agent : public ::testing::Test {
protected:
    // Starts the model without the live scenario, so walks can be compared.
    void start(const char* model = "QMX-7720-ZA", int rebootSeconds = 10, std::string requestLog = {})
    {
        std::string error;
        agent = startSwitchAgent({.model = model, .requestLog = requestLog, .rebootSeconds = rebootSeconds, .scenario = false},
                                 &error);
        ASSERT_TRUE(agent) << error;
    }

    // Runs a command-line tool at the agent, version 1 with the read or
    // write community, or version 3 as the SHA + AES user.
    CommandResult run(const char* tool, bool v3, std::initializer_list<std::string> arguments)
    {
        std::vector<std::string> command{tool, "-On", "-t", "2", "-r", "1"};
        const bool writes = std::string_view(tool) == "snmpset";
        if (v3)
            command.insert(command.end(), {"-v3", "-l", "authPriv", "-u", "simshaaes", "-a", "SHA", "-A", "authpass123", "-x",
                                           "AES", "-X", "privpass123"});
        else
            command.insert(command.end(), {"-v1", "-c", writes ? "morvint" : "qevtal"});
        command.push_back("127.0.0.1:" + std::to_string(agent->port()));
        command.insert(command.end(), arguments);
        return runCommand(command);
    }

    std::unique_ptr<SnmpdProcess> agent;
};

TEST_F(Agent, WalksEachSubtreeInOidOrderForCommunitiesAndUsers)
{
    start();
    // What the same model holds in-process, for comparison.
    ManualClock clock;
    const std::vector<snmp::VarBind> objects = makeSwitch("QMX-7720-ZA", clock, {.scenario = false})->snapshot();
    for (const char* subtree : {"1.3.6.1.2.1.1", "1.3.6.1.2.1.2", "1.3.6.1.2.1.4.20", "1.3.6.1.2.1.6.13", "1.3.6.1.2.1.7.5",
                                "1.3.6.1.2.1.17", "1.0.8802.1.1.2", "1.3.6.1.4.1.32473.10.75"}) {
        SCOPED_TRACE(subtree);
        snmp::Oid root;
        ASSERT_TRUE(parseDottedOid(subtree, root));
        std::vector<snmp::Oid> expected;
        for (const auto& object : objects)
            if (startsWith(object.oid, root))
                expected.push_back(object.oid);
        const CommandResult byCommunity = run("snmpwalk", kV1, {subtree});
        const CommandResult byUser = run("snmpwalk", kV3, {subtree});
        ASSERT_EQ(byCommunity.exitCode, 0) << byCommunity.output;
        ASSERT_EQ(byUser.exitCode, 0) << byUser.output;
        const auto communityWalk = parseWalk(byCommunity.output);
        const auto userWalk = parseWalk(byUser.output);
        EXPECT_EQ(communityWalk.first, expected);
        EXPECT_EQ(userWalk.first, expected);
        EXPECT_EQ(communityWalk.second, userWalk.second);
    }
}

TEST_F(Agent, MultiBindingSetsChangeWhatLaterReadsShowInEachBackEnd)
{
    start();
    // LLDP-MIB has a back end of its own; asked first, it shows the same switch.
    const std::string lldpName = "1.0.8802.1.1.2.1.3.3.0";
    EXPECT_NE(run("snmpget", kV1, {lldpName}).output.find("STRING: \"QMX-7720-ZA\""), std::string::npos);
    const CommandResult named = run("snmpset", kV1, {"1.3.6.1.2.1.1.5.0", "s", "edge-3", "1.3.6.1.2.1.1.6.0", "s", "rack 4"});
    ASSERT_EQ(named.exitCode, 0) << named.output;
    const CommandResult read = run("snmpget", kV3, {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0", lldpName});
    EXPECT_NE(read.output.find("1.5.0 = STRING: \"edge-3\""), std::string::npos) << read.output;
    EXPECT_NE(read.output.find("1.6.0 = STRING: \"rack 4\""), std::string::npos) << read.output;
    EXPECT_NE(read.output.find("3.3.0 = STRING: \"edge-3\""), std::string::npos) << read.output;

    // A VLAN row made by a version-3 user: createAndWait, columns, active.
    const std::string status = "1.3.6.1.4.1.32473.10.75.7.7.6.1.5.77";
    EXPECT_NE(run("snmpget", kV3, {status}).output.find("No Such Instance"), std::string::npos);
    ASSERT_EQ(run("snmpset", kV3, {status, "i", "5"}).exitCode, 0);
    EXPECT_NE(run("snmpget", kV3, {status}).output.find("INTEGER: 5"), std::string::npos);
    const CommandResult columns = run("snmpset", kV3, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2.77", "x", "C0000000",
                                                       "1.3.6.1.4.1.32473.10.75.7.7.6.1.1.77", "s", "printers", status, "i", "1"});
    ASSERT_EQ(columns.exitCode, 0) << columns.output;
    const CommandResult names = run("snmpwalk", kV1, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.1"});
    EXPECT_NE(names.output.find(".7.7.6.1.1.77 = STRING: \"printers\""), std::string::npos) << names.output;

    // A refused binding is reported with its error and index.
    const CommandResult refused = run("snmpset", kV1, {"1.3.6.1.2.1.1.5.0", "s", "edge-4", "1.3.6.1.4.1.32473.10.75.7.1.13.1.2.1", "i", "9"});
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.output.find("badValue"), std::string::npos) << refused.output;
}

TEST_F(Agent, RebootSilencesTheAgentThenItAnswersWithTheSavedConfiguration)
{
    start("QMX-7720-ZA", 5);
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.2.1.1.5.0", "s", "saved"}).exitCode, 0);
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.4.1.32473.10.75.7.1.10.0", "i", "1"}).exitCode, 0);
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.2.1.1.6.0", "s", "not saved"}).exitCode, 0);
    run("snmpset", kV1, {"1.3.6.1.4.1.32473.10.75.7.1.9.0", "i", "1"});
    const CommandResult silent = run("snmpget", kV1, {"1.3.6.1.2.1.1.5.0"});
    EXPECT_NE(silent.exitCode, 0) << silent.output;
    EXPECT_NE(silent.output.find("Timeout"), std::string::npos) << silent.output;
    CommandResult back;
    for (int attempt = 0; attempt < 20 && back.exitCode != 0; ++attempt)
        back = run("snmpget", kV1, {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"});
    ASSERT_EQ(back.exitCode, 0) << back.output;
    EXPECT_NE(back.output.find("STRING: \"saved\""), std::string::npos) << back.output;
    EXPECT_EQ(back.output.find("not saved"), std::string::npos) << back.output;
}

TEST_F(Agent, RequestLogShowsWhatReachedTheSwitch)
{
    const std::string log = std::string(::testing::TempDir()) + "qmx-sim-requests-" + std::to_string(getpid()) + ".log";
    std::remove(log.c_str());
    start("QMX-7720-ZA", 10, log);
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.2.1.1.5.0", "s", "logged"}).exitCode, 0);
    ASSERT_EQ(run("snmpgetnext", kV1, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.5"}).exitCode, 0);
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(log.c_str());
    EXPECT_NE(text.find(" set .1.3.6.1.2.1.1.5.0 string logged\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" getnext .1.3.6.1.4.1.32473.10.75.7.7.6.1.5\n"), std::string::npos) << text;
}

TEST_F(Agent, FiftyTwoPortListsTravelAsEightOctets)
{
    start("QMX-7752-ZA");
    const CommandResult egress = run("snmpget", kV1, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2.1"});
    EXPECT_NE(egress.output.find("Hex-STRING: FF FF FF FF FF FF F0 00"), std::string::npos) << egress.output;
    const std::string screening = "1.3.6.1.4.1.32473.10.75.7.14.7.1.0";
    ASSERT_EQ(run("snmpset", kV1, {screening, "x", "000000000000F000"}).exitCode, 0);
    EXPECT_NE(run("snmpget", kV1, {screening}).output.find("00 00 00 00 00 00 F0 00"), std::string::npos);
    const CommandResult tooShort = run("snmpset", kV3, {screening, "x", "FFFFFFFF"});
    EXPECT_NE(tooShort.output.find("wrongLength"), std::string::npos) << tooShort.output;
}

// The faults arrive as qmx-sim's command line hands them on: each argument
// whole, blanks and all.
TEST_F(Agent, InjectedFaultsRefuseAnswerAndStaySilent)
{
    SwitchFaults faults;
    const std::string egress = "1.3.6.1.4.1.32473.10.75.7.7.6.1.2.1", name = "1.3.6.1.2.1.1.5.0";
    for (const auto& [option, argument] : {std::pair{"--refuse-set", name}, {"--refuse-set", "1.3.6.1.2.1.1.6.0=rack 9"},
                                           {"--answer", egress + "=0xFFFF"}, {"--answer", "1.3.6.1.2.1.2.2.1.7.3=7"},
                                           {"--answer", "1.3.6.1.4.1.32473.10.75.7.7.5.0=on %1"},
                                           {"--silent-get", "1.3.6.1.2.1.1.4.0"}})
        ASSERT_TRUE(addFault(option, argument, faults)) << argument;
    agent = startSwitchAgent({.scenario = false, .faults = faults});
    ASSERT_TRUE(agent);
    EXPECT_NE(run("snmpset", kV1, {name, "s", "edge-9"}).exitCode, 0);
    EXPECT_NE(run("snmpset", kV3, {"1.3.6.1.2.1.1.6.0", "s", "rack 9"}).exitCode, 0);
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.2.1.1.6.0", "s", "rack 8"}).exitCode, 0);
    const CommandResult read = run("snmpget", kV1, {name, "1.3.6.1.2.1.1.6.0", egress, "1.3.6.1.2.1.2.2.1.7.3",
                                                    "1.3.6.1.4.1.32473.10.75.7.7.5.0"});
    for (const char* shown : {"1.5.0 = STRING: \"QMX-7720-ZA\"\n", "1.6.0 = STRING: \"rack 8\"\n",
                              "6.1.2.1 = Hex-STRING: FF FF \n", "7.3 = INTEGER: 7\n", "7.5.0 = STRING: \"on %1\"\n"})
        EXPECT_NE(read.output.find(shown), std::string::npos) << shown << read.output;

    const CommandResult silent = run("snmpget", kV1, {"1.3.6.1.2.1.1.4.0"});
    EXPECT_NE(silent.output.find("Timeout"), std::string::npos) << silent.output;
}

} // namespace
