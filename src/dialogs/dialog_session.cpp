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

CDialogSession::CDialogSession(std::string memberName, std::shared_ptr<snmp::JournalContext> journal)
    : m_memberName(std::move(memberName)), m_state(std::make_shared<State>())
{
    m_state->owner = this;
    m_state->snmp = newSnmpSession();
    if (journal)
        m_state->snmp->setJournalContext(std::move(journal));
}

CDialogSession::~CDialogSession()
{
    stopDeliveries();
}

void CDialogSession::stopDeliveries()
{
    std::lock_guard lock(m_state->mutex);
    m_state->abandoned = true;
    m_state->active.post = nullptr;
    m_state->queued.clear();
    m_state->deliveryPosted = false;
}

void CDialogSession::startWalk(const WalkRequest& request, Poster post, WalkSinks sinks)
{
    {
        std::lock_guard lock(m_state->mutex);
        if (m_state->abandoned)
            return;
    }
    Waiting walk{request, std::move(post), std::move(sinks)};
    // Opening a session whose walk is out would wait for that walk on this thread.
    if (m_running) {
        m_waiting.push_back(std::move(walk));
        return;
    }
    begin(std::move(walk));
}

void CDialogSession::begin(Waiting walk)
{
    m_running = true;
    const WalkRequest& request = walk.request;
    const std::uint64_t generation = ++m_nextGeneration;
    {
        std::lock_guard lock(m_state->mutex);
        m_state->deliveryPosted = false; // a delivery posted before a close may have been dropped
        m_state->active = Active{generation,        request.mode,         request.minimumBindings,
                                 request.timeoutMs, std::move(walk.post), std::move(walk.sinks)};
    }
    const int pduType = request.mode == WalkRequest::Mode::Single ? snmp::kPduGet
        : request.mode == WalkRequest::Mode::ReadOnlyTable     ? snmp::kPduGetBulk
                                                               : snmp::kPduGetNext;
    snmp::CCommonSnmp& session = *m_state->snmp;
    if (!prepare(session, pduType, nullBindings(request.oids)) || request.oids.empty()) {
        std::lock_guard lock(m_state->mutex);
        m_state->postLocked(generation, [this](const WalkSinks& sinks) {
            m_endStatus = snmp::kStatusNoAnswer;
            sinks.end();
            walkDelivered();
        });
        return;
    }
    // The status is of no use here: version 3 always answers -1, and a request
    // that Open and addValue accepted is never refused.
    session.getNextAsync(&CDialogSession::walkCallback, m_state.get(),
                         request.firstTimeoutMs ? request.firstTimeoutMs : static_cast<unsigned long>(request.timeoutMs));
}

void CDialogSession::walkDelivered()
{
    m_running = false;
    if (m_waiting.empty())
        return;
    Waiting next = std::move(m_waiting.front());
    m_waiting.pop_front();
    begin(std::move(next));
}

unsigned CDialogSession::walkCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status)
{
    auto* state = static_cast<State*>(context);
    snmp::CCommonSnmp& session = *state->snmp;
    if (!session.FindRequestID(requestId)) {
        // A closing owner waits for the walk's end; this was its last answer.
        std::lock_guard lock(state->mutex);
        if (state->abandoned)
            session.SignalGetDone();
        return 0;
    }

    std::uint64_t generation;
    WalkRequest::Mode mode;
    std::size_t minimumBindings;
    unsigned long timeoutMs;
    CDialogSession* owner;
    {
        std::lock_guard lock(state->mutex);
        generation = state->active.generation;
        mode = state->active.mode;
        minimumBindings = state->active.minimumBindings;
        timeoutMs = static_cast<unsigned long>(state->active.timeoutMs);
        owner = state->owner;
    }
    const bool shortRow = status == snmp::kStatusOk
        && (!response || static_cast<std::size_t>(response->getValuesCount()) < minimumBindings
            || response->getValuesCount() == 0);
    if (status != snmp::kStatusOk || shortRow) {
        // An answer too short to be a row is an error answer, not the table's end.
        const int endedBy = shortRow ? snmp::kStatusFailed : status;
        session.SignalGetDone();
        std::lock_guard lock(state->mutex);
        state->postLocked(generation, [owner, endedBy](const WalkSinks& sinks) {
            owner->m_endStatus = endedBy;
            sinks.end();
            owner->walkDelivered();
        });
        return 0;
    }

    WalkRow row{valuesOf(*response), {}};
    session.getSuffix(0, *response, row.suffix);
    row.suffixes.resize(row.values.size());
    for (std::size_t i = 0; i < row.suffixes.size(); ++i)
        session.getSuffix(static_cast<int>(i), *response, row.suffixes[i]);
    response.reset();
    {
        std::lock_guard lock(state->mutex);
        state->postLocked(generation, [row = std::move(row)](const WalkSinks& sinks) { sinks.row(row); });
        if (mode == WalkRequest::Mode::Single)
            state->postLocked(generation, [owner](const WalkSinks& sinks) {
                owner->m_endStatus = snmp::kStatusOk;
                sinks.end();
                owner->walkDelivered();
            });
    }
    if (mode == WalkRequest::Mode::Single)
        session.SignalGetDone();
    else
        session.getNextAsync(&CDialogSession::walkCallback, state, timeoutMs);
    return 0;
}

void CDialogSession::State::postLocked(std::uint64_t generation, std::function<void(const WalkSinks&)> task)
{
    if (abandoned || !active.post)
        return;
    queued.push_back({generation, std::move(task)});
    if (deliveryPosted)
        return;
    deliveryPosted = true;
    active.post([owner = owner] { owner->deliverQueued(); });
}

void CDialogSession::deliverQueued()
{
    const auto sliceEnd = std::chrono::steady_clock::now() + kDeliverySlice;
    for (;;) {
        Delivery delivery;
        {
            std::lock_guard lock(m_state->mutex);
            if (m_state->queued.empty() || m_state->abandoned) {
                m_state->deliveryPosted = false;
                return;
            }
            if (std::chrono::steady_clock::now() >= sliceEnd) {
                m_state->active.post([this] { deliverQueued(); });
                return;
            }
            delivery = std::move(m_state->queued.front());
            m_state->queued.pop_front();
        }
        // Only the owner's thread writes active, so reading it unlocked here is safe.
        if (delivery.generation != m_state->active.generation)
            continue;
        const WalkSinks sinks = m_state->active.sinks; // a sink may start the next walk
        delivery.task(sinks);
    }
}

int CDialogSession::exchange(int pduType, const Bindings& bindings, std::vector<std::string>* values, int timeoutMs)
{
    snmp::CCommonSnmp& session = *m_state->snmp;
    if (!prepare(session, pduType, bindings))
        return snmp::kStatusNoAnswer;
    std::unique_ptr<snmp::CSnmpResponse> response;
    const int status = session.send(response, timeoutMs);
    if (values) {
        values->clear();
        if (status == snmp::kStatusOk && response)
            *values = valuesOf(*response);
    }
    return status;
}

int CDialogSession::exchangeByGetNext(int pduType, const Bindings& bindings, int timeoutMs)
{
    snmp::CCommonSnmp& session = *m_state->snmp;
    if (!prepare(session, pduType, bindings))
        return snmp::kStatusNoAnswer;
    std::unique_ptr<snmp::CSnmpResponse> response;
    return session.getNext(response, timeoutMs);
}

std::function<void()> CDialogSession::abandon()
{
    stopDeliveries();
    m_waiting.clear();
    m_running = false;
    return [state = m_state, line = "==================" + m_memberName + ".Close==============="] {
        state->snmp->Close();
        platform::debugOutput(line);
    };
}

void CDialogSession::close()
{
    abandon()();
    // Closed here and now, the session may walk again.
    std::lock_guard lock(m_state->mutex);
    m_state->abandoned = false;
}

} // namespace dialogs
