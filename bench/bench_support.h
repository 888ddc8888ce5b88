#pragma once

#include "sim/switch_agent.h"
#include "snmp/session_parameters.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

// The longest gap between the ticks of a 1 ms timer while the UI thread has
// nothing to do: what the machine's load alone costs.
inline qint64 idleStallMs(int durationMs)
{
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    ticker.start();
    while (clock.elapsed() < durationMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return longest;
}

// The simulated switch behind snmpd, with new sessions pointed at it; null
// (and why, on stderr) when it does not start.
inline std::unique_ptr<sim::SnmpdProcess> startBenchAgent(const char* bench, const sim::SwitchAgentOptions& options)
{
    std::string error;
    auto agent = sim::startSwitchAgent(options, &error);
    if (!agent) {
        std::fprintf(stderr, "%s: %s\n", bench, error.c_str());
        return nullptr;
    }
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.agentPort = std::to_string(agent->port());
    snmp::setSessionParameters(parameters);
    return agent;
}
