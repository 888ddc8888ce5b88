// qmx-module: the device module for one switch, started by the console.
#include "app/main_window.h"
#include "app/main_window_view.h"
#include "app/module_app.h"
#include "app/usage.h"

#ifdef QMX_HAVE_DIALOGS
#include "dialogs/register_dialogs.h"
#endif

#include <QApplication>
#include <QEvent>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
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

} // namespace

int main(int argc, char* argv[])
{
    // Answered before Qt starts: no display is needed for them.
    if (const auto text = app::informationRequest(std::vector<std::string>(argv + 1, argv + argc))) {
        std::fputs(text->c_str(), stdout);
        return 0;
    }
    QApplication application(argc, argv);
    app::CModuleApp moduleApp(QCoreApplication::arguments());
    return moduleApp.run([&] {
        app::MainWindowOptions options;
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
        return QApplication::exec();
    });
}
