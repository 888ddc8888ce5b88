#pragma once

#include "snmp/transport.h"

#include <functional>

// One request through a transport, waited for on the calling thread. No
// lock is held while waiting; an answer that comes after the wait gave up
// is dropped safely.
namespace snmp {

// A request already handed to the transport; finish() waits for its answer.
// Dropped unfinished, its answer is discarded when it comes.
class PendingExchange {
public:
    using Wait = std::function<TransportStatus(Pdu& response)>;

    PendingExchange() = default;
    explicit PendingExchange(Wait wait) : m_wait(std::move(wait)) {}

    bool started() const { return static_cast<bool>(m_wait); }
    // Once only; Error when nothing was started.
    TransportStatus finish(Pdu& response);

private:
    Wait m_wait;
};

// Sends now: the request is on its way when this returns.
PendingExchange startExchange(Transport& transport, const Target& target, Pdu request);
TransportStatus exchange(Transport& transport, const Target& target, Pdu request, Pdu& response);

} // namespace snmp
