// scripts/bench write: writes the PVIDs of a 52-port switch through the PVID
// Configuration dialog, with the change journal off and on, and with snmpset,
// in the same run.
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "journal/journal_writer.h"
#include "sim/switch_agent.h"
#include "../bench_support.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "snmp/set_journal.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
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

// Until every read the dialog declared has ended (counting walk ends would
// miss a walk that ended before the count began).
void waitForReads(const dialogs::CDialogBase& dialog)
{
    const auto settled = [&dialog] {
        const auto& reads = dialog.declaredReads();
        return !reads.empty() && std::all_of(reads.begin(), reads.end(), [](const dialogs::DeclaredRead& read) {
            return read.state == dialogs::ReadState::Whole || read.state == dialogs::ReadState::Failed;
        });
    };
    while (!settled())
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
    waitForReads(vlans);
    CPvidDialog pvid(kPorts, vlans.vlans());
    waitForReads(pvid);
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

// The dialog's run with the journal recording into a database of its own;
// `rows` gets the requests it holds once written out.
DialogRun runDialogJournalled(int& rows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("changes.sqlite"));
    auto writer = std::make_shared<journal::JournalWriter>(journal::WriterOptions{path, "QMX-7752-ZA", 100000, {}});
    writer->waitOpened(std::chrono::seconds(5));
    snmp::setSetObserver(writer);
    const DialogRun run = runDialog();
    snmp::setSetObserver(nullptr);
    writer.reset();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("count"));
        db.setDatabaseName(path);
        QSqlQuery query(db);
        rows = db.open() && query.exec(QStringLiteral("SELECT COUNT(*) FROM requests")) && query.next() ? query.value(0).toInt() : -1;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("count"));
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
    int journalRows = 0;
    const DialogRun journalled = runDialogJournalled(journalRows);
    const qint64 idleMs = idleStallMs(static_cast<int>(dialog.seconds * 1000));
    int failures = 0;
    const double snmpsetSeconds = runSnmpset(address, failures);

    for (const auto& [run, label] : {std::pair{&dialog, "off"}, std::pair{&journalled, "on"}}) {
        std::printf("change journal %s\n", label);
        std::printf("  PVIDs written by the dialog:              %d in %.3f s%s\n", kPorts, run->seconds,
                    run->accepted ? "" : " (NOT all accepted)");
        std::printf("  dialog / snmpset time:                    %.2f (target <= 1.10)\n", run->seconds / snmpsetSeconds);
        std::printf("  longest UI thread stall during the write: %lld ms (target <= 50)\n",
                    static_cast<long long>(run->longestStallMs));
    }
    std::printf("requests in the change journal:           %d\n", journalRows);
    std::printf("snmpset, one request each, same pause:    %d in %.3f s (%d failed)\n", kPorts, snmpsetSeconds,
                failures);
    std::printf("longest stall of the idle UI thread, same duration: %lld ms (the machine's load alone)\n",
                static_cast<long long>(idleMs));
    return dialog.accepted && journalled.accepted && failures == 0 ? 0 : 1;
}
