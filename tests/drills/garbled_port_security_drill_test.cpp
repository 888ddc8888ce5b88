// The port security dialogs that write back what they read, fed garbled
// answers: Apply sends nothing until a clean read, and a clean read writes.
#include "relayed_switch.h"

#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dhcp_screening_rules.h"
#include "dialogs/switching/dot1x_config_dialog.h"
#include "dialogs/switching/dot1x_rules.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

namespace drills {
namespace {

enum class Dialog { Dot1xConfig, DhcpScreening };
enum class Garble { None, TextForInteger, IntegerForText, HugeText, NoSuchName, ShortAnswer };

struct Case {
    Dialog dialog;
    Garble garble;
};

std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    static const char* const kDialogs[] = {"Dot1xConfig", "DhcpScreening"};
    static const char* const kGarbles[] = {"Clean", "TextForInteger", "IntegerForText", "HugeText", "NoSuchName",
                                           "ShortAnswer"};
    return std::string(kDialogs[static_cast<int>(info.param.dialog)]) + "_" + kGarbles[static_cast<int>(info.param.garble)];
}

// The answers garbled: INTEGERs and texts by their place in the read.
struct Targets {
    std::vector<snmp::Oid> integers;
    std::vector<snmp::Oid> texts;
};

Targets targetsOf(Dialog dialog)
{
    Targets targets;
    if (dialog == Dialog::DhcpScreening) {
        targets.texts.push_back(oidOf(dialogs::switching::dhcpScreeningRead().front().oid));
        return targets;
    }
    const auto oids = dialogs::switching::dot1xConfigRead().oids;
    for (std::size_t i = 0; i < oids.size(); ++i)
        (i == 1 || i == 2 ? targets.texts : targets.integers).push_back(oidOf(oids[i]));
    return targets;
}

void garble(Garble kind, const Targets& targets, snmp::Pdu& answer)
{
    const auto among = [](const snmp::Oid& oid, const std::vector<snmp::Oid>& oids) {
        return std::find(oids.begin(), oids.end(), oid) != oids.end();
    };
    bool hit = false;
    for (snmp::VarBind& binding : answer.bindings) {
        const bool integer = among(binding.oid, targets.integers);
        const bool text = among(binding.oid, targets.texts);
        hit = hit || integer || text;
        if (kind == Garble::TextForInteger && integer)
            binding.value = {.type = snmp::Asn::OctetString, .octets = "77 garbled"};
        else if (kind == Garble::IntegerForText && text)
            binding.value = {.type = snmp::Asn::Integer, .integer = 42};
        else if (kind == Garble::HugeText && text)
            binding.value = {.type = snmp::Asn::OctetString, .octets = std::string(10000, '7')};
    }
    if (hit && kind == Garble::NoSuchName) {
        answer.errorStatus = 2;
        answer.errorIndex = 1;
    } else if (hit && kind == Garble::ShortAnswer) {
        answer.bindings.resize(answer.bindings.size() / 2);
    }
}

class GarbledPortSecurityDrill : public RelayedSwitch<::testing::TestWithParam<Case>> {
protected:
    void SetUp() override
    {
        RelayedSwitch::SetUp();
        if (GetParam().garble != Garble::None)
                relay.setFaults({.rewrite = [c = GetParam()](const snmp::Pdu& request, snmp::Pdu& answer) {
                if (request.type != snmp::PduType::Set)
                    garble(c.garble, targetsOf(c.dialog), answer);
            }});
    }
};

TEST_P(GarbledPortSecurityDrill, ApplyWaitsForACleanRead)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    std::unique_ptr<dialogs::CDialogBase> dialog;
    bool ended = false;
    QObject watcher;
    if (c.dialog == Dialog::Dot1xConfig)
        dialog = std::make_unique<dialogs::switching::CDot1xConfigDialog>(28);
    else
        dialog = std::make_unique<dialogs::switching::CDhcpScreeningDialog>(28);
    QObject::connect(dialog.get(), &dialogs::CDialogBase::walkEnded, &watcher, [&ended] { ended = true; });
    ASSERT_TRUE(waitUntil([&] { return ended; }));
    EXPECT_EQ(relay.counts().rewritten > 0, c.garble != Garble::None);

    if (c.dialog == Dialog::Dot1xConfig)
        static_cast<dialogs::switching::CDot1xConfigDialog&>(*dialog).apply();
    else
        static_cast<dialogs::switching::CDhcpScreeningDialog&>(*dialog).apply();
    EXPECT_TRUE(waitForWrite(*dialog));
    EXPECT_EQ(relay.counts().setRequests, c.garble == Garble::None ? 1 : 0);
    EXPECT_TRUE(prompter.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, GarbledPortSecurityDrill,
    ::testing::Values(Case{Dialog::Dot1xConfig, Garble::None}, Case{Dialog::Dot1xConfig, Garble::TextForInteger},
                      Case{Dialog::Dot1xConfig, Garble::IntegerForText}, Case{Dialog::Dot1xConfig, Garble::HugeText},
                      Case{Dialog::Dot1xConfig, Garble::NoSuchName}, Case{Dialog::Dot1xConfig, Garble::ShortAnswer},
                      Case{Dialog::DhcpScreening, Garble::None}, Case{Dialog::DhcpScreening, Garble::IntegerForText},
                      Case{Dialog::DhcpScreening, Garble::HugeText}, Case{Dialog::DhcpScreening, Garble::NoSuchName},
                      Case{Dialog::DhcpScreening, Garble::ShortAnswer}),
    caseName);

} // namespace
} // namespace drills
