#include "snmp/exchange.h"

#include "platform/event.h"
#include "snmp/snmp_layer.h"
#include "snmp/udp_transport.h"

#include <chrono>
#include <memory>
#include <mutex>

namespace snmp {
namespace {

// Slack beyond the target's time-out for a transport that answers late;
// the real one always answers within the time-out.
constexpr std::chrono::milliseconds kGrace{1000};

struct Outcome {
    std::mutex mutex;
    TransportStatus status = TransportStatus::Timeout;
    Pdu response;
    platform::Event done;
};

} // namespace

TransportStatus PendingExchange::finish(Pdu& response)
{
    if (!m_wait)
        return TransportStatus::Error;
    const Wait wait = std::move(m_wait);
    m_wait = nullptr;
    return wait(response);
}

PendingExchange startExchange(Transport& transport, const Target& target, Pdu request)
{
    // The real transport lets the waiting thread poll for its own answer: no hand-over per request.
    if (auto* udp = dynamic_cast<UdpTransport*>(&transport))
        return udp->startExchange(target, std::move(request));
    auto outcome = std::make_shared<Outcome>();
    transport.submit(target, std::move(request), [outcome](TransportStatus status, Pdu answer) {
        {
            std::lock_guard lock(outcome->mutex);
            outcome->status = status;
            outcome->response = std::move(answer);
        }
        outcome->done.set();
    });
    const int timeoutMs = target.timeoutMs > 0 ? target.timeoutMs : snmpDefaultTimeoutMs();
    return PendingExchange([outcome, timeoutMs](Pdu& response) {
        if (!outcome->done.waitFor(std::chrono::milliseconds(timeoutMs) + kGrace))
            return TransportStatus::Timeout;
        std::lock_guard lock(outcome->mutex);
        response = std::move(outcome->response);
        return outcome->status;
    });
}

TransportStatus exchange(Transport& transport, const Target& target, Pdu request, Pdu& response)
{
    return startExchange(transport, target, std::move(request)).finish(response);
}

} // namespace snmp
