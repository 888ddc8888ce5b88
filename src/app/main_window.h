#pragma once

#include "commands/command_table.h"
#include "commands/management_path.h"
#include "app/connect/device_description.h"
#include "monitor/panel_device_thread.h"
#include "monitor/panel_state.h"
#include "panel/bitmap_cache.h"
#include "panel/dib.h"
#include "panel/panel_elements.h"
#include "panel/panel_loader.h"

#include <QHash>
#include <QMainWindow>
#include <QTime>
#include <QTimer>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QLabel;

namespace snmp {
class CCommonSnmp;
class Transport;
}

namespace app {

class MainWindowView;
class ManagementPathReader;

struct MainWindowOptions {
    std::string userIniPath;                         // "" gives User.ini beside the executable
    std::shared_ptr<snmp::Transport> transport;      // null gives the real one
    std::optional<monitor::PollTimings> pollTimings; // tests shorten the cycle
    commands::CommandTable commands;                           // the dialogs' runners
    // Reads the path from this computer to the switch after the first
    // answered polling cycle, and serves it to the dialogs.
    bool readManagementPath = false;
};

// The program's only top-level window: the switch's front panel, its menu,
// and the polling that keeps the panel current.
class CMainWindow final : public QMainWindow, public commands::MainWindowContext, private monitor::PanelSink {
    Q_OBJECT
public:
    static constexpr int kBlinkIntervalMs = 200;
    static constexpr std::chrono::milliseconds kStopLimit{1000};

    explicit CMainWindow(MainWindowOptions options = {});
    ~CMainWindow() override;

    // commands::MainWindowContext
    const std::string& deviceName() const override { return m_description.deviceName; }
    int portCount() const override { return m_description.portCount; }
    int combinationPortCount() const override { return app::combinationPortCount(m_description.portCount); }
    bool allGiga() const override { return m_description.allGiga; }
    snmp::CCommonSnmp& setSession() override { return *m_cCommonSNMPset; }
    void beginDialog() override;
    void endDialog() override;

    // Runs a menu command as the menu would; false when it has no runner.
    bool runCommand(int id);
    // The instance wake-up: show normally, raise, take the focus.
    void bringToFront();
    // Stops polling within kStopLimit; later calls do nothing.
    void stopPolling();
    // What the 200 ms timer does: repaint, then flip the blink phase.
    void blinkTick();

    // For the paint code and tests.
    const monitor::PanelState& panelState() const { return m_state; }
    monitor::PanelState& panelState() { return m_state; }
    CDevModule& root() { return m_root; }
    int blinkPhase() const { return m_blinkPhase; }
    QAction* commandAction(int id) const { return m_actions.value(id); }
    bool pollingRunning() const { return m_polling != nullptr; }
    MainWindowView* view() const { return m_view; }
    // The status line's text about the path to the switch ("" before a read).
    QString pathLine() const;
    // The port element marked as this computer's way in; null when unknown.
    CPanelElement* managementPortElement() const;

    static constexpr const char* kManagementPortTip = "this computer reaches the switch here";

signals:
    // Each time a walk's results reached the panel.
    void panelUpdated();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Returns false where initialisation stops early ("Read User.ini Error !").
    bool initialisePanel(std::vector<commands::MenuItem>& menu);
    void placeWindow();
    void startPolling();
    void paintPanel(QPainter& painter);
    void paintIndicators(QPainter& painter);
    void onPortClicked(int place);
    void onSocketClicked();
    void closeSessions();
    void startManagementPath();
    void showManagementPath(const commands::ManagementPath& path);
    QString toolTipAt(QPoint point) const;

    // PanelSink, called from the polling and session threads.
    void portElementsChanged(std::vector<monitor::ElementStatus> changes, Repaint repaint) override;
    void portElementsLost() override;
    void blinkTimerWanted() override;
    void cycleAnswered(bool answered) override;

    MainWindowOptions m_options;
    DeviceDescription m_description;
    CDib m_background;
    int m_backgroundMode = 0;
    CDevModule m_root;
    ModuleList m_modules;
    monitor::PanelState m_state;
    int m_blinkPhase = 0;
    QTimer m_blinkTimer;
    bool m_panelLoaded = false;
    QString m_title;                      // the model and the switch's address
    std::optional<QTime> m_silentSince;   // the first unanswered cycle's end

    std::unique_ptr<snmp::CCommonSnmp> m_cCommonSNMP;
    std::unique_ptr<snmp::CCommonSnmp> m_cCommonSNMPset;
    std::unique_ptr<snmp::CCommonSnmp> m_cCommonSNMPFan;
    std::unique_ptr<snmp::CCommonSnmp> m_cCommonSNMPDevStat;
    std::unique_ptr<snmp::CCommonSnmp> m_cCommonSNMPPoe;
    std::unique_ptr<snmp::CCommonSnmp> m_cCommonSNMPPoeStat;
    CMyBitmapApp m_bitmapCache;

    std::unique_ptr<monitor::PollingTarget> m_pollingTarget;
    std::unique_ptr<monitor::CPanelDeviceThread> m_polling;

    std::shared_ptr<ManagementPathReader> m_pathReader;
    bool m_pathAsked = false;
    commands::ManagementPath m_path;
    QLabel* m_pathLine = nullptr;

    MainWindowView* m_view = nullptr;
    QHash<int, QAction*> m_actions;
};

} // namespace app
