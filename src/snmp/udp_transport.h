#pragma once

#include "snmp/exchange.h"
#include "snmp/transport.h"

#include <memory>

// The real transport: Net-SNMP over UDP. Every Net-SNMP call happens under
// one lock (Net-SNMP is not reentrant), never held while waiting. A thread
// that waits for its own answer polls the sockets itself, so a walk costs
// no hand-over between threads; the transport's thread polls only for
// asynchronous submissions nobody waits for. Sessions are kept per target,
// so a version-3 agent's engine is discovered once, asynchronously.
namespace snmp {

class UdpTransport final : public Transport {
public:
    // Requires Net-SNMP to be initialised (snmpLayerInit does both).
    static std::shared_ptr<UdpTransport> start();
    ~UdpTransport() override;

    UdpTransport(const UdpTransport&) = delete;
    UdpTransport& operator=(const UdpTransport&) = delete;

    void submit(const Target& target, Pdu request, TransportDone done) override;
    // Sends now; the thread that finishes the exchange polls for its answer.
    // The transport must outlive it.
    PendingExchange startExchange(const Target& target, Pdu request);

private:
    struct Impl;
    explicit UdpTransport(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace snmp
