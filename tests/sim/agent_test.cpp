// The simulated switch through the real snmpd: walks, sets, reboot, log.
#include "run_command.h"
#include "switch_fixture.h"

#include "sim/mib_store.h"
#include "sim/oid_text.h"
#include "sim/switch_agent.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

using namespace sim;
using namespace std::chrono_literals;

struct WalkLine {
    snmp::Oid oid;
    std::string value; // "TYPE: text"
};

std::vector<WalkLine> parseWalk(const std::string& output)
{
    std::vector<WalkLine> lines;
    std::istringstream in(output);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t equals = line.find(" = ");
        snmp::Oid oid;
        if (line.starts_with('.') && equals != std::string::npos && parseDottedOid(line.substr(0, equals), oid))
            lines.push_back({oid, line.substr(equals + 3)});
        else if (!lines.empty())
            lines.back().value += "\n" + line; // a long value wrapped
    }
    return lines;
}

class Agent : public ::testing::Test {
protected:
    void start(SwitchAgentOptions options)
    {
        std::string error;
        agent = startSwitchAgent(options, &error);
        ASSERT_TRUE(agent) << error;
        address = "127.0.0.1:" + std::to_string(agent->port());
    }

    std::vector<std::string> v1(const char* tool, const char* community)
    {
        return {tool, "-v1", "-c", community, "-On", "-t", "2", "-r", "1", address};
    }

    std::vector<std::string> v3(const char* tool)
    {
        return {tool, "-v3", "-l", "authPriv", "-u", "simshaaes", "-a", "SHA", "-A", "authpass123", "-x", "AES",
                "-X", "privpass123", "-On", "-t", "2", "-r", "1", address};
    }

    static std::vector<std::string> with(std::vector<std::string> command, std::initializer_list<std::string> more)
    {
        command.insert(command.end(), more);
        return command;
    }

    std::unique_ptr<SnmpdProcess> agent;
    std::string address;
};

bool isTimeValue(const std::string& value) { return value.starts_with("Timeticks:"); }

// Without the live scenario, so walks can be compared.
SwitchAgentOptions steadyAgent(const char* model = "QMX-7720-ZA")
{
    SwitchAgentOptions options;
    options.model = model;
    options.scenario = false;
    return options;
}

TEST_F(Agent, WalksEachSubtreeInOidOrderForCommunitiesAndUsers)
{
    start(steadyAgent());
    // What the same model holds in-process, for comparison.
    ManualClock clock;
    auto reference = makeSwitch("QMX-7720-ZA", clock, {.scenario = false});
    const std::vector<snmp::VarBind> objects = reference->snapshot();

    const char* subtrees[] = {"1.3.6.1.2.1.1",       "1.3.6.1.2.1.2",       "1.3.6.1.2.1.4.20", "1.3.6.1.2.1.6.13",
                              "1.3.6.1.2.1.7.5",     "1.3.6.1.2.1.17",   "1.0.8802.1.1.2",
                              "1.3.6.1.4.1.32473.10.75"};
    for (const char* subtree : subtrees) {
        SCOPED_TRACE(subtree);
        const CommandResult byCommunity = runCommand(with(v1("snmpwalk", "qevtal"), {subtree}));
        const CommandResult byUser = runCommand(with(v3("snmpwalk"), {subtree}));
        ASSERT_EQ(byCommunity.exitCode, 0) << byCommunity.output;
        ASSERT_EQ(byUser.exitCode, 0) << byUser.output;
        // snmpd's own sysORLastChange and sysORTable (system .8 and .9) sit
        // beside the switch's system group.
        const auto switchLines = [](std::vector<WalkLine> lines) {
            std::erase_if(lines, [](const WalkLine& line) {
                return startsWith(line.oid, {1, 3, 6, 1, 2, 1, 1}) && line.oid[7] >= 8;
            });
            return lines;
        };
        const auto communityLines = switchLines(parseWalk(byCommunity.output));
        const auto userLines = switchLines(parseWalk(byUser.output));

        snmp::Oid root;
        ASSERT_TRUE(parseDottedOid(subtree, root));
        std::vector<snmp::Oid> expected;
        for (const auto& object : objects)
            if (startsWith(object.oid, root))
                expected.push_back(object.oid);
        ASSERT_EQ(communityLines.size(), expected.size());
        ASSERT_EQ(userLines.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(communityLines[i].oid, expected[i]);
            EXPECT_EQ(userLines[i].oid, expected[i]);
            if (!isTimeValue(communityLines[i].value)) {
                EXPECT_EQ(communityLines[i].value, userLines[i].value) << dottedOid(expected[i]);
            }
        }
    }
}

TEST_F(Agent, MultiBindingSetsChangeWhatLaterReadsShow)
{
    start(steadyAgent());
    const CommandResult named = runCommand(with(v1("snmpset", "morvint"),
                                                {"1.3.6.1.2.1.1.5.0", "s", "edge-3", "1.3.6.1.2.1.1.6.0", "s", "rack 4"}));
    ASSERT_EQ(named.exitCode, 0) << named.output;
    const CommandResult read = runCommand(with(v3("snmpget"), {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"}));
    EXPECT_NE(read.output.find("STRING: \"edge-3\""), std::string::npos) << read.output;
    EXPECT_NE(read.output.find("STRING: \"rack 4\""), std::string::npos) << read.output;
    // LLDP-MIB has a back end of its own; it shows the same switch.
    const CommandResult lldpName = runCommand(with(v1("snmpget", "qevtal"), {"1.0.8802.1.1.2.1.3.3.0"}));
    EXPECT_NE(lldpName.output.find("STRING: \"edge-3\""), std::string::npos) << lldpName.output;

    // A VLAN row made by a version-3 user: createAndWait, columns, active.
    const std::string status = "1.3.6.1.4.1.32473.10.75.7.7.6.1.5.77";
    EXPECT_NE(runCommand(with(v3("snmpget"), {status})).output.find("No Such Instance"), std::string::npos);
    ASSERT_EQ(runCommand(with(v3("snmpset"), {status, "i", "5"})).exitCode, 0);
    EXPECT_NE(runCommand(with(v3("snmpget"), {status})).output.find("INTEGER: 5"), std::string::npos);
    const CommandResult columns = runCommand(with(v3("snmpset"), {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2.77", "x", "C0000000",
                                                                  "1.3.6.1.4.1.32473.10.75.7.7.6.1.1.77", "s", "printers",
                                                                  status, "i", "1"}));
    ASSERT_EQ(columns.exitCode, 0) << columns.output;
    const CommandResult names = runCommand(with(v1("snmpwalk", "qevtal"), {"1.3.6.1.4.1.32473.10.75.7.7.6.1.1"}));
    EXPECT_NE(names.output.find(".7.7.6.1.1.77 = STRING: \"printers\""), std::string::npos) << names.output;

    // A refused binding is reported with its error and index.
    const CommandResult refused = runCommand(
        with(v1("snmpset", "morvint"), {"1.3.6.1.2.1.1.5.0", "s", "edge-4", "1.3.6.1.4.1.32473.10.75.7.1.13.1.2.1", "i", "9"}));
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_NE(refused.output.find("badValue"), std::string::npos) << refused.output;
}

TEST_F(Agent, LldpBackEndStartedFirstServesTheSameSwitch)
{
    start(steadyAgent());
    const std::string lldpName = "1.0.8802.1.1.2.1.3.3.0";
    EXPECT_NE(runCommand(with(v1("snmpget", "qevtal"), {lldpName})).output.find("\"QMX-7720-ZA\""), std::string::npos);
    ASSERT_EQ(runCommand(with(v3("snmpset"), {"1.3.6.1.2.1.1.5.0", "s", "renamed"})).exitCode, 0);
    const CommandResult after = runCommand(with(v1("snmpget", "qevtal"), {lldpName}));
    EXPECT_NE(after.output.find("STRING: \"renamed\""), std::string::npos) << after.output;
}

TEST_F(Agent, RebootSilencesTheAgentThenItAnswersWithTheSavedConfiguration)
{
    SwitchAgentOptions options = steadyAgent();
    options.rebootSeconds = 5;
    start(options);
    ASSERT_EQ(runCommand(with(v1("snmpset", "morvint"), {"1.3.6.1.2.1.1.5.0", "s", "saved"})).exitCode, 0);
    ASSERT_EQ(runCommand(with(v1("snmpset", "morvint"), {"1.3.6.1.4.1.32473.10.75.7.1.10.0", "i", "1"})).exitCode, 0);
    ASSERT_EQ(runCommand(with(v1("snmpset", "morvint"), {"1.3.6.1.2.1.1.6.0", "s", "not saved"})).exitCode, 0);

    runCommand(with(v1("snmpset", "morvint"), {"1.3.6.1.4.1.32473.10.75.7.1.9.0", "i", "1"}));
    const CommandResult silent = runCommand(with(v1("snmpget", "qevtal"), {"1.3.6.1.2.1.1.5.0"}));
    EXPECT_NE(silent.exitCode, 0) << silent.output;
    EXPECT_NE(silent.output.find("Timeout"), std::string::npos) << silent.output;

    CommandResult back;
    for (int attempt = 0; attempt < 20; ++attempt) {
        back = runCommand(with(v1("snmpget", "qevtal"), {"1.3.6.1.2.1.1.5.0", "1.3.6.1.2.1.1.6.0"}));
        if (back.exitCode == 0)
            break;
    }
    ASSERT_EQ(back.exitCode, 0) << back.output;
    EXPECT_NE(back.output.find("STRING: \"saved\""), std::string::npos) << back.output;
    EXPECT_EQ(back.output.find("not saved"), std::string::npos) << back.output;
}

TEST_F(Agent, RequestLogShowsWhatReachedTheSwitch)
{
    const std::string log = std::string(::testing::TempDir()) + "qmx-sim-requests-" + std::to_string(getpid()) + ".log";
    std::remove(log.c_str());
    SwitchAgentOptions options = steadyAgent();
    options.requestLog = log;
    start(options);
    ASSERT_EQ(runCommand(with(v1("snmpset", "morvint"), {"1.3.6.1.2.1.1.5.0", "s", "logged"})).exitCode, 0);
    ASSERT_EQ(runCommand(with(v1("snmpgetnext", "qevtal"), {"1.3.6.1.4.1.32473.10.75.7.7.6.1.5"})).exitCode, 0);
    std::ifstream in(log);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::remove(log.c_str());
    EXPECT_NE(text.find(" set .1.3.6.1.2.1.1.5.0 string logged\n"), std::string::npos) << text;
    EXPECT_NE(text.find(" getnext .1.3.6.1.4.1.32473.10.75.7.7.6.1.5\n"), std::string::npos) << text;
}

TEST_F(Agent, FiftyTwoPortListsTravelAsEightOctets)
{
    start(steadyAgent("QMX-7752-ZA"));
    const CommandResult egress = runCommand(with(v1("snmpget", "qevtal"), {"1.3.6.1.4.1.32473.10.75.7.7.6.1.2.1"}));
    EXPECT_NE(egress.output.find("Hex-STRING: FF FF FF FF FF FF F0 00"), std::string::npos) << egress.output;

    const std::string screening = "1.3.6.1.4.1.32473.10.75.7.14.7.1.0";
    ASSERT_EQ(runCommand(with(v1("snmpset", "morvint"), {screening, "x", "000000000000F000"})).exitCode, 0);
    EXPECT_NE(runCommand(with(v1("snmpget", "qevtal"), {screening})).output.find("00 00 00 00 00 00 F0 00"), std::string::npos);
    const CommandResult tooShort = runCommand(with(v3("snmpset"), {screening, "x", "FFFFFFFF"}));
    EXPECT_NE(tooShort.output.find("wrongLength"), std::string::npos) << tooShort.output;
}

} // namespace
