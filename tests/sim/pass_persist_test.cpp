// The back end's side of snmpd's pass_persist protocol, and its inputs; the
// protocol's gets, sets, errors and value notations through snmpd are the
// agent tests' part.
#include "switch_fixture.h"

#include "sim/pass_persist_server.h"
#include "sim/pass_value.h"

#include <fstream>

#include <unistd.h>

namespace {

using namespace sim;

TEST(PassValue, ReadsSetLinesAsSnmpdWritesThem)
{
    // snmpd writes unsigned types signed.
    for (const auto& [line, expected] : std::initializer_list<std::pair<const char*, snmp::Value>>{
             {"gauge -1", gaugeValue(4294967295u)}, {"string \"two words\"", octetValue("two words")},
             {"octet \"80 00 00 10\"", octetValue(std::string("\x80\x00\x00\x10", 4))},
             {"ipaddress 192.0.2.99", ipValue(std::string("\xc0\x00\x02\x63", 4))}, {"integer -5", integerValue(-5)}}) {
        snmp::Value value;
        EXPECT_TRUE(fromPassLine(line, value)) << line;
        EXPECT_EQ(value, expected) << line;
    }
    snmp::Value value;
    for (const char* bad : {"integer x", "ipaddress 1.2.3", "ipaddress 1.2.3.4.5", "octet \"8\"", "opaque 1", ""})
        EXPECT_FALSE(fromPassLine(bad, value)) << bad;
}

// Feeds one script of protocol lines to a server for `subtree` of a steady
// switch and returns all it wrote.
std::string serve(const snmp::Oid& subtree, const std::string& script)
{
    ManualClock clock;
    auto device = makeSwitch("QMX-7720-ZA", clock, {.scenario = false});
    int requests[2], answers[2];
    EXPECT_TRUE(pipe(requests) == 0 && pipe(answers) == 0);
    EXPECT_EQ(write(requests[1], script.data(), script.size()), static_cast<ssize_t>(script.size()));
    close(requests[1]); // the server runs until the pipe ends
    std::mutex deviceMutex;
    RequestLog noLog("");
    PassPersistServer(*device, deviceMutex, noLog, subtree, requests[0], answers[1]).run();
    close(requests[0]);
    close(answers[1]);
    std::string output;
    char chunk[4096];
    for (ssize_t count; (count = read(answers[0], chunk, sizeof chunk)) > 0;)
        output.append(chunk, static_cast<std::size_t>(count));
    close(answers[0]);
    return output;
}

TEST(PassPersistServer, ServesOnlyItsSubtree)
{
    const std::string script = "get\n.1.3.6.1.2.1.1.5.0\n"
                               "getnext\n.1.0.8802.1.1.2.1.4.1.1.10.0.26.2\n" // the last LLDP object
                               "getnext\n.1\n";
    EXPECT_EQ(serve({1, 0, 8802, 1, 1, 2}, script), "NONE\nNONE\n.1.0.8802.1.1.2.1.3.1.0\ninteger\n4\n");
}

TEST(ModelFiles, PortListsParseAndFaultsAreReported)
{
    PortSet ports;
    ASSERT_TRUE(parsePortRanges("1-4,7", ports));
    EXPECT_EQ(ports, (PortSet{1, 2, 3, 4, 7}));
    for (const char* bad : {"4-1", "a", "1,,2", "0", "3-"})
        EXPECT_FALSE(parsePortRanges(bad, ports)) << bad;

    ModelData model;
    std::string error;
    EXPECT_FALSE(loadModel(defaultModelDirectory(), "QMX-0000-XX", model, &error));
    EXPECT_NE(error.find("QMX-0000-XX.xml"), std::string::npos) << error;

    const std::string directory = ::testing::TempDir();
    const std::string name = "qmx-sim-broken-" + std::to_string(getpid());
    std::ofstream(directory + "/" + name + ".xml") << "<switch model=\"X\" ports=\"8\"><system mac=\"00-00-5E-00-53\" ip=\"10.0.0.1\""
                                                      " netmask=\"255.0.0.0\" engine-id=\"80\"/></switch>";
    EXPECT_FALSE(loadModel(directory, name, model, &error));
    EXPECT_NE(error.find("<system>"), std::string::npos) << error;
    std::remove((directory + "/" + name + ".xml").c_str());
}

} // namespace
