#pragma once

#include "drill_support.h"
#include "udp_relay.h"

#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Answers garbled on their way from the switch, what a garbled read could
// turn into once written back, and the sets the switch's log holds.
namespace drills {

// SendsNothing: Apply stays off, silently, until the values are read.
enum class Apply { Refused, SendsNothing, WritesNoGarbage };

inline const char* garbleName(Garble garble)
{
    static const char* const kNames[] = {"TextForInteger", "IntegerForText", "HugeText", "NoSuchName", "ShortAnswer",
                                         "WideTimer"};
    return kNames[static_cast<int>(garble)];
}

// Values a garbled answer could turn into once shown and written back.
inline bool fromGarbledRead(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value == "77" || value == std::to_string(kGarbledInteger) || value.find("7777") != std::string::npos
           || value.find("garbled") != std::string::npos || value == std::to_string(kWideTimer / 10);
}

// What a dialog reads, by the type the switch gives it (objects or whole
// columns); `huge` gets the long text.
struct Fields {
    std::vector<std::string> integers;
    std::vector<std::string> texts;
    std::string huge;
};

inline bool isOrUnder(const snmp::Oid& oid, const std::string& object)
{
    return oid == oidOf(object) || within(oid, object);
}

inline void garble(Garble kind, const Fields& fields, const snmp::Pdu& request, snmp::Pdu& answer)
{
    const auto among = [](const snmp::Oid& oid, const std::vector<std::string>& oids) {
        return std::any_of(oids.begin(), oids.end(), [&](const std::string& object) { return isOrUnder(oid, object); });
    };
    garbleAnswer(kind, request, answer, [&](const snmp::Oid& oid, Garble how) {
        const bool integer = among(oid, fields.integers);
        const bool text = among(oid, fields.texts);
        return how == Garble::TextForInteger || how == Garble::WideTimer ? integer
               : how == Garble::IntegerForText ? text
               : how == Garble::HugeText       ? isOrUnder(oid, fields.huge)
                                               : integer || text;
    });
}

// The values of the sets a switch's request log holds.
inline std::vector<std::string> loggedSetValues(const std::string& path)
{
    std::vector<std::string> values;
    std::ifstream log(path);
    for (std::string line; std::getline(log, line);) {
        std::istringstream fields(line);
        std::string time, kind, oid, type, value;
        fields >> time >> kind >> oid >> type;
        std::getline(fields >> std::ws, value);
        if (kind == "set")
            values.push_back(value);
    }
    return values;
}

// After Apply: nothing was sent unless the case writes, one message when it
// is refused, and no set carries what a garbled read said. `before` sets
// were logged before the dialog opened.
inline void expectNoGarbageWritten(const std::vector<std::string>& sets, std::size_t before, Apply expected,
                                   std::size_t messages)
{
    if (expected != Apply::WritesNoGarbage) {
        EXPECT_EQ(sets.size(), before);
        EXPECT_EQ(messages, expected == Apply::Refused ? 1u : 0u);
    }
    for (std::size_t i = before; i < sets.size(); ++i)
        EXPECT_FALSE(fromGarbledRead(sets[i])) << "written back: " << sets[i].substr(0, 40);
}

// One quiet switch behind snmpd for the whole suite, its requests logged, and
// a relay per case between the dialogs and it.
template <typename Param>
class LoggedSwitchDrill : public ::testing::TestWithParam<Param> {
protected:
    static void SetUpTestSuite() { startLoggedSwitch({}); }
    static void TearDownTestSuite()
    {
        delete s_agent;
        delete s_dir;
    }
    static void startLoggedSwitch(sim::SwitchAgentOptions options)
    {
        s_dir = new QTemporaryDir;
        options.scenario = false;
        options.requestLog = log();
        std::string error;
        s_agent = sim::startSwitchAgent(options, &error).release();
        ASSERT_NE(s_agent, nullptr) << error;
    }
    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
    }

    static std::string log() { return s_dir->filePath("requests.log").toStdString(); }
    // The values of the sets that reached the switch so far.
    static std::vector<std::string> setValues() { return loggedSetValues(log()); }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    static inline QTemporaryDir* s_dir = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

// A test name from the case's PrintTo.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::ostringstream name;
    PrintTo(info.param, &name);
    return name.str();
}

} // namespace drills
