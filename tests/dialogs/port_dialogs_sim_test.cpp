// Port Configuration and Multicast Filtering Mode against a simulated
// QMX-7720-ZA in process: what they show, and each change's set PDUs whole.
#include "app/main_window.h"
#include "app/main_window_view.h"
#include "dialogs/switching/multicast_filtering_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "dialogs/switching/register_port_dialogs.h"
#include "main_window_fixture.h"
#include "simulated_switch_fixture.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

using namespace dialogs::switching;

namespace {

const std::string kPrivate = "1.3.6.1.4.1.32473.10.75.7.";

class PortDialogs : public SimulatedSwitchTest<> {
protected:
    // Since the last call: each set PDU as setText renders it below .75.7.,
    // and "links" for each request of an aggregated link walk.
    Texts takeSets()
    {
        Texts sets;
        for (const snmp::Pdu& pdu : m_transport->requests())
            if (pdu.type == snmp::PduType::Set)
                sets.push_back(setText(pdu.bindings, kPrivate));
            else if (snmp::oidToText(pdu.bindings.at(0).oid).starts_with(kPrivate + "8.1.3.1.2"))
                sets.push_back("links");
        m_transport->clearRequests();
        return sets;
    }

    // Apply is on once the dialog's walks have ended.
    static bool ready(const QObject& dialog) { return dialog.findChild<QPushButton*>("apply")->isEnabled(); }
    template <typename Dialog>
    static void applyAndReread(Dialog& dialog, int rows)
    {
        dialog.apply();
        ASSERT_TRUE(waitForWrite(dialog));
        ASSERT_TRUE(waitUntil([&] { return ready(dialog) && dialog.list()->topLevelItemCount() == rows; }));
    }
};

} // namespace

TEST_F(PortDialogs, PortConfigurationShowsTheModelAndWritesOnePortAtATime)
{
    CPortSetInfo dialog({28, 4, false});
    ASSERT_TRUE(waitUntil([&] { return ready(dialog) && dialog.list()->topLevelItemCount() == 28; }));
    // Only the port walk's first request waits longer than the session does.
    std::vector<int> walkTimeouts, expected(29, 1000);
    expected[0] = 6000;
    for (std::size_t i = 0; i < m_transport->requests().size(); ++i)
        if (snmp::oidToText(m_transport->requests()[i].bindings.at(0).oid).starts_with(kPrivate + "1.13.1.2"))
            walkTimeouts.push_back(m_transport->requestTimeouts()[i]);
    EXPECT_EQ(walkTimeouts, expected);
    const QTreeWidget& list = *dialog.list();
    // Ports 9-12 "Highest", 13-16 "Middle", 26 "High".
    EXPECT_EQ(column(list, 4), (Texts{"Low", "Low", "Low", "Low", "Low", "Low", "Low", "Low", "Highest", "Highest",
                                      "Highest", "Highest", "Middle", "Middle", "Middle", "Middle", "Low", "Low", "Low",
                                      "Low", "Low", "Low", "Low", "Low", "Low", "High", "Low", "Low"}));
    auto* speed = dialog.findChild<QComboBox*>("speed");
    auto* flow = dialog.findChild<QComboBox*>("flowControl");

    // Port 5 forced to 100M full duplex with flow control: both questions,
    // one set, then the ports alone are read again.
    takeSets();
    prompter.answer(true);
    prompter.answer(true);
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(4));
    speed->setCurrentIndex(1);
    flow->setCurrentIndex(0);
    applyAndReread(dialog, 28);
    EXPECT_EQ(takeSets(), Texts{"1.13.1.2.5=2 1.13.1.5.5=1"});
    EXPECT_EQ(prompter.texts(), (Texts{kForcedSpeedQuestion, kFlowControlQuestion}));
    EXPECT_EQ(list.topLevelItem(4)->text(1) + " " + list.topLevelItem(4)->text(3), "100MFull Enable");

    // Port 21 shares link 1 with port 22, both at "Auto": only its flow control is written.
    prompter.clear();
    prompter.answer(true);
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(20));
    flow->setCurrentIndex(0);
    applyAndReread(dialog, 28);
    EXPECT_EQ(takeSets(), Texts{"1.13.1.5.21=1"});
    EXPECT_EQ(prompter.texts(), Texts{kFlowControlQuestion});
}

TEST_F(PortDialogs, MulticastFilteringNamesEachRowByItsVlanAndAppliesToAllOrOne)
{
    CMulticastFilteringDialog dialog;
    ASSERT_TRUE(waitUntil([&] { return ready(dialog); }));
    const QTreeWidget& list = *dialog.list();
    // VLAN 20 has no multicast row; the rows after it keep their own names.
    EXPECT_EQ(column(list, 0), (Texts{"1", "10", "30"}));
    EXPECT_EQ(column(list, 1), (Texts{"default", "office", "cameras"}));
    EXPECT_EQ(column(list, 2), Texts(3, "Forward Unregistered Groups"));
    auto* all = dialog.findChild<QCheckBox*>("all");

    takeSets();
    all->click();
    dialog.findChild<QComboBox*>("mode")->setCurrentIndex(1);
    applyAndReread(dialog, 3);
    all->click();
    dialog.findChild<QComboBox*>("vlanId")->setCurrentIndex(1);
    dialog.findChild<QComboBox*>("mode")->setCurrentIndex(0);
    applyAndReread(dialog, 3);
    EXPECT_EQ(takeSets(), (Texts{"7.8.1.2.1=1 7.8.1.2.10=1 7.8.1.2.30=1", "7.8.1.2.10=0"}));
    EXPECT_EQ(column(list, 2),
              (Texts{"Filtering Unregistered Groups", "Forward Unregistered Groups", "Filtering Unregistered Groups"}));
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
    bool besideThePanel = false; // no dialog-open flag, the panel stays shown
    QTimer::singleShot(0, &window, [&] {
        CPortSetInfo* dialog = nullptr;
        waitUntil([&] { return (dialog = qobject_cast<CPortSetInfo*>(QApplication::activeModalWidget())) != nullptr; });
        if (dialog && waitUntil([&] { return ready(*dialog); }))
            rows = dialog->list()->topLevelItemCount();
        besideThePanel = !window.panelState().dialogOpen.load() && window.isVisible() && !window.isMinimized();
        if (dialog)
            dialog->reject();
    });
    const QPoint centre = ModelFolder::portCentre(1);
    QMouseEvent press(QEvent::MouseButtonPress, centre, window.view()->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.view(), &press);
    EXPECT_EQ(rows, 28);
    EXPECT_TRUE(besideThePanel);
}
