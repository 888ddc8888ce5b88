#include "app/change_log/change_log_window.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/main_window_view.h"
#include "dialogs/dialog_session.h"
#include "dialogs/switching/port_set_info.h"
#include "debug_lines.h"
#include "main_window_fixture.h"
#include "panel/bitmap_cache.h"
#include "panel/panel_resources.h"
#include "parameters_scope.h"
#include "scripted_prompter.h"
#include "qt_wait.h"
#include "../sim/switch_fixture.h"
#include "sim/in_process_transport.h"
#include "snmp/agent_address.h"

#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <regex>

using namespace app;
using namespace std::chrono_literals;

namespace {

// The polling thread stays asleep: the tests drive the panel data directly.
MainWindowOptions quietOptions(const ModelFolder& folder)
{
    MainWindowOptions options;
    options.userIniPath = folder.userIni();
    options.pollTimings = monitor::PollTimings{std::chrono::hours(1), std::chrono::hours(1), 0ms};
    return options;
}

class MainWindowTest : public testing::Test {
protected:
    ParametersScope m_parameters{parseCommandLine("/A0/I192.0.2.10")};
    ModelFolder m_folder{"QMX-7720-ZA", 8};
};

} // namespace

TEST_F(MainWindowTest, TitleClientSizeAndMenuFollowTheModel)
{
    const char* secrets[] = {"QMX_READ_COMMUNITY", "QMX_WRITE_COMMUNITY", "QMX_AUTH_PASSPHRASE", "QMX_PRIV_PASSPHRASE"};
    for (const char* name : secrets)
        qputenv(name, "secret123");
    CMainWindow window(quietOptions(m_folder));
    // Taken before the window exists; the Telnet terminal and the browser inherit the rest.
    EXPECT_TRUE(std::none_of(std::begin(secrets), std::end(secrets), qEnvironmentVariableIsSet));
    EXPECT_EQ(std::tuple(window.windowTitle(), window.view()->size(), window.pollingRunning(), deviceDescription().portCount),
              std::tuple(QString("QMX-7720-ZA: 192.0.2.10"), QSize(ModelFolder::kPanelWidth, ModelFolder::kPanelHeight), true, 8));
    ASSERT_TRUE(window.commandAction(commands::kCmdVlanConfiguration));
    EXPECT_FALSE(window.commandAction(commands::kCmdPoePortConfig) || window.commandAction(commands::kCmdLldpMedSetting));
    EXPECT_FALSE(window.commandAction(commands::kCmdVlanConfiguration)->isEnabled()); // no dialog registered
    window.show();
    // Tools' "Change Log..." opens one window, however often chosen; the panel stays.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    for (int i = 0; i < 2; ++i)
        window.commandAction(commands::kCmdChangeLog)->trigger();
    const QWidgetList windows = QApplication::topLevelWidgets();
    const int logs = static_cast<int>(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return qobject_cast<ChangeLogWindow*>(w) && w->isVisible(); }));
    EXPECT_EQ(std::pair(logs, window.isVisible()), std::pair(1, true));
    window.commandAction(commands::kCmdQuit)->trigger();
    EXPECT_EQ(std::pair(window.commandAction(commands::kCmdQuit)->shortcut().toString(), window.isVisible()), std::pair(QString("Ctrl+Q"), false));
    // One icon for the program: every window made afterwards carries it.
    EXPECT_TRUE(QDialog().windowIcon().pixmap(32).toImage() == panel::ProgramIcon().pixmap(32).toImage());

    ModelFolder poeFolder("QMX-7740-ZP", 8);
    CMainWindow poeWindow(quietOptions(poeFolder));
    ASSERT_TRUE(poeWindow.commandAction(commands::kCmdPoePortConfig) && poeWindow.commandAction(commands::kCmdLldpRemotePortInformation));
    EXPECT_EQ(poeWindow.commandAction(commands::kCmdAbout)->text(), "About QMX-7740-ZP...");

    // A host name shows the address it was resolved to.
    ParametersScope named(parseCommandLine("/A0/Ilocalhost"));
    EXPECT_EQ(CMainWindow(quietOptions(m_folder)).windowTitle().toStdString(), "QMX-7720-ZA: localhost (" + snmp::numericAddress("localhost") + ")");
}

TEST_F(MainWindowTest, TheTitleSaysSinceWhenTheSwitchHasNotAnsweredUntilItAnswersAgain)
{
    auto transport = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.rebootTime = 1500ms, .scenario = false}));
    MainWindowOptions options = quietOptions(m_folder);
    options.transport = transport;
    options.pollTimings = monitor::PollTimings{50ms, 20ms, 0ms};
    CMainWindow window(std::move(options));
    QStringList titles{window.windowTitle()};
    QObject::connect(&window, &QWidget::windowTitleChanged, &window, [&](const QString& title) { titles << title; });
    // A reboot leaves the switch silent for a while.
    transport->withSwitch([](sim::SimulatedSwitch& s) { s.set({1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 1, 9, 0}, sim::integerValue(1)); });
    ASSERT_TRUE(waitUntil([&] { return titles.size() >= 3; }, 8000));
    EXPECT_TRUE(std::regex_match(titles.join('|').toStdString(), std::regex(R"((QMX-7720-ZA: 192\.0\.2\.10)\|\1 \(not answering since \d\d:\d\d:\d\d\)\|\1)")));
}

TEST_F(MainWindowTest, UserIniWithoutDeviceNameOrXmlNameOpensAnEmptyWindow)
{
    for (bool withName : {false, true}) {
        ScriptedPrompter prompter;
        ModelFolder folder(withName ? "QMX-7720-ZA" : "", 8, /*withXmlName=*/!withName);
        CMainWindow window(quietOptions(folder));
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Read User.ini Error !"});
        EXPECT_EQ(std::tuple(window.windowTitle(), window.pollingRunning(), window.root().ChildCount()),
                  std::tuple(QString("CorvaneModule"), false, 0u));
        // The menu is there, unpruned, its About item not retitled.
        ASSERT_NE(window.commandAction(commands::kCmdPoePortConfig), nullptr);
        EXPECT_EQ(window.commandAction(commands::kCmdAbout)->text(), "About QMX-7720-ZA...");
    }
}

TEST_F(MainWindowTest, DialogCommandsHideTheWindowAndPausePollingWhileTheyRunThePanelPointsAndBlinks)
{
    MainWindowOptions options = quietOptions(m_folder);
    std::string seen; // the dialog-open flag and the window state as the runner found them
    options.commands.setRunner(commands::kCmdVlanConfiguration, [&seen](commands::MainWindowContext& context) {
        auto& window = static_cast<CMainWindow&>(context);
        seen = std::string(window.panelState().dialogOpen ? "open" : "free") + (window.isMinimized() ? " minimised" : "");
    });
    CMainWindow window(std::move(options));
    window.show();
    window.commandAction(commands::kCmdVlanConfiguration)->trigger();
    EXPECT_EQ(std::tuple(seen, window.panelState().dialogOpen.load(), window.isVisible(), window.isMinimized()),
              std::tuple("open minimised", false, true, false));
    // A second start for this switch brings the window back.
    window.showMinimized();
    window.bringToFront();
    EXPECT_FALSE(window.isMinimized());

    // Over a port (once painted: painting attaches the element tree to the
    // window) the cursor points with its fingertip, at the top of its picture.
    window.view()->grab();
    QMouseEvent move(QEvent::MouseMove, ModelFolder::portCentre(1), QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.view(), &move);
    const QCursor cursor = window.view()->cursor();
    EXPECT_EQ(cursor.hotSpot().y(), 0);
    EXPECT_GT(qAlpha(cursor.pixmap().toImage().pixel(cursor.hotSpot())), 0);

    // The indicators blink with the window's phase.
    monitor::PanelState& state = window.panelState();
    state.portStates[0] = state.portStates[5] = monitor::kPortFullSpeed;
    state.mediumTypes[5] = 4; // port 6, combination, on its fibre side: element 9
    std::vector<QRgb> shown;
    for (int tick = 0; tick < 2; ++tick, window.blinkTick()) {
        const QImage panel = window.view()->grab().toImage();
        for (int element : {0, 9})
            shown.push_back(panel.pixel(ModelFolder::lampPosition(element) + QPoint(2, 1)));
    }
    std::vector<QRgb> expected;
    for (int bitmap : {panel::kBmpGreenOdd, panel::kBmpGreenEven, panel::kBmpOffOdd, panel::kBmpOffEven})
        expected.push_back(panel::LoadResourceBitmap(bitmap).pixel(2, 1));
    EXPECT_EQ(std::pair(shown, window.blinkPhase()), std::pair(expected, 0));
}

TEST_F(MainWindowTest, ClosingStopsPollingAndClosesTheSessionsInOrder)
{
    DebugLines debug;
    {
        CMainWindow window(quietOptions(m_folder));
        window.show();
        EXPECT_TRUE(window.close());
    }
    std::vector<std::string> expected{"==================DestroyWindow==============="};
    for (const char* member : {"", "set", "Fan", "Poe", "DevStat", "PoeStat"})
        expected.push_back(std::string("==================m_cCommonSNMP") + member + ".Close===============");
    EXPECT_EQ(debug.banners(), expected);
}

// Once the first polling cycle is answered the window reads the path: the
// status line says it, and only the manager's port is outlined and tipped.
TEST_F(MainWindowTest, TheStatusLineAndThePanelShowWhereThisComputerReachesTheSwitch)
{
    ParametersScope loopback(parseCommandLine("/A0/I127.0.0.1"));
    const QColor outline(255, 170, 0);
    const struct {
        int managerPort;
        QString line;
    } rows[] = {
        {5, "This computer reaches the switch on port 5 (VLAN 1)."},
        {0, "The path from this computer to the switch is unknown: no forwarding entry for 00-00-00-00-00-00."},
    };
    for (const auto& row : rows) {
        auto transport = std::make_shared<sim::InProcessTransport>(
            sim::SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.scenario = false, .manager = {row.managerPort}}));
        MainWindowOptions options = quietOptions(m_folder);
        options.transport = transport;
        options.pollTimings = monitor::PollTimings{50ms, 20ms, 0ms};
        options.readManagementPath = true;
        CMainWindow window(std::move(options));
        window.show();
        ASSERT_TRUE(waitUntil([&] { return !window.pathLine().isEmpty(); }, 8000));
        EXPECT_EQ(window.pathLine(), row.line);
        EXPECT_TRUE(commands::managementPathSource());
        QStringList tips, outlined, expected;
        const QImage picture = window.view()->grab().toImage();
        for (int element = 0; element < 8; ++element) {
            const QPoint centre = ModelFolder::portCentre(element);
            QHelpEvent help(QEvent::ToolTip, centre, window.view()->mapToGlobal(centre));
            QCoreApplication::sendEvent(window.view(), &help);
            tips << (help.isAccepted() ? QToolTip::text() : QString());
            const QRect rect = window.root().FindNthChild("CPort", element)->ScaledRect();
            outlined << (picture.pixelColor(rect.left() + 1, rect.center().y()) == outline ? "outlined" : "");
            expected << (element + 1 == row.managerPort ? "this computer reaches the switch here" : "");
        }
        EXPECT_EQ(tips.join('|').toStdString(), expected.join('|').toStdString());
        EXPECT_EQ(outlined.join('|').toStdString(),
                  QStringList(expected).replaceInStrings(QRegularExpression(".+"), "outlined").join('|').toStdString());

        // A dialog reads the path through the window's reader: disabling port 5 asks first (Cancel).
        dialogs::CDialogSession::setTransport(transport);
        ScriptedPrompter prompter;
        {
            dialogs::switching::CPortSetInfo dialog(dialogs::switching::PortLayout{28, 4, false});
            ASSERT_TRUE(waitUntil([&] { return !dialog.reading() && dialog.list()->topLevelItemCount() == 28; }, 8000));
            dialog.selectRow(4);
            dialog.findChild<QComboBox*>("speed")->setCurrentText("Disable");
            EXPECT_EQ(dialog.apply(), row.managerPort != 5) << "sent";
        }
        dialogs::CDialogSession::setTransport(nullptr);
        const std::vector<std::string> asked{"This disables port 5.\n\nThis change cuts the path from this computer to "
                                             "the switch (port 5, VLAN 1). Apply it anyway?"};
        EXPECT_EQ(prompter.texts(), row.managerPort == 5 ? asked : std::vector<std::string>{});
    }
    EXPECT_FALSE(commands::managementPathSource()); // gone with its window
}
