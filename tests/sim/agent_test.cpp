// The simulated switch through the real snmpd: walks, sets, reboot, log.
#include "run_command.h"
#include "switch_fixture.h"

#include "sim/switch_agent.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

using namespace sim;
using namespace std::chrono_literals;

enum Version : bool { kV1, kV3 };

// The OIDs of a walk's lines, without snmpd's own sysORLastChange and
// sysORTable (system .8 and .9), which sit beside the switch's system group.
std::vector<snmp::Oid> walkedOids(const std::string& output)
{
    std::vector<snmp::Oid> oids;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);)
        if (snmp::Oid oid; line.starts_with('.') && parseDottedOid(line.substr(0, line.find(" = ")), oid)
                           && !(startsWith(oid, {1, 3, 6, 1, 2, 1, 1}) && oid[7] >= 8))
            oids.push_back(oid);
    return oids;
}

std::string withoutTimes(const std::string& output) { return std::regex_replace(output, std::regex("Timeticks: .*"), "Timeticks"); }

class Agent : public ::testing::Test {
protected:
    // Starts the QMX-7720-ZA without the live scenario, so walks can be compared.
    void start(int rebootSeconds = 10, SwitchFaults faults = {}, std::string requestLog = {})
    {
        std::string error;
        agent = startSwitchAgent({.requestLog = std::move(requestLog), .rebootSeconds = rebootSeconds, .scenario = false,
                                  .modelDirectory = {}, .faults = std::move(faults)}, &error);
        ASSERT_TRUE(agent) << error;
    }

    // Runs a command-line tool at the agent, version 1 with the read or
    // write community, or version 3 as the SHA + AES user.
    CommandResult run(const char* tool, Version version, std::initializer_list<std::string> arguments)
    {
        std::vector<std::string> command{tool, "-On", "-t", "2", "-r", "1"};
        if (version == kV3)
            command.insert(command.end(), {"-v3", "-l", "authPriv", "-u", "simshaaes", "-a", "SHA", "-A", "authpass123", "-x",
                                           "AES", "-X", "privpass123"});
        else
            command.insert(command.end(), {"-v1", "-c", std::string_view(tool) == "snmpset" ? "morvint" : "qevtal"});
        command.push_back("127.0.0.1:" + std::to_string(agent->port()));
        command.insert(command.end(), arguments);
        return runCommand(netSnmpTool(agent->directory() + "/client", std::move(command)));
    }

    // Fails for each text not in `printed`: standard output, or standard error, where the tools report errors.
    static void expectIn(const std::string& printed, std::initializer_list<const char*> texts)
    {
        for (const char* text : texts)
            EXPECT_NE(printed.find(text), std::string::npos) << text << " not in\n" << printed;
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
        const CommandResult byCommunity = run("snmpwalk", kV1, {subtree}), byUser = run("snmpwalk", kV3, {subtree});
        ASSERT_EQ(std::pair(byCommunity.exitCode, byUser.exitCode), std::pair(0, 0)) << byCommunity.errors << byUser.errors;
        EXPECT_EQ(std::pair(walkedOids(byCommunity.output), walkedOids(byUser.output)), std::pair(expected, expected));
        EXPECT_EQ(withoutTimes(byCommunity.output), withoutTimes(byUser.output));
    }
}

TEST_F(Agent, MultiBindingSetsChangeWhatLaterReadsShowInEachBackEnd)
{
    start();
    // LLDP-MIB has a back end of its own; asked first, it shows the same switch.
    // Object ids and addresses reach snmpd in their own notations.
    const std::string lldpName = "1.0.8802.1.1.2.1.3.3.0";
    expectIn(run("snmpget", kV1, {lldpName, "1.3.6.1.2.1.1.2.0", "1.3.6.1.2.1.4.20.1.1.192.168.10.20"}).output,
                {"3.3.0 = STRING: \"QMX-7720-ZA\"", "1.2.0 = OID: .1.3.6.1.4.1.32473.10.75.2.7720\n", "20 = IpAddress: 192.168.10.20\n"});
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.2.1.1.5.0", "s", "edge-3", "1.3.6.1.2.1.1.6.0", "s", "rack 4"}).exitCode, 0);
    expectIn(run("snmpget", kV3, {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0", lldpName}).output,
                {"1.5.0 = STRING: \"edge-3\"", "1.6.0 = STRING: \"rack 4\"", "3.3.0 = STRING: \"edge-3\""});

    // A VLAN row made by a version-3 user: createAndWait, columns, active.
    const std::string status = "1.3.6.1.4.1.32473.10.75.7.7.6.1.5.77";
    expectIn(run("snmpget", kV3, {status}).output, {"No Such Instance"});
    ASSERT_EQ(run("snmpset", kV3, {status, "i", "5"}).exitCode, 0);
    expectIn(run("snmpget", kV3, {status}).output, {"INTEGER: 5"});
    ASSERT_EQ(run("snmpset", kV3, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2.77", "x", "C0000000", "1.3.6.1.4.1.32473.10.75.7.7.6.1.1.77", "s",
                                   "printers", status, "i", "1"}).exitCode, 0);
    expectIn(run("snmpwalk", kV1, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.1"}).output, {".7.7.6.1.1.77 = STRING: \"printers\""});

    // A refused binding is reported with its error and index.
    const CommandResult refused = run("snmpset", kV1, {"1.3.6.1.2.1.1.5.0", "s", "edge-4", "1.3.6.1.4.1.32473.10.75.7.1.13.1.2.1", "i", "9"});
    EXPECT_NE(refused.exitCode, 0);
    expectIn(refused.errors, {"badValue"});
    // The back end's other refusals keep their own errors.
    expectIn(run("snmpset", kV3, {"1.3.6.1.2.1.1.1.0", "s", "x"}).errors, {"notWritable"});
    expectIn(run("snmpset", kV3, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2.1", "x", "FFFFFF"}).errors, {"wrongLength"}); // three octets
}

TEST_F(Agent, RebootSilencesTheAgentThenItAnswersWithTheSavedConfiguration)
{
    start(5);
    for (const auto& [oid, type, value] : std::initializer_list<std::array<std::string, 3>>{
             {"1.3.6.1.2.1.1.5.0", "s", "saved"}, {"1.3.6.1.4.1.32473.10.75.7.1.10.0", "i", "1"}, {"1.3.6.1.2.1.1.6.0", "s", "not saved"}})
        ASSERT_EQ(run("snmpset", kV1, {oid, type, value}).exitCode, 0) << oid;
    run("snmpset", kV1, {"1.3.6.1.4.1.32473.10.75.7.1.9.0", "i", "1"});
    const CommandResult silent = run("snmpget", kV1, {"1.3.6.1.2.1.1.5.0"});
    EXPECT_NE(silent.exitCode, 0);
    expectIn(silent.errors, {"Timeout"});
    CommandResult back;
    for (int attempt = 0; attempt < 20 && back.exitCode != 0; ++attempt)
        back = run("snmpget", kV1, {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"});
    ASSERT_EQ(back.exitCode, 0) << back.errors;
    expectIn(back.output, {"1.5.0 = STRING: \"saved\"", "1.6.0 = \"\"\n"});
}

// The faults arrive as qmx-sim's command line hands them on: each argument
// whole, blanks and all. The request log shows what reached the switch.
TEST_F(Agent, InjectedFaultsRefuseAnswerAndStaySilentAndTheLogShowsRequests)
{
    SwitchFaults faults;
    const std::string egress = "1.3.6.1.4.1.32473.10.75.7.7.6.1.2.1", name = "1.3.6.1.2.1.1.5.0";
    for (const auto& [option, argument] : {std::pair{"--refuse-set", name}, {"--refuse-set", "1.3.6.1.2.1.1.6.0=rack 9"},
                                           {"--answer", egress + "=0xFFFF"}, {"--answer", "1.3.6.1.2.1.2.2.1.7.3=7"},
                                           {"--answer", "1.3.6.1.4.1.32473.10.75.7.7.5.0=on %1"},
                                           {"--silent-get", "1.3.6.1.2.1.1.4.0"}, {"--error-get", "1.3.6.1.2.1.2.2.1.2.10"}})
        ASSERT_TRUE(addFault(option, argument, faults)) << argument;
    const std::string log = std::string(::testing::TempDir()) + "qmx-sim-requests-" + std::to_string(getpid()) + ".log";
    std::remove(log.c_str());
    start(10, faults, log);
    EXPECT_NE(run("snmpset", kV1, {name, "s", "edge-9"}).exitCode, 0);
    EXPECT_NE(run("snmpset", kV3, {"1.3.6.1.2.1.1.6.0", "s", "rack 9"}).exitCode, 0);
    ASSERT_EQ(run("snmpset", kV1, {"1.3.6.1.2.1.1.6.0", "s", "rack 8"}).exitCode, 0);
    expectIn(run("snmpget", kV1, {name, "1.3.6.1.2.1.1.6.0", egress, "1.3.6.1.2.1.2.2.1.7.3", "1.3.6.1.4.1.32473.10.75.7.7.5.0"}).output,
                {"1.5.0 = STRING: \"QMX-7720-ZA\"\n", "1.6.0 = STRING: \"rack 8\"\n", "6.1.2.1 = Hex-STRING: FF FF \n",
                 "7.3 = INTEGER: 7\n", "7.5.0 = STRING: \"on %1\"\n"});
    expectIn(run("snmpget", kV1, {"1.3.6.1.2.1.1.4.0"}).errors, {"Timeout"});
    // An error answer, at the binding that reached the OID; a walk in bulk fails after port 9.
    expectIn(run("snmpget", kV3, {"1.3.6.1.2.1.2.2.1.2.9", "1.3.6.1.2.1.2.2.1.2.10"}).errors,
                   {"genError", "Failed object: .1.3.6.1.2.1.2.2.1.2.10"});
    expectIn(run("snmpbulkget", kV3, {"1.3.6.1.2.1.2.2.1.2"}).errors, {"genError"});
    ASSERT_EQ(run("snmpgetnext", kV1, {"1.3.6.1.4.1.32473.10.75.7.7.6.1.5"}).exitCode, 0);
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(log.c_str());
    EXPECT_NE(text.find(" set .1.3.6.1.2.1.1.6.0 string rack 8\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" getnext .1.3.6.1.4.1.32473.10.75.7.7.6.1.5\n"), std::string::npos) << text;
}

} // namespace
