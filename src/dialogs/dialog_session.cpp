#include "dialogs/dialog_session.h"

#include "platform/debug_output.h"
#include "snmp/common_snmp.h"

#include <chrono>
#include <utility>

namespace dialogs {
namespace {

// How long one delivery may hold the owner's thread.
constexpr std::chrono::milliseconds kDeliverySlice{8};

std::mutex g_transportMutex;
std::shared_ptr<snmp::Transport> g_transport;

std::unique_ptr<snmp::CCommonSnmp> newSnmpSession()
{
    std::lock_guard lock(g_transportMutex);
    if (g_transport)
        return std::make_unique<snmp::CCommonSnmp>(g_transport);
    return std::make_unique<snmp::CCommonSnmp>();
}

std::vector<std::string> valuesOf(const snmp::CSnmpResponse& response)
{
    std::vector<std::string> values;
    const int count = response.getValuesCount();
    values.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values.push_back(response.getValue(i));
    return values;
}

} // namespace

void CDialogSession::setTransport(std::shared_ptr<snmp::Transport> transport)
{
    std::lock_guard lock(g_transportMutex);
    g_transport = std::move(transport);
}

CDialogSession::CDialogSession(std::string memberName)
    : m_memberName(std::move(memberName)), m_snmp(newSnmpSession())
{
}

CDialogSession::~CDialogSession() = default;

void CDialogSession::startWalk(const WalkRequest& request, Poster post, WalkSinks sinks)
{
    std::uint64_t generation;
    {
        std::lock_guard lock(m_mutex);
        generation = ++m_nextGeneration;
        m_abandoned = false;
        m_deliveryPosted = false; // a delivery posted before a close may have been dropped
        m_active = Active{generation,      request.mode,    request.minimumBindings,
                          request.timeoutMs, std::move(post), std::move(sinks)};
    }
    const int pduType = request.mode == WalkRequest::Mode::Single ? snmp::kPduGet
        : request.mode == WalkRequest::Mode::ReadOnlyTable     ? snmp::kPduGetBulk
                                                               : snmp::kPduGetNext;
    if (!prepare(*m_snmp, pduType, nullBindings(request.oids)) || request.oids.empty()) {
        std::lock_guard lock(m_mutex);
        postLocked(generation, [this](const WalkSinks& sinks) {
            m_endStatus = snmp::kStatusNoAnswer;
            sinks.end();
        });
        return;
    }
    // The status is of no use here: version 3 always answers -1, and a request
    // that Open and addValue accepted is never refused.
    m_snmp->getNextAsync(&CDialogSession::walkCallback, this,
                         request.firstTimeoutMs ? request.firstTimeoutMs : static_cast<unsigned long>(request.timeoutMs));
}

unsigned CDialogSession::walkCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status)
{
    auto* self = static_cast<CDialogSession*>(context);
    snmp::CCommonSnmp& session = *self->m_snmp;
    if (!session.FindRequestID(requestId)) {
        // A closing owner waits for the walk's end; this was its last answer.
        std::lock_guard lock(self->m_mutex);
        if (self->m_abandoned)
            session.SignalGetDone();
        return 0;
    }

    std::uint64_t generation;
    WalkRequest::Mode mode;
    std::size_t minimumBindings;
    unsigned long timeoutMs;
    {
        std::lock_guard lock(self->m_mutex);
        generation = self->m_active.generation;
        mode = self->m_active.mode;
        minimumBindings = self->m_active.minimumBindings;
        timeoutMs = static_cast<unsigned long>(self->m_active.timeoutMs);
    }
    // An answer too short to be a row is a failed read.
    const int endedBy = status == snmp::kStatusOk ? snmp::kStatusFailed : status;
    const auto end = [self, endedBy](const WalkSinks& sinks) {
        self->m_endStatus = endedBy;
        sinks.end();
    };

    if (status != snmp::kStatusOk || !response
        || static_cast<std::size_t>(response->getValuesCount()) < minimumBindings
        || response->getValuesCount() == 0) {
        session.SignalGetDone();
        std::lock_guard lock(self->m_mutex);
        self->postLocked(generation, end);
        return 0;
    }

    WalkRow row{valuesOf(*response), {}};
    session.getSuffix(0, *response, row.suffix);
    row.suffixes.resize(row.values.size());
    for (std::size_t i = 0; i < row.suffixes.size(); ++i)
        session.getSuffix(static_cast<int>(i), *response, row.suffixes[i]);
    response.reset();
    {
        std::lock_guard lock(self->m_mutex);
        self->postLocked(generation, [row = std::move(row)](const WalkSinks& sinks) { sinks.row(row); });
        if (mode == WalkRequest::Mode::Single)
            self->postLocked(generation, [self](const WalkSinks& sinks) {
                self->m_endStatus = snmp::kStatusOk;
                sinks.end();
            });
    }
    if (mode == WalkRequest::Mode::Single)
        session.SignalGetDone();
    else
        session.getNextAsync(&CDialogSession::walkCallback, self, timeoutMs);
    return 0;
}

void CDialogSession::postLocked(std::uint64_t generation, std::function<void(const WalkSinks&)> task)
{
    if (m_abandoned || !m_active.post)
        return;
    m_queued.push_back({generation, std::move(task)});
    if (m_deliveryPosted)
        return;
    m_deliveryPosted = true;
    m_active.post([this] { deliverQueued(); });
}

void CDialogSession::deliverQueued()
{
    const auto sliceEnd = std::chrono::steady_clock::now() + kDeliverySlice;
    for (;;) {
        Delivery delivery;
        {
            std::lock_guard lock(m_mutex);
            if (m_queued.empty() || m_abandoned) {
                m_deliveryPosted = false;
                return;
            }
            if (std::chrono::steady_clock::now() >= sliceEnd) {
                m_active.post([this] { deliverQueued(); });
                return;
            }
            delivery = std::move(m_queued.front());
            m_queued.pop_front();
        }
        // Only the owner's thread writes m_active, so reading it unlocked here is safe.
        if (delivery.generation != m_active.generation)
            continue;
        const WalkSinks sinks = m_active.sinks; // a sink may start the next walk
        delivery.task(sinks);
    }
}

int CDialogSession::exchange(int pduType, const Bindings& bindings, std::vector<std::string>* values, int timeoutMs)
{
    if (!prepare(*m_snmp, pduType, bindings))
        return snmp::kStatusNoAnswer;
    std::unique_ptr<snmp::CSnmpResponse> response;
    const int status = m_snmp->send(response, timeoutMs);
    if (values) {
        values->clear();
        if (status == snmp::kStatusOk && response)
            *values = valuesOf(*response);
    }
    return status;
}

int CDialogSession::exchangeByGetNext(int pduType, const Bindings& bindings, int timeoutMs)
{
    if (!prepare(*m_snmp, pduType, bindings))
        return snmp::kStatusNoAnswer;
    std::unique_ptr<snmp::CSnmpResponse> response;
    return m_snmp->getNext(response, timeoutMs);
}

void CDialogSession::close()
{
    {
        std::lock_guard lock(m_mutex);
        m_abandoned = true;
        m_active.post = nullptr;
        m_queued.clear();
        m_deliveryPosted = false;
    }
    m_snmp->Close();
    platform::debugOutput("==================" + m_memberName + ".Close===============");
}

} // namespace dialogs
