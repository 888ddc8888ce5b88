#include "app/main_window.h"
#include "app/main_window_view.h"
#include "debug_lines.h"
#include "main_window_fixture.h"
#include "panel/bitmap_cache.h"
#include "panel/panel_resources.h"
#include "parameters_scope.h"
#include "scripted_prompter.h"
#include "snmp/agent_address.h"

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QMouseEvent>

#include <gtest/gtest.h>

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

snmp::SessionParameters addressed(const char* address)
{
    snmp::SessionParameters parameters;
    parameters.agentAddress = address;
    return parameters;
}

class MainWindowTest : public testing::Test {
protected:
    ParametersScope m_parameters{addressed("192.0.2.10")};
    ModelFolder m_folder{"QMX-7720-ZA", 8};
};

void clickAt(QWidget* widget, QPoint point)
{
    QMouseEvent press(QEvent::MouseButtonPress, point, widget->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

} // namespace

TEST_F(MainWindowTest, TitleClientSizeAndMenuFollowTheModel)
{
    CMainWindow window(quietOptions(m_folder));
    EXPECT_EQ(window.windowTitle(), "QMX-7720-ZA: 192.0.2.10");
    EXPECT_EQ(window.view()->size(), QSize(ModelFolder::kPanelWidth, ModelFolder::kPanelHeight));
    ASSERT_TRUE(window.commandAction(kCmdAbout) && window.commandAction(kCmdVlanConfiguration));
    EXPECT_EQ(window.commandAction(kCmdAbout)->text(), "About QMX-7720-ZA...");
    EXPECT_FALSE(window.commandAction(kCmdPoePortConfig) || window.commandAction(kCmdLldpMedSetting));
    EXPECT_FALSE(window.commandAction(kCmdVlanConfiguration)->isEnabled()); // no dialog registered
    EXPECT_TRUE(window.pollingRunning());
    EXPECT_EQ(deviceDescription().portCount, 8);
    // One icon for the program: every window made afterwards carries it.
    EXPECT_TRUE(QDialog().windowIcon().pixmap(32).toImage() == panel::ProgramIcon().pixmap(32).toImage());

    ModelFolder poeFolder("QMX-7740-ZP", 8);
    CMainWindow poeWindow(quietOptions(poeFolder));
    EXPECT_TRUE(poeWindow.commandAction(kCmdPoePortConfig) && poeWindow.commandAction(kCmdLldpRemotePortInformation));

    // A host name shows the address it was resolved to.
    ParametersScope named(addressed("localhost"));
    EXPECT_EQ(CMainWindow(quietOptions(m_folder)).windowTitle().toStdString(), "QMX-7720-ZA: localhost (" + snmp::numericAddress("localhost") + ")");
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
        ASSERT_NE(window.commandAction(kCmdPoePortConfig), nullptr);
        EXPECT_EQ(window.commandAction(kCmdAbout)->text(), "About QMX-7720-ZA...");
    }
}

TEST_F(MainWindowTest, DialogCommandsHideTheWindowAndPausePollingWhileTheyRun)
{
    MainWindowOptions options = quietOptions(m_folder);
    std::vector<std::string> seen; // the dialog-open flag and the window state as each runner found them
    const auto record = [&](const char* name) {
        return [&seen, name](MainWindowContext& context) {
            auto& window = static_cast<CMainWindow&>(context);
            seen.push_back(std::string(name) + (window.panelState().dialogOpen ? " open" : " free") +
                           (window.isMinimized() ? " minimised" : ""));
        };
    };
    options.commands.setRunner(kCmdVlanConfiguration, record("vlan"));
    options.commands.setRunner(kCmdPortConfiguration, record("port"));
    CMainWindow window(std::move(options));
    window.show();
    ASSERT_TRUE(window.commandAction(kCmdVlanConfiguration)->isEnabled());
    window.commandAction(kCmdVlanConfiguration)->trigger();
    EXPECT_EQ(std::tuple(window.panelState().dialogOpen.load(), window.isVisible(), window.isMinimized()), std::tuple(false, true, false));

    // A click on port 2 opens Port Configuration beside the panel (once
    // painted: painting attaches the element tree to the window); at the
    // port's edge nothing opens.
    window.view()->grab();
    // Over a port the cursor points with its fingertip, at the top of its picture.
    QMouseEvent move(QEvent::MouseMove, ModelFolder::portCentre(1), QPointF(), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.view(), &move);
    const QCursor cursor = window.view()->cursor();
    EXPECT_EQ(cursor.hotSpot().y(), 0);
    EXPECT_GT(qAlpha(cursor.pixmap().toImage().pixel(cursor.hotSpot())), 0);
    clickAt(window.view(), ModelFolder::portCentre(1));
    clickAt(window.view(), ModelFolder::portCentre(1) - QPoint(ModelFolder::kPortWidth / 2 - 1, 0));
    EXPECT_EQ(seen, (std::vector<std::string>{"vlan open minimised", "port free"}));
}

TEST_F(MainWindowTest, IndicatorsBlinkByStateAndPhase)
{
    CMainWindow window(quietOptions(m_folder));
    window.show();
    monitor::PanelState& state = window.panelState();
    state.portStates[0] = monitor::kPortFullSpeed;  // port 1: odd pictures
    state.portStates[1] = monitor::kPortLowerSpeed; // port 2: even pictures
    state.portStates[2] = monitor::kPortDisabled;
    state.portStates[5] = monitor::kPortFullSpeed; // port 6, combination, fibre side in use
    state.mediumTypes[5] = 4;

    // Element 3 has no link: off only; element 9 is port 6's fibre side.
    const auto expectShown = [&](std::initializer_list<std::pair<int, int>> shown) {
        const QImage panel = window.view()->grab().toImage();
        for (const auto& [element, bitmap] : shown)
            EXPECT_EQ(panel.pixel(ModelFolder::lampPosition(element) + QPoint(2, 1)), panel::LoadResourceBitmap(bitmap).pixel(2, 1))
                << "element " << element << ", phase " << window.blinkPhase();
    };
    ASSERT_EQ(window.blinkPhase(), 0);
    expectShown({{0, panel::kBmpGreenOdd}, {1, panel::kBmpOffEven}, {2, panel::kBmpOffOdd}, {9, panel::kBmpGreenEven},
                 {5, panel::kBmpOffEven}, {3, panel::kBmpOffEven}});
    window.blinkTick();
    ASSERT_EQ(window.blinkPhase(), 1);
    expectShown({{0, panel::kBmpOffOdd}, {1, panel::kBmpAmberEven}, {9, panel::kBmpOffEven}});
    window.blinkTick();
    EXPECT_EQ(window.blinkPhase(), 0);
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
