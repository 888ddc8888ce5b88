#include "session_parameters_for.h"
#include "../snmpwalk_rows.h"
#include "walk_recorder.h"

#include "sim/snmpd_process.h"
#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* kColumn = "1.3.6.1.4.1.32473.99.1.1.2";
constexpr int kRows = 5000;
constexpr int kRounds = 5;

struct Rate {
    std::size_t rows = 0;
    double seconds = 0;
    double perSecond() const { return seconds > 0 ? static_cast<double>(rows) / seconds : 0; }
};

Rate walkWithSession(std::uint16_t port, const AgentUser& user)
{
    snmp::setSessionParameters(sessionParametersFor(port, user));
    snmp::CCommonSnmp session;
    WalkRecorder walk(session);
    const auto start = Clock::now();
    if (!session.Open(snmp::kPduGetNext) || session.addValue(kColumn, snmp::kTypeNull, nullptr) != 0)
        return {};
    walk.start();
    if (!walk.ended.waitFor(300s))
        return {};
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    session.Close();
    return {walk.rowsSoFar().size(), elapsed.count()};
}

Rate walkWithSnmpwalk(std::uint16_t port, const AgentUser& user, const std::string& stateDirectory)
{
    const auto start = Clock::now();
    const auto rows = snmpwalkRows(port, user, kColumn, stateDirectory);
    const std::chrono::duration<double> elapsed = Clock::now() - start;
    return {rows.size(), elapsed.count()};
}

Rate best(const Rate& a, const Rate& b)
{
    return a.perSecond() >= b.perSecond() ? a : b;
}

} // namespace

int main()
{
    sim::SnmpdOptions options;
    options.passPersist.push_back(".1.3.6.1.4.1.32473.99 /usr/bin/python3 " QMX_TABLE_SCRIPT " "
                                  + std::to_string(kRows));
    std::string error;
    auto daemon = sim::SnmpdProcess::start(options, &error);
    if (!daemon || !snmp::snmpLayerInit()) {
        std::fprintf(stderr, "bench_walk: cannot start: %s\n", error.c_str());
        return 1;
    }
    const std::string stateDirectory = daemon->directory() + "/client";
    std::printf("walk of %d rows on loopback snmpd, best of %d rounds\n", kRows, kRounds);
    std::printf("%-22s %12s %12s %8s\n", "", "session r/s", "snmpwalk r/s", "ratio");
    struct Case {
        const char* label;
        AgentUser user;
    };
    const Case cases[] = {{"version 1", kVersion1}, {"version 3 SHA+AES", kAgentUsers[5]}};
    int status = 0;
    for (const Case& c : cases) {
        walkWithSnmpwalk(daemon->port(), c.user, stateDirectory); // warms the agent and its script
        Rate session;
        Rate reference;
        // Alternating order, best of each: other load on the machine hits both alike.
        for (int round = 0; round < kRounds; ++round) {
            if (round % 2 == 0)
                session = best(session, walkWithSession(daemon->port(), c.user));
            reference = best(reference, walkWithSnmpwalk(daemon->port(), c.user, stateDirectory));
            if (round % 2 == 1)
                session = best(session, walkWithSession(daemon->port(), c.user));
        }
        if (session.rows != kRows || reference.rows != kRows) {
            std::fprintf(stderr, "%s: rows session %zu, snmpwalk %zu (expected %d)\n", c.label, session.rows,
                         reference.rows, kRows);
            status = 1;
        }
        std::printf("%-22s %12.0f %12.0f %8.2f\n", c.label, session.perSecond(), reference.perSecond(),
                    reference.perSecond() > 0 ? session.perSecond() / reference.perSecond() : 0.0);
    }
    return status;
}
