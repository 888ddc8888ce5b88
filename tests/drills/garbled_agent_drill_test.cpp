// The agent dialogs that write back what they read, fed garbled answers:
// loading sends no set, and Apply is refused, sends nothing, or writes
// nothing a garbled read said. The switch's request log is the witness.
#include "garbled_reads.h"

#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

#include <QLineEdit>

#include <sstream>

namespace drills {
namespace {

const std::string kAgent = "1.3.6.1.4.1.32473.10.75.7.25";

enum class Dialog { GlobalState, EngineId, Traps, Community };

struct Case {
    Dialog dialog;
    Garble garble;
    Apply expected;
};

void PrintTo(const Case& c, std::ostream* out)
{
    static const char* const kDialogs[] = {"GlobalState", "EngineId", "Traps", "Community"};
    *out << kDialogs[static_cast<int>(c.dialog)] << "_" << garbleName(c.garble);
}

Fields fieldsOf(Dialog dialog)
{
    switch (dialog) {
    case Dialog::GlobalState:
        return {{kAgent + ".1.0"}, {}, kAgent + ".1.0"};
    case Dialog::EngineId:
        return {{}, {kAgent + ".7.0"}, kAgent + ".7.0"};
    case Dialog::Traps: {
        Fields fields;
        for (int trap = 1; trap <= 6; ++trap)
            fields.integers.push_back(kAgent + ".8." + std::to_string(trap) + ".0");
        fields.huge = fields.integers.front();
        return fields;
    }
    case Dialog::Community: // the user walk that fills the view policy combo
        return {{kAgent + ".2.1.1.2"}, {kAgent + ".2.1.1.1"}, kAgent + ".2.1.1.1"};
    }
    return {};
}

class GarbledAgentDrill : public LoggedSwitchDrill<Case> {
protected:
    void SetUp() override
    {
        LoggedSwitchDrill::SetUp();
        relay.setFaults({.rewrite = [kind = GetParam().garble, fields = fieldsOf(GetParam().dialog)](
                                        const snmp::Pdu& request, snmp::Pdu& answer) {
            garble(kind, fields, request, answer);
        }});
    }

    static inline int s_communities = 0;
};

// Opens the dialog and waits until its reads (for the community dialog: both walks) ended.
std::unique_ptr<dialogs::CDialogBase> openGarbled(Dialog dialog)
{
    std::unique_ptr<dialogs::CDialogBase> opened;
    if (dialog == Dialog::GlobalState)
        opened = std::make_unique<dialogs::management::CSnmpGlobalStateDialog>();
    else if (dialog == Dialog::EngineId)
        opened = std::make_unique<dialogs::management::CSnmpEngineIdDialog>();
    else if (dialog == Dialog::Traps)
        opened = std::make_unique<dialogs::management::CSnmpTrapDialog>("QMX-7720-ZA");
    else
        opened = std::make_unique<dialogs::management::CSnmpCommunityTableDialog>();
    int ends = 0;
    QObject watcher;
    QObject::connect(opened.get(), &dialogs::CDialogBase::walkEnded, &watcher, [&ends] { ++ends; });
    EXPECT_TRUE(waitUntil([&] { return ends >= (dialog == Dialog::Community ? 2 : 1); }));
    settle(20);
    return opened;
}

TEST_P(GarbledAgentDrill, LoadingSendsNoSetAndApplyNeverWritesWhatTheGarbledReadSaid)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    const std::size_t setsBefore = setValues().size();
    const auto dialog = openGarbled(c.dialog);
    ASSERT_NE(dialog, nullptr);
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_EQ(relay.counts().setRequests, 0) << "loading sent a set";

    using namespace dialogs::management;
    if (c.dialog == Dialog::GlobalState)
        static_cast<CSnmpGlobalStateDialog&>(*dialog).apply();
    else if (c.dialog == Dialog::EngineId)
        static_cast<CSnmpEngineIdDialog&>(*dialog).apply();
    else if (c.dialog == Dialog::Traps)
        static_cast<CSnmpTrapDialog&>(*dialog).apply();
    else {
        const std::string name = "drill" + std::to_string(++s_communities);
        dialog->findChild<QLineEdit*>("communityName")->setText(QString::fromStdString(name));
        static_cast<CSnmpCommunityTableDialog&>(*dialog).apply();
    }
    EXPECT_TRUE(waitForWrite(*dialog));
    settle(50);

    const std::vector<std::string> sets = setValues();
    expectNoGarbageWritten(sets, setsBefore, c.expected, prompter.shown().size());
    if (c.expected == Apply::WritesNoGarbage) {
        EXPECT_GT(sets.size(), setsBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    AgentDialogs, GarbledAgentDrill,
    ::testing::Values(Case{Dialog::GlobalState, Garble::TextForInteger, Apply::SendsNothing},
                      Case{Dialog::GlobalState, Garble::HugeText, Apply::SendsNothing},
                      Case{Dialog::GlobalState, Garble::NoSuchName, Apply::SendsNothing},
                      Case{Dialog::EngineId, Garble::IntegerForText, Apply::Refused},
                      Case{Dialog::EngineId, Garble::HugeText, Apply::Refused},
                      Case{Dialog::EngineId, Garble::NoSuchName, Apply::Refused},
                      Case{Dialog::Traps, Garble::TextForInteger, Apply::SendsNothing},
                      Case{Dialog::Traps, Garble::NoSuchName, Apply::SendsNothing},
                      Case{Dialog::Traps, Garble::ShortAnswer, Apply::SendsNothing},
                      Case{Dialog::Community, Garble::TextForInteger, Apply::WritesNoGarbage},
                      Case{Dialog::Community, Garble::IntegerForText, Apply::WritesNoGarbage},
                      Case{Dialog::Community, Garble::HugeText, Apply::WritesNoGarbage},
                      Case{Dialog::Community, Garble::ShortAnswer, Apply::WritesNoGarbage}),
    caseName<Case>);

} // namespace
} // namespace drills
