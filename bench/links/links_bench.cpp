// scripts/bench links [--rtt MS]: the forwarding table of 8,000 entries and
// the four standard table views read through a relay that holds every
// answer for the round trip, at 0, 10 and 50 ms (or the one given): the session with get-next, with bulk reads, and snmpbulkwalk with
// the same max-repetitions, under version 3 (SHA + AES). Then, with bulk
// reads, the forwarding table dialog (its longest UI stall), the VLAN
// Configuration dialog until its reads end and the first polling cycle,
// each against the sequential round trips its reads need at least.
#include "polling_rig.h"
#include "session_parameters_for.h"
#include "../snmpwalk_rows.h"
#include "udp_relay.h"

#include "dialogs/mib/forwarding_table_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "platform/event.h"
#include "sim/switch_agent.h"
#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kFdbEntries = 8000;
// Get-next at a real round trip takes minutes for the whole table: beyond
// this many rows its time is the measured prefix scaled to the table.
constexpr std::size_t kGetNextRowLimit = 600;
constexpr int kRounds = 2;
const AgentUser& kUser = kAgentUsers[5];

struct Table {
    const char* name;
    std::vector<std::string> columns;
    std::string reference; // what snmpbulkwalk walks: a column of the same rows, as many round trips
};

const std::string kFdb = "1.3.6.1.2.1.17.7.1.2.2.1";
const Table kTables[] = {
    {"forwarding table", {kFdb + ".3", kFdb + ".2"}, kFdb + ".2"},
    {"interface table", {"1.3.6.1.2.1.2.2.1.1", "1.3.6.1.2.1.2.2.1.8", "1.3.6.1.2.1.2.2.1.5"}, "1.3.6.1.2.1.2.2.1.1"},
    {"IP table", {"1.3.6.1.2.1.4.20.1.1", "1.3.6.1.2.1.4.20.1.3"}, "1.3.6.1.2.1.4.20.1.1"},
    {"TCP service", {"1.3.6.1.2.1.6.13.1.3", "1.3.6.1.2.1.6.13.1.2", "1.3.6.1.2.1.6.13.1.4", "1.3.6.1.2.1.6.13.1.5",
                     "1.3.6.1.2.1.6.13.1.1"}, "1.3.6.1.2.1.6.13.1.3"},
    {"UDP service", {"1.3.6.1.2.1.7.5.1.2", "1.3.6.1.2.1.7.5.1.1"}, "1.3.6.1.2.1.7.5.1.2"},
};

void useAgent(std::uint16_t port, bool bulk)
{
    snmp::SessionParameters parameters = sessionParametersFor(port, kUser, 10000);
    parameters.bulkReads = bulk;
    snmp::setSessionParameters(parameters);
}

// A walk as the table views run it, stopping after `limit` rows.
struct LimitedWalk {
    LimitedWalk(snmp::CCommonSnmp& session, std::size_t limit) : session(session), limit(limit) {}
    snmp::CCommonSnmp& session;
    std::size_t limit;
    std::size_t rows = 0;
    platform::Event ended{false};

    static unsigned onRow(std::unique_ptr<snmp::CSnmpResponse> response, int id, void* context, int status)
    {
        auto& self = *static_cast<LimitedWalk*>(context);
        if (!self.session.FindRequestID(id))
            return 0;
        if (status != snmp::kStatusOk || !response || ++self.rows >= self.limit) {
            self.session.SignalGetDone();
            self.ended.set();
            return 0;
        }
        self.session.getNextAsync(&LimitedWalk::onRow, context, 0);
        return 0;
    }
};

struct Timing {
    std::size_t rows = 0;
    double seconds = 0;
    bool scaled = false;
};

Timing walkWithSession(std::uint16_t port, const Table& table, bool bulk, std::size_t limit)
{
    useAgent(port, bulk);
    snmp::CCommonSnmp session;
    LimitedWalk walk(session, limit);
    const auto start = Clock::now();
    if (!session.Open(snmp::kPduGetBulk))
        return {};
    for (const std::string& column : table.columns)
        session.addValue(column, snmp::kTypeNull, nullptr);
    session.getNextAsync(&LimitedWalk::onRow, &walk, 0);
    walk.ended.waitFor(600s);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    session.Close();
    return {walk.rows, elapsed.count(), walk.rows >= limit};
}

Timing walkWithSnmpbulkwalk(std::uint16_t port, const Table& table, const std::string& stateDirectory)
{
    std::string command = snmpwalkCommand(port, kUser, table.reference, stateDirectory);
    command.replace(command.find(" snmpwalk "), 10, " snmpbulkwalk -Cr25 ");
    const auto start = Clock::now();
    std::unique_ptr<FILE, int (*)(FILE*)> output(popen(command.c_str(), "r"), &pclose);
    const std::size_t rows = output ? parseSnmpwalkOutput(output.get()).size() : 0;
    output.reset();
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    return {rows, elapsed.count()};
}

// Runs the UI thread until `done`; the longest gap between the ticks of a
// 1 ms timer meanwhile is the longest time it could not answer the user.
qint64 runUntil(const std::function<bool()>& done)
{
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    ticker.start();
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return longest;
}

struct DialogRun {
    double seconds = 0;
    qint64 longestStallMs = 0;
    int rows = 0;
};

DialogRun readForwardingTable()
{
    QElapsedTimer clock;
    clock.start();
    dialogs::mib::CForwardingTableDialog dialog;
    bool ended = false;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &dialog, [&ended] { ended = true; });
    dialog.show();
    DialogRun run;
    run.longestStallMs = runUntil([&] { return ended; });
    run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    run.rows = dialog.list()->topLevelItemCount();
    return run;
}

// Its three walks (voice and surveillance, PVIDs, VLANs) after the
// synchronous asymmetric-mode read.
DialogRun readVlanConfiguration()
{
    QElapsedTimer clock;
    clock.start();
    dialogs::switching::CVlanConfigurationDialog dialog(28, true);
    int ended = 0;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &dialog, [&ended] { ++ended; });
    DialogRun run;
    run.longestStallMs = runUntil([&] { return ended >= 3; });
    run.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    run.rows = dialog.findChild<QTreeWidget*>()->topLevelItemCount();
    return run;
}

// From the polling thread's start to the first port statuses it hands over.
double firstPollingCycle()
{
    PollingRig rig([] { return std::make_unique<snmp::CCommonSnmp>(); }, monitor::DeviceTraits{28, false}, false, true);
    QElapsedTimer clock;
    clock.start();
    rig.thread = std::make_unique<monitor::CPanelDeviceThread>(&rig.target);
    rig.thread->start();
    rig.sink.waitFor([&] { return rig.sink.updates() > 0; }, 60s);
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

Timing faster(const Timing& best, const Timing& next)
{
    return best.rows == 0 || next.seconds < best.seconds ? next : best;
}

double ratio(double a, double b)
{
    return b > 0 ? a / b : 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    std::vector<int> rtts{0, 10, 50};
    if (argc == 3 && std::string(argv[1]) == "--rtt") {
        rtts = {std::atoi(argv[2])};
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: bench_links [--rtt MS]\n");
        return 2;
    }
    sim::SwitchAgentOptions options;
    options.fdbEntries = kFdbEntries;
    options.scenario = false;
    std::string error;
    auto agent = sim::startSwitchAgent(options, &error);
    if (!agent || !snmp::snmpLayerInit()) {
        std::fprintf(stderr, "bench_links: cannot start: %s\n", error.c_str());
        return 1;
    }
    const std::string stateDirectory = agent->directory() + "/client";
    std::printf("version 3 (SHA + AES), simulated switch with %d forwarding entries; seconds\n", kFdbEntries);
    std::printf("%-7s %-17s %6s %9s %9s %13s %9s %11s\n", "rtt ms", "table", "rows", "get-next", "bulk",
                "snmpbulkwalk", "bulk/ref", "get-next/ref");
    std::vector<std::string> summaries;
    std::vector<std::string> dialogLines;
    for (const int rtt : rtts) {
        drills::UdpRelay relay(agent->port());
        drills::RelayFaults link;
        link.answerDelay = std::chrono::milliseconds(rtt);
        relay.setFaults(link);
        for (const Table& table : kTables) {
            walkWithSnmpbulkwalk(relay.port(), table, stateDirectory); // warms the agent's caches
            // Best of alternating rounds: other load on the machine hits both alike.
            Timing reference, bulk;
            for (int round = 0; round < kRounds; ++round) {
                bulk = faster(bulk, walkWithSession(relay.port(), table, true, SIZE_MAX));
                reference = faster(reference, walkWithSnmpbulkwalk(relay.port(), table, stateDirectory));
            }
            Timing getNext = walkWithSession(relay.port(), table, false, rtt ? kGetNextRowLimit : SIZE_MAX);
            if (getNext.scaled)
                getNext.seconds *= static_cast<double>(bulk.rows) / static_cast<double>(getNext.rows);
            std::printf("%-7d %-17s %6zu %8.2f%s %9.2f %13.2f %8.2fx %10.1fx\n", rtt, table.name, bulk.rows,
                        getNext.seconds, getNext.scaled ? "*" : " ", bulk.seconds, reference.seconds,
                        ratio(bulk.seconds, reference.seconds), ratio(getNext.seconds, reference.seconds));
            if (bulk.rows != reference.rows)
                std::fprintf(stderr, "%s: bulk rows %zu, snmpbulkwalk values %zu\n", table.name, bulk.rows,
                             reference.rows);
            if (&table == &kTables[0]) {
                char line[160];
                std::snprintf(line, sizeof line, "rtt %d ms: forwarding table bulk %.2fx snmpbulkwalk, get-next %.1fx",
                              rtt, ratio(bulk.seconds, reference.seconds), ratio(getNext.seconds, reference.seconds));
                summaries.emplace_back(line);
            }
        }
        useAgent(relay.port(), true);
        const DialogRun fdb = readForwardingTable();
        const DialogRun vlan = readVlanConfiguration();
        const double polling = firstPollingCycle();
        // The VLAN dialog: its synchronous read, then its longest walk (the
        // 28 PVIDs or the VLANs) and the answer that ends it. The first
        // cycle: the 500 ms pause, the fan read, 28 interface rows and the
        // row that ends the walk.
        const int vlanTrips = 1 + std::max(28, vlan.rows) + 1;
        char line[200];
        std::snprintf(line, sizeof line,
                      "%-7d forwarding table dialog %.2f s (%d rows), longest UI stall %lld ms; VLAN Configuration "
                      "%.2f s (bound %.2f s, %d round trips); first polling cycle %.2f s (bound %.2f s)",
                      rtt, fdb.seconds, fdb.rows, static_cast<long long>(fdb.longestStallMs), vlan.seconds,
                      vlanTrips * rtt / 1000.0, vlanTrips, polling, 0.5 + 30 * rtt / 1000.0);
        dialogLines.emplace_back(line);
    }
    for (const std::string& text : dialogLines)
        std::printf("%s\n", text.c_str());
    std::printf("* get-next timed over its first %zu rows and scaled to the table\n", kGetNextRowLimit);
    for (const std::string& line : summaries)
        std::printf("%s\n", line.c_str());
    return 0;
}
