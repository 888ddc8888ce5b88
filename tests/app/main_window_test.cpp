#include "app/main_window.h"
#include "app/main_window_view.h"
#include "main_window_fixture.h"
#include "panel/bitmap_cache.h"
#include "platform/debug_output.h"
#include "scripted_prompter.h"

#include <QAction>
#include <QImage>
#include <QCoreApplication>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <mutex>

using namespace app;
using namespace std::chrono_literals;

namespace {

// The polling thread stays asleep: these tests drive the panel data directly.
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

void clickAt(QWidget* widget, QPoint point)
{
    QMouseEvent press(QEvent::MouseButtonPress, point, widget->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

QRgb pixelOf(int resourceId)
{
    return panel::LoadResourceBitmap(resourceId).pixel(2, 1);
}

QRgb indicatorPixel(CMainWindow& window, int element)
{
    const QPoint lamp = ModelFolder::lampPosition(element);
    return window.view()->grab().toImage().pixel(lamp + QPoint(2, 1));
}

class DebugCapture {
public:
    DebugCapture()
    {
        std::lock_guard lock(mutex());
        lines().clear();
        platform::setDebugSink(&collect);
    }
    ~DebugCapture() { platform::setDebugSink(nullptr); }
    std::vector<std::string> taken() const
    {
        std::lock_guard lock(mutex());
        return lines();
    }

private:
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::vector<std::string>& lines()
    {
        static std::vector<std::string> l;
        return l;
    }
    static void collect(std::string_view line)
    {
        std::lock_guard lock(mutex());
        lines().emplace_back(line);
    }
};

} // namespace

TEST(MainWindow, TitleClientSizeAndMenuFollowTheModel)
{
    ParametersScope parameters(addressed("192.0.2.10"));
    ModelFolder folder("QMX-7720-ZA", 8);
    CMainWindow window(quietOptions(folder));

    EXPECT_EQ(window.windowTitle(), "QMX-7720-ZA: 192.0.2.10");
    EXPECT_EQ(window.view()->size(), QSize(ModelFolder::kPanelWidth, ModelFolder::kPanelHeight));
    ASSERT_NE(window.commandAction(kCmdAbout), nullptr);
    EXPECT_EQ(window.commandAction(kCmdAbout)->text(), "About QMX-7720-ZA...");
    EXPECT_EQ(window.commandAction(kCmdPoePortConfig), nullptr);
    EXPECT_EQ(window.commandAction(kCmdLldpMedSetting), nullptr);
    ASSERT_NE(window.commandAction(kCmdVlanConfiguration), nullptr);
    EXPECT_FALSE(window.commandAction(kCmdVlanConfiguration)->isEnabled()); // no dialog registered
    EXPECT_TRUE(window.pollingRunning());
    EXPECT_EQ(deviceDescription().portCount, 8);

    ModelFolder poeFolder("QMX-7740-ZP", 8);
    CMainWindow poeWindow(quietOptions(poeFolder));
    EXPECT_NE(poeWindow.commandAction(kCmdPoePortConfig), nullptr);
    EXPECT_NE(poeWindow.commandAction(kCmdLldpRemotePortInformation), nullptr);
}

TEST(MainWindow, UserIniWithoutDeviceNameOrXmlNameOpensAnEmptyWindow)
{
    ParametersScope parameters(addressed("192.0.2.10"));
    for (bool withName : {false, true}) {
        ScriptedPrompter prompter;
        ModelFolder folder(withName ? "QMX-7720-ZA" : "", 8, /*withXmlName=*/!withName);
        CMainWindow window(quietOptions(folder));
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Read User.ini Error !"});
        EXPECT_EQ(window.windowTitle(), "CorvaneModule");
        EXPECT_FALSE(window.pollingRunning());
        EXPECT_EQ(window.root().ChildCount(), 0u);
        // The menu is there, unpruned, its About item not retitled.
        ASSERT_NE(window.commandAction(kCmdPoePortConfig), nullptr);
        EXPECT_EQ(window.commandAction(kCmdAbout)->text(), "About QMX-7720-ZA...");
    }
}

TEST(MainWindow, DialogCommandsHideTheWindowAndPausePollingWhileTheyRun)
{
    ParametersScope parameters(addressed("192.0.2.10"));
    ModelFolder folder("QMX-7720-ZA", 8);
    MainWindowOptions options = quietOptions(folder);
    bool sawFlag = false;
    bool sawMinimised = false;
    int portConfigurationRuns = 0;
    bool portConfigurationFlag = true;
    options.commands.setRunner(kCmdVlanConfiguration, [&](MainWindowContext& context) {
        auto& window = static_cast<CMainWindow&>(context);
        sawFlag = window.panelState().dialogOpen.load();
        sawMinimised = window.isMinimized();
    });
    options.commands.setRunner(kCmdPortConfiguration, [&](MainWindowContext& context) {
        ++portConfigurationRuns;
        portConfigurationFlag = static_cast<CMainWindow&>(context).panelState().dialogOpen.load();
    });
    CMainWindow window(std::move(options));
    window.show();
    ASSERT_TRUE(window.commandAction(kCmdVlanConfiguration)->isEnabled());

    window.commandAction(kCmdVlanConfiguration)->trigger();
    EXPECT_TRUE(sawFlag);
    EXPECT_TRUE(sawMinimised);
    EXPECT_FALSE(window.panelState().dialogOpen.load());
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.isMinimized());

    // A click on port 2 opens Port Configuration beside the panel (once
    // painted: painting attaches the element tree to the window).
    window.view()->grab();
    clickAt(window.view(), ModelFolder::portCentre(1));
    EXPECT_EQ(portConfigurationRuns, 1);
    EXPECT_FALSE(portConfigurationFlag);
    // At the port's edge nothing opens.
    clickAt(window.view(), ModelFolder::portCentre(1) - QPoint(ModelFolder::kPortWidth / 2 - 1, 0));
    EXPECT_EQ(portConfigurationRuns, 1);
}

TEST(MainWindow, IndicatorsBlinkByStateAndPhase)
{
    ParametersScope parameters(addressed("192.0.2.10"));
    ModelFolder folder("QMX-7720-ZA", 8);
    CMainWindow window(quietOptions(folder));
    window.show();
    monitor::PanelState& state = window.panelState();
    state.portStates[0] = monitor::kPortFullSpeed; // port 1: odd pictures
    state.portStates[1] = monitor::kPortLowerSpeed; // port 2: even pictures
    state.portStates[2] = monitor::kPortDisabled;
    state.portStates[5] = monitor::kPortFullSpeed; // port 6, combination, fibre side in use
    state.mediumTypes[5] = 4;

    ASSERT_EQ(window.blinkPhase(), 0);
    EXPECT_EQ(indicatorPixel(window, 0), pixelOf(panel::kBmpGreenOdd));
    EXPECT_EQ(indicatorPixel(window, 1), pixelOf(panel::kBmpOffEven));
    EXPECT_EQ(indicatorPixel(window, 2), pixelOf(panel::kBmpOffOdd));
    EXPECT_EQ(indicatorPixel(window, 5 + 4), pixelOf(panel::kBmpGreenEven));
    EXPECT_EQ(indicatorPixel(window, 5), pixelOf(panel::kBmpOffEven));
    EXPECT_EQ(indicatorPixel(window, 3), pixelOf(panel::kBmpOffEven)); // no link: off only

    window.blinkTick();
    ASSERT_EQ(window.blinkPhase(), 1);
    EXPECT_EQ(indicatorPixel(window, 0), pixelOf(panel::kBmpOffOdd));
    EXPECT_EQ(indicatorPixel(window, 1), pixelOf(panel::kBmpAmberEven));
    EXPECT_EQ(indicatorPixel(window, 9), pixelOf(panel::kBmpOffEven));
    window.blinkTick();
    EXPECT_EQ(window.blinkPhase(), 0);
}

TEST(MainWindow, ClosingStopsPollingAndClosesTheSessionsInOrder)
{
    ParametersScope parameters(addressed("192.0.2.10"));
    ModelFolder folder("QMX-7720-ZA", 8);
    DebugCapture debug;
    {
        CMainWindow window(quietOptions(folder));
        window.show();
        EXPECT_TRUE(window.close());
    }
    const std::vector<std::string> expected{
        "==================DestroyWindow===============",
        "==================m_cCommonSNMP.Close===============",
        "==================m_cCommonSNMPset.Close===============",
        "==================m_cCommonSNMPFan.Close===============",
        "==================m_cCommonSNMPPoe.Close===============",
        "==================m_cCommonSNMPDevStat.Close===============",
        "==================m_cCommonSNMPPoeStat.Close===============",
    };
    std::vector<std::string> banners;
    for (const std::string& line : debug.taken())
        if (line.starts_with("=================="))
            banners.push_back(line);
    EXPECT_EQ(banners, expected);
}
