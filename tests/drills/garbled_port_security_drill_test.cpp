// The port security dialogs that write back what they read, fed garbled
// answers: Apply sends nothing until a read it can show, and then only what
// the dialog shows. 802.1X shows what decodes (its state off, so Apply
// writes the state alone); DHCP screening decodes a list longer than its
// ports and waits for one that is not shorter.
#include "garbled_reads.h"
#include "relayed_switch.h"

#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dhcp_screening_rules.h"
#include "dialogs/switching/dot1x_config_dialog.h"
#include "dialogs/switching/dot1x_rules.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "walk_ends.h"
#include "write_wait.h"

#include <optional>

namespace drills {
namespace {

enum class Dialog { Dot1xConfig, DhcpScreening };
// A case without a garble is the clean control: Apply then writes.
struct Case {
    Dialog dialog;
    std::optional<Garble> garble;
    int sets;
};

std::string securityCaseName(const ::testing::TestParamInfo<Case>& info)
{
    static const char* const kDialogs[] = {"Dot1xConfig", "DhcpScreening"};
    return std::string(kDialogs[static_cast<int>(info.param.dialog)]) + "_"
        + (info.param.garble ? garbleName(*info.param.garble) : "Clean");
}

// The answers garbled: INTEGERs and texts by their place in the read.
Fields fieldsOf(Dialog dialog)
{
    Fields fields;
    if (dialog == Dialog::DhcpScreening) {
        fields.texts.push_back(dialogs::switching::dhcpScreeningRead().front().oid);
        fields.huge = fields.texts.front();
        return fields;
    }
    const auto oids = dialogs::switching::dot1xConfigRead().oids;
    for (std::size_t i = 0; i < oids.size(); ++i)
        (i == 1 || i == 2 ? fields.texts : fields.integers).push_back(oids[i]);
    fields.huge = oids[1];
    return fields;
}

class GarbledPortSecurityDrill : public RelayedSwitch<::testing::TestWithParam<Case>> {
protected:
    void SetUp() override
    {
        RelayedSwitch::SetUp();
        if (GetParam().garble)
            relay.setFaults({.rewrite = [c = GetParam()](const snmp::Pdu& request, snmp::Pdu& answer) {
                garble(*c.garble, fieldsOf(c.dialog), request, answer);
            }});
    }
};

TEST_P(GarbledPortSecurityDrill, ApplyWaitsForAReadItCanShow)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    std::unique_ptr<dialogs::CDialogBase> dialog;
    if (c.dialog == Dialog::Dot1xConfig)
        dialog = std::make_unique<dialogs::switching::CDot1xConfigDialog>(28);
    else
        dialog = std::make_unique<dialogs::switching::CDhcpScreeningDialog>(28);
    WalkEnds(*dialog).wait(1);
    ASSERT_TRUE(waitForReads(*dialog));
    EXPECT_EQ(relay.counts().rewritten > 0, c.garble.has_value());

    if (c.dialog == Dialog::Dot1xConfig)
        static_cast<dialogs::switching::CDot1xConfigDialog&>(*dialog).apply();
    else
        static_cast<dialogs::switching::CDhcpScreeningDialog&>(*dialog).apply();
    EXPECT_TRUE(waitForWrite(*dialog));
    EXPECT_EQ(relay.counts().setRequests, c.sets);
    EXPECT_TRUE(prompter.shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, GarbledPortSecurityDrill,
    ::testing::Values(Case{Dialog::Dot1xConfig, std::nullopt, 1}, Case{Dialog::Dot1xConfig, Garble::TextForInteger, 1},
                      Case{Dialog::Dot1xConfig, Garble::IntegerForText, 1}, Case{Dialog::Dot1xConfig, Garble::HugeText, 1},
                      Case{Dialog::Dot1xConfig, Garble::NoSuchName, 0}, Case{Dialog::Dot1xConfig, Garble::ShortAnswer, 0},
                      Case{Dialog::DhcpScreening, std::nullopt, 1}, Case{Dialog::DhcpScreening, Garble::IntegerForText, 0},
                      Case{Dialog::DhcpScreening, Garble::HugeText, 1}, Case{Dialog::DhcpScreening, Garble::NoSuchName, 0},
                      Case{Dialog::DhcpScreening, Garble::ShortAnswer, 0}),
    securityCaseName);

} // namespace
} // namespace drills
