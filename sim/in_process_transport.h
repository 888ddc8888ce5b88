#pragma once

#include "sim/answering_transport.h"
#include "sim/simulated_switch.h"

#include <functional>
#include <mutex>

// The simulated switch behind the message library's transport seam, for
// tests that need no UDP: each request is answered on the transport's own
// thread and recorded exactly as submitted, with the id this transport gave it. Version-1 targets need the
// communities "qevtal" (read) or "morvint" (read-write); other communities
// and a rebooting switch get no answer (Timeout, reported at once).
// Version-3 targets are answered without any USM check.
namespace sim {

class InProcessTransport final : public AnsweringTransport {
public:
    explicit InProcessTransport(SimulatedSwitch device);
    ~InProcessTransport() override; // answers what is queued, then joins

    // Runs `use` on the switch between requests (state checks, fan fault).
    void withSwitch(const std::function<void(SimulatedSwitch&)>& use);

private:
    snmp::TransportStatus answer(const snmp::Target& target, const snmp::Pdu& request, snmp::Pdu& response) override;
    snmp::Pdu respond(const snmp::Target& target, const snmp::Pdu& request, bool mayWrite);

    std::mutex m_deviceMutex;
    SimulatedSwitch m_device;
};

} // namespace sim
