#pragma once

#include "snmp/transport.h"

#include <memory>

// The real transport: Net-SNMP over UDP. One I/O thread owns every Net-SNMP
// session and is the only thread that calls into Net-SNMP (which is not
// reentrant); submit() hands it a request and returns at once, the answer
// comes back through `done` on that thread. Sessions are kept per target,
// so a version-3 agent's engine is discovered once; the discovery runs
// asynchronously and stalls no other exchange.
namespace snmp {

class UdpTransport final : public Transport {
public:
    // Requires Net-SNMP to be initialised (snmpLayerInit does both).
    static std::shared_ptr<UdpTransport> start();
    ~UdpTransport() override;

    UdpTransport(const UdpTransport&) = delete;
    UdpTransport& operator=(const UdpTransport&) = delete;

    void submit(const Target& target, Pdu request, TransportDone done) override;

private:
    struct Impl;
    explicit UdpTransport(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace snmp
