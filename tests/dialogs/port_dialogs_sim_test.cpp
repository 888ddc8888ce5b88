// Port Configuration and Multicast Filtering Mode against a simulated
// QMX-7720-ZA in process: what they show, and each change's set PDUs whole.
#include "../sim/switch_fixture.h"
#include "app/main_window.h"
#include "app/main_window_view.h"
#include "dialogs/switching/multicast_filtering_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "dialogs/switching/register_port_dialogs.h"
#include "main_window_fixture.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "sim/in_process_transport.h"
#include "snmp/session_parameters.h"
#include "write_wait.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dialogs::switching;

namespace {

using Sets = std::vector<std::vector<std::pair<std::string, std::int64_t>>>;

constexpr const char* kSpeed = "1.3.6.1.4.1.32473.10.75.7.1.13.1.2.";
constexpr const char* kFlow = "1.3.6.1.4.1.32473.10.75.7.1.13.1.5.";
constexpr const char* kMode = "1.3.6.1.4.1.32473.10.75.7.7.8.1.2.";

class PortDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim::SwitchSettings settings;
        settings.scenario = false;
        m_transport = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(loadedModel("QMX-7720-ZA"), settings));
        dialogs::CDialogSession::setTransport(m_transport);
        snmp::SessionParameters parameters;
        parameters.agentAddress = "192.0.2.10";
        parameters.requestTimeout = "1000";
        snmp::setSessionParameters(parameters);
    }
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    // The set PDUs since the last call, and whether a walk of the aggregated
    // links followed one.
    Sets takeSets(bool* linksReadAfterSet = nullptr)
    {
        Sets sets;
        bool linksAfter = false;
        for (const snmp::Pdu& pdu : m_transport->requests()) {
            if (pdu.type == snmp::PduType::Set) {
                sets.emplace_back();
                for (const snmp::VarBind& binding : pdu.bindings)
                    sets.back().emplace_back(snmp::oidToText(binding.oid), binding.value.integer);
            } else if (!sets.empty() && !pdu.bindings.empty()) {
                linksAfter = linksAfter || snmp::oidToText(pdu.bindings[0].oid).starts_with("1.3.6.1.4.1.32473.10.75.7.8.1.3.1.2");
            }
        }
        m_transport->clearRequests();
        if (linksReadAfterSet)
            *linksReadAfterSet = linksAfter;
        return sets;
    }

    static std::vector<std::string> column(const QTreeWidget& list, int index)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            texts.push_back(list.topLevelItem(i)->text(index).toStdString());
        return texts;
    }

    static bool ready(const QObject& dialog) { return dialog.findChild<QPushButton*>("apply")->isEnabled(); }

    std::shared_ptr<sim::InProcessTransport> m_transport;
};

} // namespace

TEST_F(PortDialogs, PortConfigurationShowsTheModelAndWritesOnePortsChange)
{
    ScriptedPrompter prompter;
    CPortSetInfo dialog({28, 4, false});
    ASSERT_TRUE(waitUntil([&] { return ready(dialog) && dialog.list()->topLevelItemCount() == 28; }));
    const QTreeWidget& list = *dialog.list();
    std::vector<std::string> priorities(28, "Low");
    for (int port : {9, 10, 11, 12})
        priorities[port - 1] = "Highest";
    for (int port : {13, 14, 15, 16})
        priorities[port - 1] = "Middle";
    priorities[25] = "High";
    EXPECT_EQ(column(list, 4), priorities);
    const std::vector<std::string> modes = column(list, 2);
    EXPECT_EQ(std::vector<std::string>(modes.begin() + 24, modes.end()),
              (std::vector<std::string>{"Down", "1000M F Full", "Down", "100M F Full"}));

    // Port 5 forced to 100M full duplex with flow control: both questions, one set.
    takeSets();
    prompter.answer(true);
    prompter.answer(true);
    dialog.selectRow(4);
    dialog.findChild<QComboBox*>("speed")->setCurrentIndex(1);
    dialog.findChild<QComboBox*>("flowControl")->setCurrentIndex(0);
    ASSERT_TRUE(dialog.apply());
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitUntil([&] { return ready(dialog) && list.topLevelItemCount() == 28; }));
    bool linksReread = true;
    EXPECT_EQ(takeSets(&linksReread), (Sets{{{kSpeed + std::string("5"), 2}, {kFlow + std::string("5"), 1}}}));
    EXPECT_FALSE(linksReread);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{kForcedSpeedQuestion, kFlowControlQuestion}));
    const QTreeWidgetItem& port5 = *list.topLevelItem(4);
    EXPECT_EQ(port5.text(1), "100MFull");
    EXPECT_EQ(port5.text(2), "100MFull");
    EXPECT_EQ(port5.text(3), "Enable");
    EXPECT_EQ(port5.text(5), "Enabled");
}

TEST_F(PortDialogs, PortConfigurationWritesOnlyFlowControlOfALinkMemberAndRefusesBeforeAsking)
{
    ScriptedPrompter prompter;
    CPortSetInfo dialog({28, 4, false});
    ASSERT_TRUE(waitUntil([&] { return ready(dialog) && dialog.list()->topLevelItemCount() == 28; }));
    auto* speed = dialog.findChild<QComboBox*>("speed");
    auto* flow = dialog.findChild<QComboBox*>("flowControl");
    takeSets();

    // Port 21 shares link 1 with port 22; both run at "Auto".
    dialog.selectRow(20);
    EXPECT_EQ(speed->currentIndex(), 5);
    flow->setCurrentIndex(0);
    prompter.answer(true);
    ASSERT_TRUE(dialog.apply());
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitUntil([&] { return ready(dialog); }));
    EXPECT_EQ(takeSets(), (Sets{{{kFlow + std::string("21"), 1}}}));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kFlowControlQuestion});

    // A speed unlike the partner's is refused before any question; a
    // cancelled question sends nothing.
    prompter.clear();
    dialog.selectRow(20);
    speed->setCurrentIndex(1);
    EXPECT_FALSE(dialog.apply());
    dialog.selectRow(2);
    speed->setCurrentIndex(0);
    prompter.answer(false);
    EXPECT_FALSE(dialog.apply());
    settle(20);
    EXPECT_EQ(takeSets(), Sets{});
    EXPECT_EQ(prompter.texts(),
              (std::vector<std::string>{"LA port can not support in different speed.", kForcedSpeedQuestion}));
}

TEST_F(PortDialogs, MulticastFilteringNamesOnlyTheirOwnVlanAndAppliesToAllOrOne)
{
    CMulticastFilteringDialog dialog;
    ASSERT_TRUE(waitUntil([&] { return ready(dialog); }));
    const QTreeWidget& list = *dialog.list();
    // VLAN 20 has no multicast row: the name answered beside VLAN 30's row is VLAN 20's.
    EXPECT_EQ(column(list, 0), (std::vector<std::string>{"1", "10", "30"}));
    EXPECT_EQ(column(list, 1), (std::vector<std::string>{"default", "office", ""}));
    EXPECT_EQ(column(list, 2), std::vector<std::string>(3, "Forward Unregistered Groups"));
    auto* vlanId = dialog.findChild<QComboBox*>("vlanId");
    EXPECT_EQ(vlanId->currentText(), "1");

    takeSets();
    dialog.findChild<QCheckBox*>("all")->click();
    EXPECT_FALSE(vlanId->isEnabled());
    dialog.findChild<QComboBox*>("mode")->setCurrentIndex(1);
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitUntil([&] { return ready(dialog) && list.topLevelItemCount() == 3; }));
    EXPECT_EQ(takeSets(), (Sets{{{kMode + std::string("1"), 1}, {kMode + std::string("10"), 1}, {kMode + std::string("30"), 1}}}));
    EXPECT_EQ(column(list, 2), std::vector<std::string>(3, "Filtering Unregistered Groups"));

    dialog.findChild<QCheckBox*>("all")->click();
    EXPECT_TRUE(vlanId->isEnabled());
    vlanId->setCurrentIndex(1);
    dialog.findChild<QComboBox*>("mode")->setCurrentIndex(0);
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    ASSERT_TRUE(waitUntil([&] { return ready(dialog) && list.topLevelItemCount() == 3; }));
    EXPECT_EQ(takeSets(), (Sets{{{kMode + std::string("10"), 0}}}));
    EXPECT_EQ(column(list, 2), (std::vector<std::string>{"Filtering Unregistered Groups", "Forward Unregistered Groups",
                                                         "Filtering Unregistered Groups"}));
}

TEST_F(PortDialogs, PanelPortClickOpensPortConfigurationBesideThePanel)
{
    ModelFolder folder("QMX-7720-ZA", 28);
    app::MainWindowOptions options;
    options.userIniPath = folder.userIni();
    options.pollTimings = monitor::PollTimings{std::chrono::hours(1), std::chrono::hours(1), std::chrono::milliseconds(0)};
    options.transport = m_transport;
    dialogs::registerPortDialogs(options.commands);
    app::CMainWindow window(std::move(options));
    window.show();
    window.view()->grab(); // painting attaches the element tree to the window

    int rows = -1;
    bool dialogOpenFlag = true;
    bool panelVisible = false;
    QTimer::singleShot(0, [&] {
        CPortSetInfo* dialog = nullptr;
        waitUntil([&] { return (dialog = qobject_cast<CPortSetInfo*>(QApplication::activeModalWidget())) != nullptr; }, 5000);
        if (!dialog)
            return;
        waitUntil([&] { return ready(*dialog); });
        rows = dialog->list()->topLevelItemCount();
        dialogOpenFlag = window.panelState().dialogOpen.load();
        panelVisible = window.isVisible() && !window.isMinimized();
        dialog->reject();
    });
    const QPoint centre = ModelFolder::portCentre(1);
    QMouseEvent press(QEvent::MouseButtonPress, centre, window.view()->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.view(), &press);
    EXPECT_EQ(rows, 28);
    EXPECT_FALSE(dialogOpenFlag);
    EXPECT_TRUE(panelVisible);
}
