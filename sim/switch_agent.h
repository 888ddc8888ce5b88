#pragma once

#include "sim/manager_entry.h"
#include "sim/snmpd_process.h"
#include "sim/switch_faults.h"

#include <chrono>
#include <memory>
#include <string>

// The simulated switch behind the real snmpd: snmpd keeps its own SNMP
// framework modules (communities, USM users, statistics) and hands the
// switch's subtrees to the qmx-sim-backend program.
namespace sim {

struct SwitchAgentOptions {
    std::string model = "QMX-7720-ZA";
    std::uint16_t port = 0;      // 0: a free port
    std::string listenAddress = "127.0.0.1"; // numeric IPv4 or IPv6
    std::string requestLog;      // empty: no request log
    int rebootSeconds = 10;
    int fdbEntries = -1;         // -1: the model's count
    bool scenario = true;        // live port changes
    std::string modelDirectory;  // empty: the installed or the build's model files
    SwitchFaults faults = {};
    ManagerEntry manager = {};   // the manager's forwarding entry
};

SnmpdOptions switchAgentSnmpdOptions(const SwitchAgentOptions& options);

// Starts snmpd with the simulated switch; nullptr and `error` on failure.
std::unique_ptr<SnmpdProcess> startSwitchAgent(const SwitchAgentOptions& options, std::string* error = nullptr);

} // namespace sim
