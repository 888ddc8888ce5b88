// The syslog host dialog fed garbled reads: Apply is refused, stays off, or
// writes nothing a garbled read said.
#include "drill_support.h"
#include "udp_relay.h"

#include "dialogs/binding.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

namespace drills {
namespace {

const std::string kSyslog = "1.3.6.1.4.1.32473.10.75.7.16.1.";
enum class Garble { TextForInteger, IntegerForAddress, HugeAddress, NoSuchName, ShortAnswer };
enum class Apply { Refused, SendsNothing, WritesNoGarbage };

// Port, facility and severity become text; the address a number or a long
// text; or the whole answer goes wrong. The state stays "enabled".
void garble(Garble kind, snmp::Pdu& answer)
{
    if (answer.bindings.empty() || snmp::oidToText(answer.bindings[0].oid).rfind(kSyslog, 0) != 0)
        return;
    for (snmp::VarBind& binding : answer.bindings) {
        const std::string oid = snmp::oidToText(binding.oid);
        if (kind == Garble::TextForInteger && oid != kSyslog + "1.0" && oid != kSyslog + "6.0")
            binding.value = {.type = snmp::Asn::OctetString, .octets = "77 garbled"};
        else if (kind == Garble::IntegerForAddress && oid == kSyslog + "1.0")
            binding.value = {.type = snmp::Asn::Integer, .integer = 42};
        else if (kind == Garble::HugeAddress && oid == kSyslog + "1.0")
            binding.value = {.type = snmp::Asn::OctetString, .octets = std::string(10000, '7')};
    }
    if (kind == Garble::NoSuchName)
        answer.errorStatus = answer.errorIndex = 2;
    else if (kind == Garble::ShortAnswer)
        answer.bindings.resize(2);
}

class GarbledSyslogDrill : public ::testing::TestWithParam<std::pair<Garble, Apply>> {
protected:
    static void SetUpTestSuite()
    {
        s_agent = startSuiteSwitch();
        ASSERT_NE(s_agent, nullptr);
        // Syslog on toward a server, so Apply writes the server back.
        snmp::CCommonSnmp session;
        std::unique_ptr<snmp::CSnmpResponse> response;
        ASSERT_TRUE(dialogs::prepare(session, snmp::kPduSet, {{kSyslog + "1.0", 8, "10.1.1.9"}, {kSyslog + "6.0", 1, "1"}}));
        ASSERT_EQ(session.send(response), snmp::kStatusOk);
    }
    static void TearDownTestSuite() { delete s_agent; }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    std::mutex mutex;
    std::vector<std::string> written; // the values of the sets the relay passed
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

TEST_P(GarbledSyslogDrill, ApplyNeverWritesWhatTheGarbledReadSaid)
{
    const auto [kind, expected] = GetParam();
    ASSERT_TRUE(relay.ready());
    useAgent(relay.port());
    relay.setFaults({.rewrite = [this, kind](const snmp::Pdu& request, snmp::Pdu& answer) {
        std::lock_guard lock(mutex);
        for (const snmp::VarBind& binding : request.bindings)
            if (request.type == snmp::PduType::Set)
                written.push_back(binding.value.octets + std::to_string(binding.value.integer));
        garble(kind, answer);
    }});
    ScriptedPrompter prompter;
    dialogs::management::CSyslogHostDialog dialog;
    bool ended = false;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, [&ended] { ended = true; });
    ASSERT_TRUE(waitUntil([&] { return ended; }));
    EXPECT_GT(relay.counts().rewritten, 0);

    dialog.apply();
    EXPECT_TRUE(waitForWrite(dialog));
    settle(50);
    std::lock_guard lock(mutex);
    EXPECT_EQ(!written.empty(), expected == Apply::WritesNoGarbage);
    EXPECT_EQ(prompter.texts(), expected == Apply::Refused ? std::vector<std::string>{"Syslog Server IP Error."}
                                                           : std::vector<std::string>{});
    for (const std::string& value : written)
        EXPECT_TRUE(value.find("77") == std::string::npos && value.find("42") == std::string::npos) << value;
}

std::string garbleName(const ::testing::TestParamInfo<std::pair<Garble, Apply>>& info)
{
    static const char* const kNames[] = {"TextForInteger", "IntegerForAddress", "HugeAddress", "NoSuchName", "ShortAnswer"};
    return kNames[static_cast<int>(info.param.first)];
}

INSTANTIATE_TEST_SUITE_P(Garbles, GarbledSyslogDrill,
                         ::testing::Values(std::pair{Garble::TextForInteger, Apply::WritesNoGarbage},
                                           std::pair{Garble::IntegerForAddress, Apply::Refused},
                                           std::pair{Garble::HugeAddress, Apply::Refused},
                                           std::pair{Garble::NoSuchName, Apply::SendsNothing},
                                           std::pair{Garble::ShortAnswer, Apply::SendsNothing}),
                         garbleName);

} // namespace
} // namespace drills
