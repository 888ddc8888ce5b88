// PoE Configuration and the time-range dialogs against the simulated PoE
// switches in process: the sets each change sends, compared whole.
#include "dialogs/management/poe_configuration_dialog.h"
#include "dialogs/management/time_range_dialog.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/port_range_control.h"
#include "simulated_switch_fixture.h"

#include <QApplication>
#include <QTimer>

#include <regex>
#include <thread>

namespace {

using namespace dialogs::management;
using namespace std::chrono_literals;
const std::string kPoePorts = "1.3.6.1.4.1.32473.10.75.6.22.1.1.", kRanges = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";

// The switch stops answering after `answered` sets: later sets do not reach
// it, and each one's time-out comes 1.5 s later.
class StallingTransport final : public snmp::Transport {
public:
    StallingTransport(std::shared_ptr<sim::InProcessTransport> device, int answered)
        : m_device(std::move(device)), m_answered(answered) {}

    void submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done) override
    {
        snmp::Target to = target;
        if (request.type == snmp::PduType::Set) {
            std::lock_guard lock(m_mutex);
            setTimeouts.push_back(target.timeoutMs);
            if (m_answered-- <= 0) {
                to.community = "dropped";
                done = [done = std::move(done)](snmp::TransportStatus status, snmp::Pdu) {
                    std::this_thread::sleep_for(1500ms);
                    done(status, {});
                };
            }
        }
        m_device->submit(to, std::move(request), std::move(done));
    }
    std::vector<int> setTimeouts; // read once the sets have ended

private:
    std::shared_ptr<sim::InProcessTransport> m_device;
    int m_answered;
    std::mutex m_mutex;
};

class PoeSwitch : public SimulatedSwitchTest<::testing::TestWithParam<const char*>> {
protected:
    void SetUp() override
    {
        m_model = loadedModel(GetParam());
        startSwitch(m_model);
    }

    int poePorts() const { return m_model.portCount == 10 ? 8 : 24; }

    sim::ModelData m_model;
};

// `set` once per port, its "P" standing for the port.
Texts perPort(const std::string& set, std::vector<int> ports)
{
    Texts sets;
    for (int port : ports)
        sets.push_back(std::regex_replace(set, std::regex("P"), std::to_string(port)));
    return sets;
}

bool loaded(const CPoeConfigurationDialog& d, int lines)
{
    return waitUntil([&] { return d.list()->topLevelItemCount() == lines && child<QPushButton>(d, "apply")->isEnabled(); });
}

TEST_P(PoeSwitch, PoeApplyChecksEveryPortOfTheRangeThenWritesEachPort)
{
    for (const auto& [column, value] : {std::pair{4u, 1}, {5u, 3}, {6u, 5}}) // port 3 at office-hours, High, Class 4
        setOnSwitch(sim::joined(sim::oids::kPoePortEntry, {column, 1, 3}), sim::integerValue(value));
    CPoeConfigurationDialog dialog(m_model.portCount);
    ASSERT_TRUE(loaded(dialog, poePorts()));
    EXPECT_EQ(dialog.range()->fromCombo()->count(), poePorts()) << "ports beyond the PoE ports offered";
    EXPECT_EQ(dialog.range()->to(), poePorts());

    // The current line, moved without a selection, shows all it holds; only "State" is changed.
    dialog.list()->selectionModel()->setCurrentIndex(dialog.list()->model()->index(2, 0), QItemSelectionModel::NoUpdate);
    EXPECT_EQ(shown(dialog, {"fromPort", "toPort", "timeRange", "priority", "powerLimit", "userDefine"}),
              (Texts{"3", "3", "office-hours", "High", "Class 4", "off"}));
    dialog.range()->setRange(3, 5);
    fill(dialog, {{"state", "Disable"}});
    EXPECT_EQ(setsBy(dialog, kPoePorts, [&] { ASSERT_TRUE(dialog.apply()); }), perPort("3.1.P=2 4.1.P=1 5.1.P=3 7.1.P=2 6.1.P=5", {3, 4, 5}));
    ASSERT_TRUE(loaded(dialog, poePorts()));
    EXPECT_EQ(row(*dialog.list(), 3, 5), (Texts{"4", "Disable", "office-hours", "High", "Class 4"}));

    // The range goes after the dialog read it: the switch refuses port 3's set.
    fill(dialog, {{"userDefine", "on"}, {"userLimit", "15.6"}});
    EXPECT_FALSE(child<QComboBox>(dialog, "powerLimit")->isEnabled());
    setOnSwitch(sim::joined(sim::oids::kPoeTimeRangeEntry, {21, 1}), sim::integerValue(sim::kDestroy));
    dialog.range()->setRange(3, 4);
    EXPECT_EQ(setsBy(dialog, kPoePorts, [&] { ASSERT_TRUE(dialog.apply()); }), Texts{"3.1.3=2 4.1.3=1 5.1.3=3 7.1.3=1 8.1.3=\"15.6\""});
    EXPECT_EQ(prompter.texts(), Texts{"Unsuccessful!"});
}

// The window's events during the write are the write path's (foundations_test).
TEST_P(PoeSwitch, ASwitchThatStopsAnsweringAtTheThirdPortEndsTheLoopThere)
{
    const auto stalling = std::make_shared<StallingTransport>(m_transport, 2);
    dialogs::CDialogSession::setTransport(stalling);
    CPoeConfigurationDialog dialog(m_model.portCount);
    ASSERT_TRUE(loaded(dialog, poePorts()));
    const int from = std::max(poePorts() - 19, 1); // twenty sets where there are as many ports
    dialog.range()->setRange(from, poePorts());
    ASSERT_TRUE(dialog.apply());
    if (poePorts() > 10) {
        EXPECT_TRUE(waitUntil([&] { return child<QLabel>(dialog, "writeProgress")->text() == "Writing port 3 of 20"; }));
    }
    EXPECT_FALSE(child<QPushButton>(dialog, "apply")->isEnabled());
    ASSERT_TRUE(waitForWrite(dialog));

    EXPECT_EQ(prompter.texts(), Texts{"Unsuccessful!"});
    EXPECT_EQ(takeSetTexts(kPoePorts), perPort("3.1.P=1 4.1.P=0 5.1.P=2 7.1.P=2 6.1.P=1", {from, from + 1, from + 2}))
        << "a set after the unanswered one";
    EXPECT_EQ(stalling->setTimeouts, (std::vector<int>{20000, 20000, 20000}));
}

// Runs `drive` on the time-range editor once the list has opened it (modally)
// and the editor has read its row.
void whenEditorOpens(std::function<void(CTimeBasedPoeConfigDialog&)> drive)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, drive = std::move(drive)] {
        if (auto* editor = qobject_cast<CTimeBasedPoeConfigDialog*>(QApplication::activeModalWidget());
            editor && !editor->reading()) {
            poll->deleteLater();
            poll->stop();
            drive(*editor);
        }
    });
    poll->start(5);
}

// Runs `action`, then waits for the dialog's next walk to end.
void walkAfter(dialogs::CDialogBase& dialog, const std::function<void()>& action = {})
{
    WalkEnds ends(dialog);
    if (action)
        action();
    ends.wait(1);
}

const Texts kOfficeHours{"office-hours", "Mon,Tue,Wed,Thu,Fri", "", "", "08:00", "18:59"};

TEST_P(PoeSwitch, TimeRangesAreAddedAndDeleted)
{
    sim::SwitchSettings settings = quietSwitch(); // a name longer than the editor takes is listed whole
    settings.faults.answers = {{sim::joined(sim::oids::kPoeTimeRangeEntry, {2, 1}), std::string(70, 'n')}};
    startSwitch(m_model, settings);
    // A range left half-made holds its index: it is listed, marked, and can be deleted.
    setOnSwitch(sim::joined(sim::oids::kPoeTimeRangeEntry, {21, 3}), sim::integerValue(sim::kCreateAndWait));
    setOnSwitch(sim::joined(sim::oids::kPoeTimeRangeEntry, {2, 3}), sim::octetValue("parked"));
    CTimeRangeListDialog list;
    walkAfter(list);
    EXPECT_EQ(row(*list.list(), 0, 1), Texts{std::string(70, 'n')});
    EXPECT_EQ(row(*list.list(), 1, 1), Texts{"parked (not active)"});

    whenEditorOpens([](CTimeBasedPoeConfigDialog& editor) {
        EXPECT_FALSE(child<QComboBox>(editor, "fromYear")->isEnabled());
        child<QCheckBox>(editor, "date")->click();
        fill(editor, {{"rangeName", "night"}, {"fromYear", "2010"}, {"fromMonth", "5"}, {"fromDay", "3"}, {"toYear", "2011"},
                      {"toMonth", "12"}, {"toDay", "31"}, {"startHour", "22"}, {"startMinute", "30"}, {"endHour", "6"}});
        for (const char* box : {"allDays", "day0", "day1", "day2", "day3", "day4"})
            toggleAsScreenReader(child<QCheckBox>(editor, box));
        EXPECT_TRUE(editor.apply());
    });
    walkAfter(list, [&] { list.add(); });
    EXPECT_EQ(takeSetTexts(kRanges), (Texts{"21.2=5", "2.2=\"night\" 3.2=1 4.2=2010 5.2=5 6.2=3 9.2=2011 10.2=12 11.2=31 7.2=22 8.2=30 "
                                           "12.2=6 13.2=0 14.2=2 15.2=2 16.2=2 17.2=2 18.2=2 19.2=1 20.2=1 21.2=1"}));
    EXPECT_EQ(row(*list.list(), 1, 6), (Texts{"night", "Sat,Sun", "2010/05/03", "2011/12/31", "22:30", "06:00"}));

    list.list()->setCurrentItem(list.list()->topLevelItem(0));
    walkAfter(list, [&] { list.remove(); });
    EXPECT_EQ(takeSetTexts(kRanges), Texts{"21.1=6"});
    EXPECT_EQ(row(*list.list(), 0, 1), Texts{"night"});

    list.list()->setCurrentItem(list.list()->topLevelItem(1));
    walkAfter(list, [&] { list.remove(); });
    EXPECT_EQ(takeSetTexts(kRanges), Texts{"21.3=6"});
    EXPECT_EQ(list.list()->topLevelItemCount(), 1);
}

TEST_P(PoeSwitch, AnEditTheSwitchRefusesPutsTheOldRangeBackOrSaysItIsGone)
{
    // The sets answered before the switch goes silent: all, then all but the put-back.
    for (const int answered : {100, 4}) {
        SCOPED_TRACE(answered);
        dialogs::CDialogSession::setTransport(std::make_shared<StallingTransport>(m_transport, answered));
        prompter.clear();
        CTimeRangeListDialog list;
        walkAfter(list);
        list.list()->setCurrentItem(list.list()->topLevelItem(0));
        // February 30th passes the editor's checks; the switch refuses the range.
        whenEditorOpens([](CTimeBasedPoeConfigDialog& editor) {
            EXPECT_FALSE(child<QLineEdit>(editor, "rangeName")->isEnabled());
            child<QCheckBox>(editor, "date")->click();
            fill(editor, {{"fromYear", "2010"}, {"fromMonth", "2"}, {"fromDay", "30"}, {"toYear", "2010"}, {"toMonth", "3"}});
            EXPECT_TRUE(editor.apply());
        });
        walkAfter(list, [&] { list.edit(); });
        if (answered == 4) {
            EXPECT_EQ(prompter.texts(), Texts{kTimeRangeRemoved});
            EXPECT_EQ(list.list()->topLevelItemCount(), 0);
            break;
        }
        EXPECT_EQ(prompter.texts(), Texts{kTimeRangeNotChanged});
        const std::string rest = " 7.1=8 8.1=0 12.1=18 13.1=59 14.1=1 15.1=1 16.1=1 17.1=1 18.1=1 19.1=2 20.1=2 21.1=1";
        EXPECT_EQ(takeSetTexts(kRanges), (Texts{"21.1=6", "21.1=5", "2.1=\"office-hours\" 3.1=1 4.1=2010 5.1=2 6.1=30 9.1=2010 10.1=3 11.1=31" + rest,
                                     "21.1=6", "21.1=5", "2.1=\"office-hours\" 3.1=2" + rest}));
        EXPECT_EQ(row(*list.list(), 0, 6), kOfficeHours) << "the range is not what it was";
    }
}

INSTANTIATE_TEST_SUITE_P(Models, PoeSwitch, ::testing::Values("QMX-7740-ZP", "QMX-7710-ZP"));

} // namespace
