// scripts/bench write: writes the PVIDs of a 52-port switch through the PVID
// Configuration dialog and with snmpset, in the same run.
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "sim/switch_agent.h"
#include "../bench_support.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

using dialogs::switching::CPvidDialog;
using dialogs::switching::CVlanConfigurationDialog;

constexpr int kPorts = 52;

// Ports 43 to 46 are aggregated link members and keep PVID 1.
std::int64_t pvidOf(int port)
{
    return port >= 43 && port <= 46 ? 1 : port % 2 ? 10 : 20;
}

void waitForWalks(dialogs::CDialogBase& dialog, int count)
{
    int ended = 0;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &dialog, [&ended] { ++ended; });
    while (ended < count)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

struct DialogRun {
    double seconds = 0;
    bool accepted = false;
    qint64 longestStallMs = 0;
};

DialogRun runDialog()
{
    CVlanConfigurationDialog vlans(kPorts, true);
    waitForWalks(vlans, 3);
    CPvidDialog pvid(kPorts, vlans.vlans());
    waitForWalks(pvid, 2);
    pvid.show();
    for (int port = 1; port <= kPorts; ++port)
        pvid.pvidEdit(port)->setText(QString::number(pvidOf(port)));

    DialogRun run;
    // A 1 ms timer on the UI thread: the longest gap between its ticks is
    // the longest time the thread could not answer the user.
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] { run.longestStallMs = std::max(run.longestStallMs, sinceTick.restart()); });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    ticker.start();
    pvid.apply();
    while (pvid.writing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    ticker.stop();
    run.accepted = pvid.result() == QDialog::Accepted;
    return run;
}

bool snmpset(const std::string& agent, int port)
{
    QProcess set;
    set.start(QStringLiteral("snmpset"),
              {QStringLiteral("-v1"), QStringLiteral("-c"), QStringLiteral("morvint"), QStringLiteral("-On"),
               QString::fromStdString(agent), QStringLiteral("1.3.6.1.4.1.32473.10.75.7.7.7.1.1.%1").arg(port),
               QStringLiteral("u"), QString::number(pvidOf(port))});
    set.waitForFinished(-1);
    return set.exitCode() == 0;
}

// The same bindings, one snmpset each, with the pause after the 40th.
double runSnmpset(const std::string& agent, int& failures)
{
    QElapsedTimer clock;
    clock.start();
    for (int port = 1; port <= kPorts; ++port) {
        if (!snmpset(agent, port))
            ++failures;
        if (port == dialogs::switching::kPvidsBeforePause)
            QThread::msleep(dialogs::switching::kPvidPauseMs);
    }
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);

    sim::SwitchAgentOptions options;
    options.model = "QMX-7752-ZA";
    options.scenario = false;
    const auto agent = startBenchAgent("bench_write", options);
    if (!agent)
        return 1;
    const std::string address = "127.0.0.1:" + std::to_string(agent->port());

    // Warm the agent's back end once, then measure both in the same run.
    snmpset(address, 1);

    const DialogRun dialog = runDialog();
    const qint64 idleMs = idleStallMs(static_cast<int>(dialog.seconds * 1000));
    int failures = 0;
    const double snmpsetSeconds = runSnmpset(address, failures);

    std::printf("PVIDs written by the dialog:              %d in %.3f s%s\n", kPorts, dialog.seconds,
                dialog.accepted ? "" : " (NOT all accepted)");
    std::printf("snmpset, one request each, same pause:    %d in %.3f s (%d failed)\n", kPorts, snmpsetSeconds,
                failures);
    std::printf("dialog / snmpset time:                    %.2f (target <= 1.10)\n", dialog.seconds / snmpsetSeconds);
    std::printf("longest UI thread stall during the write: %lld ms (target <= 50)\n",
                static_cast<long long>(dialog.longestStallMs));
    std::printf("longest stall of the idle UI thread, same duration: %lld ms (the machine's load alone)\n",
                static_cast<long long>(idleMs));
    return dialog.accepted && failures == 0 ? 0 : 1;
}
