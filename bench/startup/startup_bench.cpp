// scripts/bench startup [--runs N] [--idle-seconds S] [--model MODEL]
//
// 1. Time from process start to the first painted panel of qmx-module (at a
//    simulated switch), against the same harness started as a bare Qt window
//    (--bare), alternating, in the same run. Target: ratio <= 2.
// 2. The module's CPU use over S seconds of polling an idle switch (from
//    /proc/<pid>/stat). Target: <= 1 % of one core.
#include "sim/switch_agent.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

// The bare window: shown, painted once, gone.
int runBareWindow(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.resize(640, 120);
    struct Filter : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (event->type() == QEvent::Paint)
                QTimer::singleShot(0, [] {
                    std::printf("painted\n");
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            return QObject::eventFilter(watched, event);
        }
    } filter;
    window.installEventFilter(&filter);
    window.show();
    return QApplication::exec();
}

QProcessEnvironment offscreen()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}

// Milliseconds from start to "painted" on the child's output; -1 on failure.
double timeToPaint(const QString& program, const QStringList& arguments, const QString& directory,
                   QProcessEnvironment environment)
{
    QProcess process;
    process.setWorkingDirectory(directory);
    process.setProcessEnvironment(environment);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    while (process.waitForReadyRead(30000))
        if (process.readAllStandardOutput().contains("painted"))
            break;
    const double elapsed = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return -1;
    }
    return process.exitCode() == 0 ? elapsed : -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// utime + stime of a process, in clock ticks.
long long cpuTicks(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1 && QByteArray(argv[1]) == "--bare")
        return runBareWindow(argc, argv);

    int runs = 5;
    int idleSeconds = 60;
    QString model = QStringLiteral("QMX-7720-ZA");
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray option(argv[i]);
        if (option == "--runs")
            runs = std::max(1, atoi(argv[i + 1]));
        else if (option == "--idle-seconds")
            idleSeconds = std::max(1, atoi(argv[i + 1]));
        else if (option == "--model")
            model = QString::fromLocal8Bit(argv[i + 1]);
    }
    QCoreApplication application(argc, argv);

    sim::SwitchAgentOptions agentOptions;
    agentOptions.model = model.toStdString();
    agentOptions.scenario = false;
    std::string error;
    auto agent = sim::startSwitchAgent(agentOptions, &error);
    if (!agent) {
        std::fprintf(stderr, "bench_startup: %s\n", error.c_str());
        return 1;
    }
    const QString folder = QStringLiteral(QMX_MODELS_DIR "/") + model;
    const QString module = QDir(folder).filePath("qmx-module");
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList moduleArguments{QStringLiteral("/Xbench/I127.0.0.1/Rqevtal/Wmorvint/Vtrue/S1/P%1").arg(agent->port())};

    QProcessEnvironment firstPaint = offscreen();
    firstPaint.insert("QMX_EXIT_AFTER_FIRST_PAINT", "1");
    std::vector<double> moduleTimes;
    std::vector<double> bareTimes;
    for (int run = 0; run < runs; ++run) {
        const double bare = timeToPaint(self, {QStringLiteral("--bare")}, folder, offscreen());
        const double panel = timeToPaint(module, moduleArguments, folder, firstPaint);
        if (bare < 0 || panel < 0) {
            std::fprintf(stderr, "bench_startup: run %d failed\n", run + 1);
            return 1;
        }
        bareTimes.push_back(bare);
        moduleTimes.push_back(panel);
    }
    const double bareMedian = median(bareTimes);
    const double moduleMedian = median(moduleTimes);
    std::printf("start-up to first paint (median of %d, offscreen)\n", runs);
    std::printf("  bare Qt window   %8.1f ms\n", bareMedian);
    std::printf("  qmx-module panel %8.1f ms\n", moduleMedian);
    std::printf("  ratio            %8.2f   (target <= 2)\n", moduleMedian / bareMedian);

    QProcess idle;
    idle.setWorkingDirectory(folder);
    idle.setProcessEnvironment(offscreen());
    idle.start(module, moduleArguments);
    if (!idle.waitForStarted(10000)) {
        std::fprintf(stderr, "bench_startup: qmx-module did not start\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(2)); // past the start-up work
    const long long before = cpuTicks(idle.processId());
    QElapsedTimer timer;
    timer.start();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const long long after = cpuTicks(idle.processId());
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    idle.kill();
    idle.waitForFinished(10000);
    if (before < 0 || after < 0) {
        std::fprintf(stderr, "bench_startup: no CPU figures for qmx-module\n");
        return 1;
    }
    const double cpuSeconds = static_cast<double>(after - before) / static_cast<double>(sysconf(_SC_CLK_TCK));
    std::printf("idle polling over %.0f s\n", seconds);
    std::printf("  CPU              %8.3f s\n", cpuSeconds);
    std::printf("  share of a core  %8.2f %%  (target <= 1 %%)\n", 100.0 * cpuSeconds / seconds);
    return 0;
}
