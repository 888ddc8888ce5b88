#pragma once

#include "sim/simulated_switch.h"
#include "snmp/transport.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// The simulated switch behind the message library's transport seam, for
// tests that need no UDP: each request is answered on the transport's own
// thread and recorded exactly as submitted. Version-1 targets need the
// communities "qevtal" (read) or "morvint" (read-write); other communities
// and a rebooting switch get no answer (Timeout, reported at once).
// Version-3 targets are answered without any USM check.
namespace sim {

class InProcessTransport final : public snmp::Transport {
public:
    explicit InProcessTransport(SimulatedSwitch device);
    ~InProcessTransport() override; // answers what is queued, then joins

    InProcessTransport(const InProcessTransport&) = delete;
    InProcessTransport& operator=(const InProcessTransport&) = delete;

    void submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done) override;

    // Every request PDU in the order submitted, with the id this transport gave it.
    std::vector<snmp::Pdu> requests() const;
    void clearRequests();
    // Runs `use` on the switch between requests (state checks, fan fault).
    void withSwitch(const std::function<void(SimulatedSwitch&)>& use);

private:
    struct Job {
        snmp::Target target;
        snmp::Pdu request;
        snmp::TransportDone done;
    };

    void serve();
    void answer(Job& job);
    snmp::Pdu respond(const snmp::Target& target, const snmp::Pdu& request, bool mayWrite);

    mutable std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<Job> m_jobs;
    std::vector<snmp::Pdu> m_requests;
    std::int32_t m_nextRequestId = 1;
    bool m_stopping = false;
    std::mutex m_deviceMutex;
    SimulatedSwitch m_device;
    std::thread m_worker; // last: starts once the rest exists
};

} // namespace sim
