#pragma once

#include "sim/line_reader.h"
#include "sim/request_log.h"
#include "sim/simulated_switch.h"

#include <mutex>

// Serves a SimulatedSwitch to snmpd over the pass_persist protocol on a
// pair of file descriptors (the back end's stdin and stdout).
namespace sim {

class PassPersistServer {
public:
    // Only objects under `subtree` are served: snmpd gives each back end one.
    // Servers of several channels share the switch through `deviceMutex`.
    PassPersistServer(SimulatedSwitch& device, std::mutex& deviceMutex, RequestLog& log, snmp::Oid subtree, int in,
                      int out);
    // Answers until snmpd closes the pipe; blank lines are ignored.
    void run();

private:
    void handle(const std::string& command);
    bool readArgument(std::string& line);
    void reply(const std::string& text);
    void answer(const std::optional<snmp::VarBind>& found);
    // While the switch reboots its agent is stopped: nothing answers.
    void silenceAgent();
    // A request the switch leaves unanswered: snmpd waits for this back end
    // and answers nobody meanwhile.
    void holdAnswer(const snmp::Oid& asked);

    SimulatedSwitch& m_device;
    std::mutex& m_deviceMutex;
    RequestLog& m_log;
    snmp::Oid m_subtree;
    LineReader m_in;
    int m_out;
    bool m_ended = false;
    std::chrono::steady_clock::time_point m_heldUntil{};
};

} // namespace sim
