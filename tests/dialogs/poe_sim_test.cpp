// PoE Configuration and the time-range dialogs against the simulated PoE
// switches in process: the sets each change sends, compared whole.
#include "../sim/switch_fixture.h"
#include "dialogs/dialog_session.h"
#include "dialogs/management/poe_configuration_dialog.h"
#include "dialogs/management/time_range_dialog.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/port_range_control.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "sim/in_process_transport.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "write_wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <thread>

namespace dialogs {
void PrintTo(const Binding& binding, std::ostream* out)
{
    *out << binding.oid << " " << binding.type << " " << binding.value.substr(0, 40);
}
} // namespace dialogs

using namespace dialogs::management;
using dialogs::Bindings;

namespace {

const std::string kPort = "1.3.6.1.4.1.32473.10.75.6.22.1.1.";
const std::string kRange = "1.3.6.1.4.1.32473.10.75.6.23.1.1.";

// One port's set: (column, value) pairs, column 8 a text.
Bindings portSet(int port, std::vector<std::pair<int, std::string>> columns)
{
    Bindings bindings;
    for (auto& [column, value] : columns)
        bindings.push_back({kPort + std::to_string(column) + ".1." + std::to_string(port), column == 8 ? 2 : 1, value});
    return bindings;
}

// One time-range set: (column, value) pairs, column 2 a text.
Bindings rangeSet(int index, std::vector<std::pair<int, std::string>> columns)
{
    Bindings bindings;
    for (auto& [column, value] : columns)
        bindings.push_back({kRange + std::to_string(column) + "." + std::to_string(index), column == 2 ? 2 : 1, value});
    return bindings;
}

Bindings setBindings(const snmp::Pdu& pdu)
{
    Bindings bindings;
    for (const snmp::VarBind& b : pdu.bindings) {
        const bool text = b.value.type == snmp::Asn::OctetString;
        bindings.push_back({snmp::oidToText(b.oid), text ? 2 : 1, text ? b.value.octets : std::to_string(b.value.integer)});
    }
    return bindings;
}

// Sets go to the switch until `answered` sets were answered; then the switch
// stops answering: each later request times out after `silence`.
class StallingTransport final : public snmp::Transport {
public:
    StallingTransport(std::shared_ptr<sim::InProcessTransport> device, int answered, std::chrono::milliseconds silence)
        : m_device(std::move(device)), m_answered(answered), m_silence(silence) {}
    ~StallingTransport() override
    {
        for (std::thread& thread : m_threads)
            thread.join();
    }

    void submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done) override
    {
        std::lock_guard lock(m_mutex);
        if (request.type == snmp::PduType::Set)
            m_setTimeouts.push_back(target.timeoutMs);
        if (m_answered > 0 || request.type != snmp::PduType::Set) {
            m_answered -= request.type == snmp::PduType::Set;
            m_device->submit(target, std::move(request), std::move(done));
            return;
        }
        m_unanswered.push_back(std::move(request));
        m_threads.emplace_back([done = std::move(done), silence = m_silence] {
            std::this_thread::sleep_for(silence);
            done(snmp::TransportStatus::Timeout, {});
        });
    }
    std::vector<snmp::Pdu> unanswered() const
    {
        std::lock_guard lock(m_mutex);
        return m_unanswered;
    }
    std::vector<int> setTimeouts() const
    {
        std::lock_guard lock(m_mutex);
        return m_setTimeouts;
    }

private:
    std::shared_ptr<sim::InProcessTransport> m_device;
    int m_answered;
    std::chrono::milliseconds m_silence;
    mutable std::mutex m_mutex;
    std::vector<snmp::Pdu> m_unanswered;
    std::vector<int> m_setTimeouts;
    std::vector<std::thread> m_threads;
};

class PoeSwitch : public ::testing::Test {
protected:
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    void start(const std::string& model)
    {
        m_model = loadedModel(model);
        m_device = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(m_model, {.scenario = false}));
        dialogs::CDialogSession::setTransport(m_device);
        snmp::SessionParameters parameters;
        parameters.agentAddress = "192.0.2.10";
        parameters.requestTimeout = "1000";
        snmp::setSessionParameters(parameters);
    }

    // The set requests since the last call, whole.
    std::vector<Bindings> takeSets()
    {
        std::vector<Bindings> sets;
        for (const snmp::Pdu& pdu : m_device->requests())
            if (pdu.type == snmp::PduType::Set)
                sets.push_back(setBindings(pdu));
        m_device->clearRequests();
        return sets;
    }

    std::vector<std::string> row(std::uint32_t index)
    {
        std::vector<std::string> values;
        m_device->withSwitch([&](sim::SimulatedSwitch& device) {
            for (std::uint32_t column = 1; column <= 21; ++column)
                if (const auto found = device.get(sim::joined(sim::oids::kPoeTimeRangeEntry, {column, index})))
                    values.push_back(found->value.type == snmp::Asn::OctetString ? found->value.octets
                                                                                   : std::to_string(found->value.integer));
        });
        return values;
    }

    int switchSet(const snmp::Oid& oid, snmp::Value value)
    {
        int error = -1;
        m_device->withSwitch([&](sim::SimulatedSwitch& device) { error = device.set(oid, value); });
        return error;
    }

    int poePorts() const { return m_model.portCount == 10 ? 8 : 24; }

    sim::ModelData m_model;
    std::shared_ptr<sim::InProcessTransport> m_device;
    ScriptedPrompter prompter;
};

class PoeDialogs : public PoeSwitch, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override { start(GetParam()); }
};

template <typename T>
T* child(const QObject& parent, const char* name)
{
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

std::vector<std::string> line(const QTreeWidget& list, int index)
{
    std::vector<std::string> texts;
    const QTreeWidgetItem* item = list.topLevelItem(index);
    for (int column = 0; item && column < list.columnCount(); ++column)
        texts.push_back(item->text(column).toStdString());
    return texts;
}

bool loaded(const CPoeConfigurationDialog& dialog, int lines)
{
    return waitUntil([&] {
        return dialog.list()->topLevelItemCount() == lines && child<QPushButton>(dialog, "apply")->isEnabled();
    });
}

void chooseText(QComboBox* combo, const char* text)
{
    combo->setCurrentIndex(combo->findText(QString::fromLatin1(text)));
}

TEST_P(PoeDialogs, PoeApplyWritesEachPortOfTheRangeAfterCheckingThemAll)
{
    CPoeConfigurationDialog dialog(m_model.portCount);
    ASSERT_TRUE(loaded(dialog, poePorts()));
    auto* from = dialog.range()->fromCombo();
    EXPECT_EQ(from->count(), poePorts()) << "ports beyond the PoE ports offered";
    EXPECT_EQ(from->itemText(from->count() - 1).toInt(), poePorts());
    EXPECT_EQ(dialog.range()->to(), poePorts());
    EXPECT_EQ(line(*dialog.list(), 0)[1], "Enable");

    takeSets();
    dialog.list()->topLevelItem(2)->setSelected(true);
    EXPECT_EQ(std::pair(dialog.range()->from(), dialog.range()->to()), std::pair(3, 3));
    dialog.range()->setRange(3, 5);
    chooseText(child<QComboBox>(dialog, "state"), "Disable");
    chooseText(child<QComboBox>(dialog, "timeRange"), "office-hours");
    chooseText(child<QComboBox>(dialog, "priority"), "High");
    chooseText(child<QComboBox>(dialog, "powerLimit"), "Class 3");
    ASSERT_TRUE(dialog.apply());
    ASSERT_TRUE(waitForWrite(dialog));
    std::vector<Bindings> expected;
    for (int port : {3, 4, 5})
        expected.push_back(portSet(port, {{3, "2"}, {4, "1"}, {5, "3"}, {7, "2"}, {6, "4"}}));
    EXPECT_EQ(takeSets(), expected);
    ASSERT_TRUE(loaded(dialog, poePorts()));
    std::vector<std::string> fourth = line(*dialog.list(), 3);
    fourth.resize(5);
    EXPECT_EQ(fourth, (std::vector<std::string>{"4", "Disable", "office-hours", "High", "Class 3"}));

    // 15.6 W passes on ports 3 and 4 but not on 5: nothing is sent.
    child<QCheckBox>(dialog, "userDefine")->setChecked(true);
    EXPECT_FALSE(child<QComboBox>(dialog, "powerLimit")->isEnabled());
    child<QLineEdit>(dialog, "userLimit")->setText("15.6");
    EXPECT_FALSE(dialog.apply());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Invalid PoE Port User Define value Setting! "});
    EXPECT_TRUE(takeSets().empty());

    dialog.range()->setRange(3, 4);
    chooseText(child<QComboBox>(dialog, "timeRange"), "N/A");
    ASSERT_TRUE(dialog.apply());
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{portSet(3, {{3, "2"}, {4, "0"}, {5, "3"}, {7, "1"}, {8, "15.6"}}),
                                                 portSet(4, {{3, "2"}, {4, "0"}, {5, "3"}, {7, "1"}, {8, "15.6"}})}));
    EXPECT_EQ(prompter.texts().size(), 1u) << "the switch refused a set";
}

TEST_P(PoeDialogs, ARefusedPortSetSaysUnsuccessfulAndEndsTheLoop)
{
    CPoeConfigurationDialog dialog(m_model.portCount);
    ASSERT_TRUE(loaded(dialog, poePorts()));
    chooseText(child<QComboBox>(dialog, "timeRange"), "office-hours");
    // The range goes after the dialog read it: the switch refuses the index.
    ASSERT_EQ(switchSet(sim::joined(sim::oids::kPoeTimeRangeEntry, {21, 1}), sim::integerValue(sim::kDestroy)), 0);
    takeSets();
    dialog.range()->setRange(5, 7);
    ASSERT_TRUE(dialog.apply());
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Unsuccessful!"});
    EXPECT_EQ(takeSets(), std::vector<Bindings>{portSet(5, {{3, "1"}, {4, "1"}, {5, "2"}, {7, "2"}, {6, "1"}})});
}

TEST_F(PoeSwitch, ASwitchThatStopsAnsweringAtTheThirdPortEndsTheLoopWhileTheWindowLives)
{
    using namespace std::chrono_literals;
    start("QMX-7740-ZP");
    const auto stalling = std::make_shared<StallingTransport>(m_device, 2, 1500ms);
    dialogs::CDialogSession::setTransport(stalling);
    CPoeConfigurationDialog dialog(28);
    dialog.show();
    ASSERT_TRUE(loaded(dialog, 24));
    takeSets();

    // The longest time the window went without processing its events while writing.
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0, longestGap = 0;
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (dialog.writing()) {
            longestGap = std::max(longestGap, clock.elapsed() - last);
            ++ticks;
        }
        last = clock.elapsed();
    });
    timer.start(10);
    ASSERT_TRUE(dialog.apply());
    auto* progress = child<QLabel>(dialog, "writeProgress");
    EXPECT_TRUE(waitUntil([&] { return progress->text() == "Writing port 3 of 24"; }));
    EXPECT_FALSE(child<QPushButton>(dialog, "apply")->isEnabled());
    ASSERT_TRUE(waitForWrite(dialog, 30000));

    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Unsuccessful!"});
    const auto onPort = [](int port) { return portSet(port, {{3, "1"}, {4, "0"}, {5, "2"}, {7, "2"}, {6, "1"}}); };
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{onPort(1), onPort(2)}));
    ASSERT_EQ(stalling->unanswered().size(), 1u) << "a set after the switch stopped answering";
    EXPECT_EQ(setBindings(stalling->unanswered()[0]), onPort(3));
    EXPECT_EQ(stalling->setTimeouts(), (std::vector<int>{20000, 20000, 20000}));
    EXPECT_GT(ticks, 50);
    EXPECT_LT(longestGap, 1000) << "the window stopped processing events";
}

// Runs `drive` on the time-range editor once the list has opened it (modally).
void whenEditorOpens(std::function<void(CTimeBasedPoeConfigDialog&)> drive)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, drive = std::move(drive)] {
        auto* editor = qobject_cast<CTimeBasedPoeConfigDialog*>(QApplication::activeModalWidget());
        if (!editor)
            return;
        poll->stop();
        poll->deleteLater();
        drive(*editor);
    });
    poll->start(5);
}

// Runs `action`, then waits for the next walk of the dialog to end.
void walkAfter(dialogs::CDialogBase& dialog, const std::function<void()>& action = {})
{
    bool ended = false;
    QObject watcher;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &watcher, [&] { ended = true; });
    if (action)
        action();
    ASSERT_TRUE(waitUntil([&] { return ended; }));
}

// Chooses the texts of the named combos, in order.
void choose(QWidget& editor, std::vector<std::pair<const char*, const char*>> choices)
{
    for (const auto& [name, text] : choices)
        chooseText(child<QComboBox>(editor, name), text);
}

void select(CTimeRangeListDialog& list, int line)
{
    list.list()->setCurrentItem(list.list()->topLevelItem(line));
}

Bindings withDays(Bindings bindings, int index, const char* days)
{
    for (int day = 0; day < 7; ++day)
        bindings.push_back({kRange + std::to_string(14 + day) + "." + std::to_string(index), 1, days[day] == 'x' ? "1" : "2"});
    bindings.push_back({kRange + "21." + std::to_string(index), 1, "1"});
    return bindings;
}

TEST_P(PoeDialogs, TimeRangesAreAddedEditedAndDeleted)
{
    CTimeRangeListDialog list;
    walkAfter(list);
    ASSERT_EQ(list.list()->topLevelItemCount(), 1);
    EXPECT_EQ(line(*list.list(), 0), (std::vector<std::string>{"office-hours", "Mon,Tue,Wed,Thu,Fri", "", "", "08:00", "18:59"}));
    takeSets();

    whenEditorOpens([](CTimeBasedPoeConfigDialog& editor) {
        auto* fromYear = child<QComboBox>(editor, "fromYear");
        EXPECT_EQ(fromYear->accessibleName(), "From Day year");
        EXPECT_EQ(child<QComboBox>(editor, "endMinute")->accessibleName(), "End Time minute");
        EXPECT_FALSE(fromYear->isEnabled());
        child<QLineEdit>(editor, "rangeName")->setText("night");
        child<QCheckBox>(editor, "date")->click();
        EXPECT_TRUE(fromYear->isEnabled());
        choose(editor, {{"fromYear", "2010"}, {"fromMonth", "5"}, {"fromDay", "3"}, {"toYear", "2011"}, {"toMonth", "12"},
                        {"toDay", "31"}, {"startHour", "22"}, {"startMinute", "30"}, {"endHour", "6"}});
        child<QCheckBox>(editor, "day5")->click();
        child<QCheckBox>(editor, "day6")->click();
        EXPECT_TRUE(editor.apply());
    });
    walkAfter(list, [&] { list.add(); });
    EXPECT_EQ(takeSets(),
              (std::vector<Bindings>{rangeSet(2, {{21, "5"}}),
                                     withDays(rangeSet(2, {{2, "night"}, {3, "1"}, {4, "2010"}, {5, "5"}, {6, "3"}, {9, "2011"},
                                                           {10, "12"}, {11, "31"}, {7, "22"}, {8, "30"}, {12, "6"}, {13, "0"}}),
                                              2, ".....xx")}));
    EXPECT_EQ(line(*list.list(), 1), (std::vector<std::string>{"night", "Sat,Sun", "2010/05/03", "2011/12/31", "22:30", "06:00"}));

    select(list, 1);
    whenEditorOpens([](CTimeBasedPoeConfigDialog& editor) {
        EXPECT_FALSE(child<QLineEdit>(editor, "rangeName")->isEnabled());
        EXPECT_EQ(child<QComboBox>(editor, "toYear")->currentText(), "2011");
        child<QCheckBox>(editor, "date")->click();
        choose(editor, {{"endHour", "23"}});
        child<QCheckBox>(editor, "allDays")->click();
        EXPECT_TRUE(editor.apply());
    });
    walkAfter(list, [&] { list.edit(); });
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{rangeSet(2, {{21, "6"}}), rangeSet(2, {{21, "5"}}),
                                                 withDays(rangeSet(2, {{2, "night"}, {3, "2"}, {7, "22"}, {8, "30"},
                                                                       {12, "23"}, {13, "0"}}),
                                                          2, "xxxxxxx")}));

    select(list, 0);
    walkAfter(list, [&] { list.remove(); });
    EXPECT_EQ(takeSets(), std::vector<Bindings>{rangeSet(1, {{21, "6"}})});
    EXPECT_EQ(line(*list.list(), 0), (std::vector<std::string>{"night", "Mon,Tue,Wed,Thu,Fri,Sat,Sun", "", "", "22:30", "23:00"}));
    EXPECT_TRUE(prompter.texts().empty());

    list.list()->clearSelection();
    list.edit();
    ASSERT_EQ(prompter.shown().size(), 1u);
    EXPECT_EQ(prompter.shown()[0].kind, ScriptedPrompter::Kind::Inform);
    EXPECT_EQ(prompter.shown()[0].text, "Please select the Time Range to be edit!");
}

TEST_P(PoeDialogs, AnEditTheSwitchRefusesPutsTheOldRangeBack)
{
    const std::vector<std::string> before = row(1);
    CTimeRangeListDialog list;
    walkAfter(list);
    takeSets();
    select(list, 0);
    // February 30th passes the editor's checks; the switch refuses the range.
    whenEditorOpens([](CTimeBasedPoeConfigDialog& editor) {
        child<QCheckBox>(editor, "date")->click();
        choose(editor, {{"fromYear", "2010"}, {"fromMonth", "2"}, {"fromDay", "30"}, {"toYear", "2010"}, {"toMonth", "3"}});
        EXPECT_TRUE(editor.apply());
    });
    walkAfter(list, [&] { list.edit(); });
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kTimeRangeNotChanged});
    EXPECT_EQ(row(1), before);
    const Bindings old = withDays(rangeSet(1, {{2, "office-hours"}, {3, "2"}, {7, "8"}, {8, "0"}, {12, "18"}, {13, "59"}}), 1, "xxxxx..");
    const Bindings refused = withDays(rangeSet(1, {{2, "office-hours"}, {3, "1"}, {4, "2010"}, {5, "2"}, {6, "30"}, {9, "2010"},
                                                   {10, "3"}, {11, "31"}, {7, "8"}, {8, "0"}, {12, "18"}, {13, "59"}}),
                                      1, "xxxxx..");
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{rangeSet(1, {{21, "6"}}), rangeSet(1, {{21, "5"}}), refused,
                                                 rangeSet(1, {{21, "6"}}), rangeSet(1, {{21, "5"}}), old}));
    EXPECT_EQ(line(*list.list(), 0)[0], "office-hours");
}

TEST_P(PoeDialogs, ANinthRangeIsRefusedBeforeAnySet)
{
    for (std::uint32_t index = 2; index <= 8; ++index)
        ASSERT_EQ(switchSet(sim::joined(sim::oids::kPoeTimeRangeEntry, {21, index}), sim::integerValue(sim::kCreateAndGo)), 0);
    CTimeRangeListDialog list;
    walkAfter(list);
    takeSets();
    whenEditorOpens([](CTimeBasedPoeConfigDialog& editor) {
        child<QLineEdit>(editor, "rangeName")->setText("ninth");
        choose(editor, {{"endHour", "1"}});
        EXPECT_FALSE(editor.apply());
        editor.reject();
    });
    list.add();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The max number of PoE Time Range is 8"});
    EXPECT_TRUE(takeSets().empty());
}

INSTANTIATE_TEST_SUITE_P(Models, PoeDialogs, ::testing::Values("QMX-7740-ZP", "QMX-7710-ZP"));

} // namespace
