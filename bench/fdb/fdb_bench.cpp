// scripts/bench fdb: lists 8,000 forwarding entries of the simulated switch
// through the Forwarding Table dialog and with snmpwalk, in the same run.
#include "dialogs/mib/forwarding_table_dialog.h"
#include "sim/switch_agent.h"
#include "../bench_support.h"
#include "snmp/session_parameters.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr int kEntries = 8000;

struct DialogRun {
    double seconds = 0;
    int rows = 0;
    qint64 longestStallMs = 0;
    qint64 longestStallAtMs = 0;
};

DialogRun runDialog()
{
    DialogRun run;
    dialogs::mib::CForwardingTableDialog dialog;
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    bool ended = false;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, [&] {
        run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        ended = true;
    });
    // A 1 ms timer on the UI thread: the longest gap between its ticks is
    // the longest time the thread could not answer the user.
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 gap = sinceTick.restart();
        if (gap > run.longestStallMs) {
            run.longestStallMs = gap;
            run.longestStallAtMs = clock.elapsed();
        }
    });
    dialog.show();
    clock.start();
    sinceTick.start();
    ticker.start();
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ticker.stop();
    run.rows = dialog.list()->topLevelItemCount();
    return run;
}

double runSnmpwalk(const std::string& agent, const char* column, int& rows)
{
    QElapsedTimer clock;
    clock.start();
    QProcess walk;
    walk.start(QStringLiteral("snmpwalk"), {QStringLiteral("-v1"), QStringLiteral("-c"), QStringLiteral("qevtal"),
                                            QStringLiteral("-On"), QString::fromStdString(agent),
                                            QString::fromLatin1(column)});
    walk.waitForFinished(-1);
    rows += static_cast<int>(walk.readAllStandardOutput().count('\n'));
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    sim::SwitchAgentOptions options;
    options.fdbEntries = kEntries;
    options.scenario = false;
    const auto agent = startBenchAgent("bench_fdb", options);
    if (!agent)
        return 1;
    const std::string address = "127.0.0.1:" + std::to_string(agent->port());

    // Warm the agent's back end once, then measure both in the same run.
    int warmRows = 0;
    runSnmpwalk(address, "1.3.6.1.2.1.17.7.1.2.2.1.2", warmRows);

    const DialogRun dialog = runDialog();
    const qint64 idleMs = idleStallMs(static_cast<int>(dialog.seconds * 1000));
    int walkedRows = 0;
    const double snmpwalkSeconds = runSnmpwalk(address, "1.3.6.1.2.1.17.7.1.2.2.1.3", walkedRows)
                                   + runSnmpwalk(address, "1.3.6.1.2.1.17.7.1.2.2.1.2", walkedRows);

    std::printf("forwarding entries listed by the dialog: %d in %.3f s\n", dialog.rows, dialog.seconds);
    std::printf("snmpwalk of the same two columns:        %d values in %.3f s\n", walkedRows, snmpwalkSeconds);
    std::printf("dialog / snmpwalk time:                  %.2f (target <= 1.10)\n", dialog.seconds / snmpwalkSeconds);
    std::printf("longest UI thread stall during the walk: %lld ms, ending %.3f s into it (target <= 50)\n",
                static_cast<long long>(dialog.longestStallMs), static_cast<double>(dialog.longestStallAtMs) / 1000);
    std::printf("longest stall of the idle UI thread, same duration: %lld ms (the machine's load alone)\n",
                static_cast<long long>(idleMs));
    return 0;
}
