#include "app/main_window.h"
#include "app/module_app.h"
#include "qt_wait.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

using namespace app;

namespace {

const QString kModelDir = QStringLiteral(QMX_MODEL_DIR);
const std::string kUserIni = QDir(kModelDir).filePath("User.ini").toStdString();

QString consoleLine(const QString& address)
{
    return QStringLiteral("/Xtest/I%1/Rqevtal/Wmorvint/Vtrue/S1/P161").arg(address);
}

// qmx-module from the model folder, as the console starts it.
std::unique_ptr<QProcess> startModule(const QString& address)
{
    auto process = std::make_unique<QProcess>();
    process->setWorkingDirectory(kModelDir);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process->setProcessEnvironment(environment);
    process->start(QDir(kModelDir).filePath("qmx-module"), {consoleLine(address)});
    return process;
}

} // namespace

TEST(ModuleStartup, SecondStartForTheSameSwitchWakesTheFirstAndAnotherSwitchRuns)
{
    const QString address = QStringLiteral("192.0.2.77");
    CModuleApp first({QStringLiteral("qmx-module"), consoleLine(address)});
    first.setUserIniPath(kUserIni);
    bool ran = false;
    const int result = first.run([&] {
        ran = true;
        MainWindowOptions options;
        options.userIniPath = kUserIni;
        options.pollTimings = monitor::PollTimings{std::chrono::hours(1), std::chrono::hours(1), std::chrono::milliseconds(0)};
        CMainWindow window(std::move(options));
        QObject::connect(first.instanceGuard(), &InstanceGuard::wakeRequested, &window, &CMainWindow::bringToFront);
        window.showMinimized();
        EXPECT_TRUE(window.isMinimized());

        auto second = startModule(address);
        EXPECT_TRUE(second->waitForFinished(20000));
        EXPECT_EQ(std::pair(second->exitStatus(), second->exitCode()), std::pair(QProcess::NormalExit, int(CModuleApp::kExitOtherInstance)));
        EXPECT_TRUE(waitUntil([&] { return !window.isMinimized() && window.isVisible(); }));

        // The same model at another address is another switch: it keeps running.
        auto other = startModule(QStringLiteral("192.0.2.78"));
        EXPECT_TRUE(other->waitForStarted(10000) && !other->waitForFinished(2000));
        EXPECT_EQ(other->state(), QProcess::Running);
        other->kill();
        other->waitForFinished(10000);
        return 0;
    });
    EXPECT_TRUE(ran && result == 0);
}
