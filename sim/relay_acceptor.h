#pragma once

#include "sim/backend_link.h"
#include "sim/request_log.h"
#include "sim/simulated_switch.h"

#include <mutex>
#include <thread>
#include <vector>

// Serves the relays of the other back ends of the same snmpd, one thread
// per relay, all on the one switch.
namespace sim {

class RelayAcceptor {
public:
    RelayAcceptor(Descriptor listener, SimulatedSwitch& device, std::mutex& deviceMutex, RequestLog& log);
    ~RelayAcceptor(); // ends every relay's connection and joins

    RelayAcceptor(const RelayAcceptor&) = delete;
    RelayAcceptor& operator=(const RelayAcceptor&) = delete;

private:
    void acceptRelays();
    void serveRelay(int fd);

    Descriptor m_listener;
    SimulatedSwitch& m_device;
    std::mutex& m_deviceMutex;
    RequestLog& m_log;
    std::mutex m_mutex;
    bool m_stopping = false;
    std::vector<int> m_open; // connections to end on shutdown
    std::vector<std::thread> m_relays;
    std::thread m_acceptor;
};

} // namespace sim
