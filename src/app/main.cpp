// qmx-module: the device module for one switch, started by the console.
#include "app/change_log/change_log_command.h"
#include "app/change_log/change_log_window.h"
#include "app/connect/connect_options.h"
#include "app/connect/connect_window.h"
#include "app/connect/installed_models.h"
#include "app/main_window.h"
#include "app/main_window_view.h"
#include "app/module_app.h"
#include "app/usage.h"

#ifdef QMX_HAVE_DIALOGS
#include "dialogs/register_dialogs.h"
#endif

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPixmap>
#include <QTimer>

#include "snmp/snmp_layer.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

// QMX_SCREENSHOT=<file>: save the window once the first polling results are
// drawn (or after kLatestMs without any), print the file name, close.
void arrangeScreenshot(app::CMainWindow& window)
{
    const char* path = std::getenv("QMX_SCREENSHOT");
    if (!path || !*path)
        return;
    constexpr int kSettleMs = 400;
    constexpr int kLatestMs = 30000;
    const QString file = QString::fromLocal8Bit(path);
    auto shoot = [&window, file] {
        if (!window.isVisible())
            return;
        const bool saved = window.grab().save(file, "PNG");
        std::printf("%s\n", saved ? qPrintable(file) : "screenshot failed");
        std::fflush(stdout);
        window.close();
    };
    QObject::connect(&window, &app::CMainWindow::panelUpdated, &window,
                     [shoot] { QTimer::singleShot(kSettleMs, shoot); }, Qt::SingleShotConnection);
    QTimer::singleShot(kLatestMs, &window, shoot);
}

// QMX_SCREENSHOT=<file> with the Connect window shown: save it once it is
// on screen, print the file name, and cancel.
void arrangeConnectScreenshot(app::ConnectWindow& window)
{
    const char* path = std::getenv("QMX_SCREENSHOT");
    if (!path || !*path)
        return;
    constexpr int kSettleMs = 400;
    const QString file = QString::fromLocal8Bit(path);
    QObject::connect(&window, &app::ConnectWindow::shown, &window, [&window, file] {
        QTimer::singleShot(kSettleMs, &window, [&window, file] {
            const bool saved = window.grab().save(file, "PNG");
            std::printf("%s\n", saved ? qPrintable(file) : "screenshot failed");
            std::fflush(stdout);
            window.reject();
        });
    }, Qt::SingleShotConnection);
}

// --change-log-window: the Change Log window alone; QMX_SCREENSHOT=<file>
// saves it once shown, prints the file name and closes it.
int runChangeLogWindowAlone()
{
    app::ChangeLogWindow* window = app::showChangeLogWindow();
    if (const char* path = std::getenv("QMX_SCREENSHOT"); path && *path) {
        constexpr int kSettleMs = 400;
        const QString file = QString::fromLocal8Bit(path);
        QTimer::singleShot(kSettleMs, window, [window, file] {
            const bool saved = window->grab().save(file, "PNG");
            std::printf("%s\n", saved ? qPrintable(file) : "screenshot failed");
            std::fflush(stdout);
            window->close();
        });
    }
    return QApplication::exec();
}

// QMX_EXIT_AFTER_FIRST_PAINT=1: print "painted" once the panel has been
// painted the first time and leave (the start-up benchmark's end mark).
class FirstPaintExit final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, [] {
                std::printf("painted\n");
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};

void arrangeFirstPaintExit(app::CMainWindow& window, FirstPaintExit& filter)
{
    if (qEnvironmentVariableIntValue("QMX_EXIT_AFTER_FIRST_PAINT") == 1)
        window.view()->installEventFilter(&filter);
}

int runMainWindow(app::CModuleApp& moduleApp)
{
    app::MainWindowOptions options;
    options.readManagementPath = true;
#ifdef QMX_HAVE_DIALOGS
    dialogs::registerDialogCommands(options.commands);
#endif
    app::CMainWindow window(std::move(options));
    if (app::InstanceGuard* guard = moduleApp.instanceGuard())
        QObject::connect(guard, &app::InstanceGuard::wakeRequested, &window, &app::CMainWindow::bringToFront);
    arrangeScreenshot(window);
    FirstPaintExit firstPaint;
    arrangeFirstPaintExit(window, firstPaint);
    window.show();
    QTimer::singleShot(0, &window, [&moduleApp] { moduleApp.changeJournal().windowShown(); });
    return QApplication::exec();
}

// The Connect window, unshown when the options give everything needed.
std::optional<app::ConnectOutcome> askForSwitch(std::vector<app::InstalledModel> models, const app::ConnectOptions& options,
                                                const app::CModuleApp::Claim& claim)
{
    app::ConnectWindowSetup setup;
    setup.models = std::move(models);
    setup.transport = snmp::netSnmpTransport();
    setup.options = options;
    setup.claim = claim;
    app::ConnectWindow window(std::move(setup));
    arrangeConnectScreenshot(window);
    QEventLoop loop;
    QObject::connect(&window, &QDialog::finished, &loop, &QEventLoop::quit);
    // Closing this window must not end the application before the panel opens.
    QApplication::setQuitOnLastWindowClosed(false);
    window.start();
    loop.exec();
    QApplication::setQuitOnLastWindowClosed(true);
    if (window.result() != QDialog::Accepted) {
        app::waitForChangeLogWindow(); // opened from this window: read on after Cancel
        return std::nullopt;
    }
    return window.outcome();
}

std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Qt aborts without a display; a platform chosen explicitly (offscreen, as
// the tests do) needs none.
bool hasGraphicalSession()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!environmentValue(name).empty())
            return true;
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    // Answered before Qt starts: no display is needed for them.
    if (const auto text = app::informationRequest(words)) {
        std::fputs(text->c_str(), stdout);
        return 0;
    }
    // No display needed: decided before any QApplication exists.
    if (app::isChangeLogRequest(words)) {
        QCoreApplication application(argc, argv);
        return app::runChangeLog(QCoreApplication::arguments());
    }
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Either start takes it; the application object reads it again.
    app::takeNoChangeLogOption(arguments);
    const bool conventional = app::isConventionalStart(arguments) && !app::isChangeLogWindowRequest(words);
    std::vector<app::InstalledModel> models;
    app::ConnectOptionsParse parsed;
    if (conventional) {
        models = app::findInstalledModels(app::installedModelsRoot());
        parsed = app::parseConnectOptions(arguments, environmentValue, models);
        if (!parsed.error.empty()) {
            std::fprintf(stderr, "qmx-module: %s\n", parsed.error.c_str());
            return 2;
        }
    }
    if (!hasGraphicalSession()) {
        std::fputs("qmx-module needs a graphical session (DISPLAY or WAYLAND_DISPLAY is not set).\n", stderr);
        return 1;
    }
    if (app::isChangeLogWindowRequest(words)) {
        QApplication application(argc, argv);
        return runChangeLogWindowAlone();
    }
    if (conventional) {
        QApplication application(argc, argv);
        app::CModuleApp moduleApp(QCoreApplication::arguments());
        return moduleApp.runConnect(
            [&](const app::CModuleApp::Claim& claim) { return askForSwitch(std::move(models), parsed.options, claim); },
            [&] { return runMainWindow(moduleApp); });
    }
    QApplication application(argc, argv);
    app::CModuleApp moduleApp(QCoreApplication::arguments());
    return moduleApp.run([&] { return runMainWindow(moduleApp); });
}
