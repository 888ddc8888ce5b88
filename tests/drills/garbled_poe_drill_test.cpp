// The PoE dialogs read garbled answers from a PoE switch: loading sends no
// set; PoE Configuration writes nothing a garbled read said, and the
// time-range editor, which writes back the row it read, leaves Apply off.
#include "drill_support.h"
#include "garbled_reads.h"
#include "udp_relay.h"

#include "dialogs/management/poe_configuration_dialog.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/port_range_control.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "write_wait.h"

#include <QComboBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace drills {
namespace {

using namespace dialogs::management;

enum class PoeDialog { PoeConfiguration, TimeRangeEditor };

struct PoeCase {
    PoeDialog dialog;
    Garble garble;
};

void PrintTo(const PoeCase& c, std::ostream* out)
{
    *out << (c.dialog == PoeDialog::PoeConfiguration ? "PoeConfiguration_" : "TimeRangeEditor_") << garbleName(c.garble);
}

const std::string kRanges = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";

Fields poeFields(PoeDialog dialog)
{
    if (dialog == PoeDialog::PoeConfiguration)
        // The index a port's time range is written as, and port 1's state that selecting its line copies.
        return {{kRanges + "1.1", "1.3.6.1.4.1.32473.10.75.6.22.1.1.3.1.1"}, {kRanges + "2.1"}, kRanges + "2.1"};
    // The row the editor reads: the date flag, a year, an hour, a day; the name.
    return {{kRanges + "3.1", kRanges + "4.1", kRanges + "7.1", kRanges + "14.1"}, {kRanges + "2.1"}, kRanges + "2.1"};
}

class GarbledPoeDrill : public ::testing::TestWithParam<PoeCase> {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        sim::SwitchAgentOptions options;
        options.model = "QMX-7740-ZP";
        options.scenario = false;
        options.requestLog = s_dir->filePath("requests.log").toStdString();
        std::string error;
        s_agent = sim::startSwitchAgent(options, &error).release();
        ASSERT_NE(s_agent, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        delete s_agent;
        delete s_dir;
    }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
        relay.setFaults({.rewrite = [kind = GetParam().garble, fields = poeFields(GetParam().dialog)](
                                        const snmp::Pdu& request, snmp::Pdu& answer) { garble(kind, fields, request, answer); }});
    }

    static std::vector<std::string> sets() { return loggedSetValues(s_dir->filePath("requests.log").toStdString()); }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    static inline QTemporaryDir* s_dir = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

// Opens PoE Configuration, copies the first line and the last time range into
// the controls, and applies them to port 1.
void applyWhatWasRead(CPoeConfigurationDialog& dialog, const UdpRelay& relay)
{
    int walks = 0;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &dialog, [&walks] { ++walks; });
    ASSERT_TRUE(waitUntil([&] { return walks == 2; })); // time ranges, then ports
    EXPECT_EQ(relay.counts().setRequests, 0) << "loading sent a set";
    if (dialog.list()->topLevelItemCount() > 0)
        dialog.list()->topLevelItem(0)->setSelected(true);
    auto* timeRange = dialog.findChild<QComboBox*>(QStringLiteral("timeRange"));
    timeRange->setCurrentIndex(timeRange->count() - 1);
    dialog.range()->setRange(1, 1);
    ASSERT_TRUE(dialog.apply());
    EXPECT_TRUE(waitForWrite(dialog));
}

TEST_P(GarbledPoeDrill, LoadingSendsNoSetAndApplyNeverWritesWhatTheGarbledReadSaid)
{
    ScriptedPrompter prompter;
    const std::size_t setsBefore = sets().size();
    if (GetParam().dialog == PoeDialog::PoeConfiguration) {
        CPoeConfigurationDialog dialog(28);
        applyWhatWasRead(dialog, relay);
        const std::vector<std::string> written = sets();
        EXPECT_GT(written.size(), setsBefore) << "Apply sent nothing";
        for (std::size_t i = setsBefore; i < written.size(); ++i)
            EXPECT_FALSE(fromGarbledRead(written[i])) << "written back: " << written[i].substr(0, 40);
    } else {
        CTimeBasedPoeConfigDialog editor({{1, "office-hours", "1"}}, 1);
        EXPECT_FALSE(editor.findChild<QPushButton*>(QStringLiteral("apply"))->isEnabled());
        EXPECT_FALSE(editor.apply());
        settle(20);
        EXPECT_EQ(sets().size(), setsBefore);
        EXPECT_TRUE(prompter.shown().empty());
    }
    EXPECT_GT(relay.counts().rewritten, 0);
}

std::string caseName(const ::testing::TestParamInfo<PoeCase>& info)
{
    std::ostringstream name;
    PrintTo(info.param, &name);
    return name.str();
}

// The editor's name read as an INTEGER is not among these: a range may be named "42".
INSTANTIATE_TEST_SUITE_P(
    PoeDialogs, GarbledPoeDrill,
    ::testing::Values(PoeCase{PoeDialog::PoeConfiguration, Garble::TextForInteger},
                      PoeCase{PoeDialog::PoeConfiguration, Garble::IntegerForText},
                      PoeCase{PoeDialog::PoeConfiguration, Garble::HugeText},
                      PoeCase{PoeDialog::PoeConfiguration, Garble::NoSuchName},
                      PoeCase{PoeDialog::PoeConfiguration, Garble::ShortAnswer},
                      PoeCase{PoeDialog::TimeRangeEditor, Garble::TextForInteger},
                      PoeCase{PoeDialog::TimeRangeEditor, Garble::HugeText},
                      PoeCase{PoeDialog::TimeRangeEditor, Garble::NoSuchName},
                      PoeCase{PoeDialog::TimeRangeEditor, Garble::ShortAnswer}),
    caseName);

} // namespace
} // namespace drills
