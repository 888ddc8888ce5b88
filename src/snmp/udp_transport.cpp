#include "snmp/udp_transport.h"

#include "snmp/netsnmp_convert.h"
#include "snmp/snmp_layer.h"

#include <sys/eventfd.h>
#include <sys/select.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace snmp {
namespace {

using Clock = std::chrono::steady_clock;

// Sends per exchange: the first and two retransmissions, sharing the budget.
constexpr int kTries = 3;
// Longest select() wait, so a missed wake-up costs little.
constexpr auto kMaxWait = std::chrono::milliseconds(500);

struct Request {
    Target target;
    Pdu pdu;
    TransportDone done;
    Clock::time_point deadline;
};
using RequestPtr = std::unique_ptr<Request>;

struct Completion {
    TransportDone done;
    TransportStatus status;
    Pdu response;
};

std::string sessionKey(const Target& target)
{
    std::string key;
    for (const std::string* part : {&target.host, &target.community, &target.user, &target.authPass, &target.privPass}) {
        key += *part;
        key += '\0';
    }
    key += std::to_string(target.port) + '/' + std::to_string(target.version) + '/'
        + std::to_string(static_cast<int>(target.level)) + '/' + std::to_string(static_cast<int>(target.auth)) + '/'
        + std::to_string(static_cast<int>(target.priv));
    return key;
}

long microsecondsPerTry(Clock::time_point deadline, Clock::time_point now)
{
    const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - now).count();
    return std::max<long>(left / kTries, 1000);
}

bool isTimeWindowReport(const netsnmp_session& session, netsnmp_pdu& pdu)
{
    return session.s_snmp_errno == SNMPERR_NOT_IN_TIME_WINDOW
        || snmpv3_get_report_type(&pdu) == SNMPERR_NOT_IN_TIME_WINDOW;
}

} // namespace

struct UdpTransport::Impl {
    // One Net-SNMP session per distinct target.
    struct Agent {
        Impl* owner = nullptr;
        NetSnmpSessionPtr handle;
        bool ready = false;          // version 1 at once; version 3 once its engine is known
        int probeRequestId = 0;      // outstanding engine probe, 0 none
        std::vector<RequestPtr> waitingForEngine;
        std::map<int, RequestPtr> outstanding;
    };

    std::mutex queueMutex;
    std::vector<RequestPtr> incoming;
    bool stopping = false;
    bool stopped = false;
    int wakeFd = -1;
    std::thread ioThread;

    // Touched by the I/O thread only.
    std::map<std::string, std::unique_ptr<Agent>> agents;
    // Net-SNMP keeps one key set per (engine, user) for the whole process:
    // which agent's pass phrases it holds now.
    std::map<std::string, const Agent*> usmUserOwners;
    std::vector<Completion> completions;

    ~Impl()
    {
        if (wakeFd >= 0)
            ::close(wakeFd);
    }

    void wake() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wakeFd, &one, sizeof one);
    }

    void complete(RequestPtr request, TransportStatus status, Pdu response = {})
    {
        completions.push_back({std::move(request->done), status, std::move(response)});
    }

    void flushCompletions()
    {
        std::vector<Completion> ready;
        ready.swap(completions);
        for (Completion& completion : ready)
            completion.done(completion.status, std::move(completion.response));
    }

    static int onNetSnmpEvent(int operation, netsnmp_session* session, int requestId, netsnmp_pdu* pdu, void* magic)
    {
        auto* agent = static_cast<Agent*>(magic);
        agent->owner->handleEvent(*agent, operation, *session, requestId, pdu);
        return 1;
    }

    void handleEvent(Agent& agent, int operation, netsnmp_session& session, int requestId, netsnmp_pdu* pdu)
    {
        // Net-SNMP announces each retransmission; the request goes on.
        if (operation == NETSNMP_CALLBACK_OP_RESEND || operation == NETSNMP_CALLBACK_OP_CONNECT)
            return;
        if (requestId != 0 && requestId == agent.probeRequestId) {
            // The engine id itself is taken from the report after this returns.
            if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE)
                agent.probeRequestId = 0;
            return;
        }
        const auto found = agent.outstanding.find(requestId);
        if (found == agent.outstanding.end())
            return; // already answered as timed out
        if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu) {
            // A time-window report is followed by Net-SNMP's own resend.
            if (pdu->command == SNMP_MSG_REPORT && isTimeWindowReport(session, *pdu))
                return;
            RequestPtr request = std::move(found->second);
            agent.outstanding.erase(found);
            if (pdu->command == SNMP_MSG_REPORT)
                complete(std::move(request), TransportStatus::Error);
            else
                complete(std::move(request), TransportStatus::Ok, fromNetSnmpPdu(*pdu));
            return;
        }
        RequestPtr request = std::move(found->second);
        agent.outstanding.erase(found);
        complete(std::move(request),
                 operation == NETSNMP_CALLBACK_OP_TIMED_OUT ? TransportStatus::Timeout : TransportStatus::Error);
    }

    Agent* agentFor(const Target& target)
    {
        const std::string key = sessionKey(target);
        const auto found = agents.find(key);
        if (found != agents.end())
            return found->second.get();
        auto agent = std::make_unique<Agent>();
        agent->owner = this;
        agent->handle = openNetSnmpSession(target, &Impl::onNetSnmpEvent, agent.get());
        if (!agent->handle)
            return nullptr;
        agent->ready = target.version != 3;
        return agents.emplace(key, std::move(agent)).first->second.get();
    }

    void dispatch(RequestPtr request)
    {
        Agent* agent = agentFor(request->target);
        if (!agent) {
            complete(std::move(request), TransportStatus::Error);
            return;
        }
        if (agent->ready) {
            send(*agent, std::move(request));
            return;
        }
        const auto deadline = request->deadline;
        agent->waitingForEngine.push_back(std::move(request));
        if (agent->probeRequestId == 0)
            sendProbe(*agent, deadline);
    }

    // Installs this agent's keys as the process-wide user before it sends, so
    // a session with wrong pass phrases never borrows the keys of another
    // session with the same user name.
    bool claimUser(const Agent& agent)
    {
        netsnmp_session* session = snmp_sess_session(agent.handle.get());
        if (session->version != SNMP_VERSION_3)
            return true;
        std::string key(reinterpret_cast<const char*>(session->securityEngineID), session->securityEngineIDLen);
        key += '\0';
        key.append(session->securityName ? session->securityName : "", session->securityNameLen);
        const auto owner = usmUserOwners.find(key);
        if (owner != usmUserOwners.end() && owner->second == &agent)
            return true;
        if (usmUser* existing = usm_get_user(session->securityEngineID, session->securityEngineIDLen,
                                             session->securityName)) {
            usm_remove_user(existing);
            usm_free_user(existing);
        }
        // Net-SNMP creates a session's user once; this session's keys must go in again.
        session->flags &= ~SNMP_FLAGS_USER_CREATED;
        if (create_user_from_session(session) != SNMPERR_SUCCESS)
            return false;
        usmUserOwners[key] = &agent;
        return true;
    }

    void send(Agent& agent, RequestPtr request)
    {
        NetSnmpPduPtr pdu = toNetSnmpPdu(request->pdu, request->target);
        if (!pdu || !claimUser(agent)) {
            complete(std::move(request), TransportStatus::Error);
            return;
        }
        netsnmp_session* session = snmp_sess_session(agent.handle.get());
        session->retries = kTries - 1;
        session->timeout = microsecondsPerTry(request->deadline, Clock::now());
        const int requestId = snmp_sess_async_send(agent.handle.get(), pdu.get(), &Impl::onNetSnmpEvent, &agent);
        if (requestId == 0) {
            complete(std::move(request), TransportStatus::Error);
            return;
        }
        pdu.release(); // Net-SNMP owns a sent PDU
        agent.outstanding[requestId] = std::move(request);
    }

    void sendProbe(Agent& agent, Clock::time_point deadline)
    {
        NetSnmpPduPtr pdu = engineProbePdu();
        netsnmp_session* session = snmp_sess_session(agent.handle.get());
        session->retries = kTries - 1;
        session->timeout = microsecondsPerTry(deadline, Clock::now());
        const int requestId = pdu ? snmp_sess_async_send(agent.handle.get(), pdu.get(), &Impl::onNetSnmpEvent, &agent) : 0;
        if (requestId == 0) {
            failWaiting(agent, TransportStatus::Error);
            return;
        }
        pdu.release();
        agent.probeRequestId = requestId;
    }

    static Clock::time_point earliestDeadline(const std::vector<RequestPtr>& requests)
    {
        auto earliest = Clock::time_point::max();
        for (const RequestPtr& request : requests)
            earliest = std::min(earliest, request->deadline);
        return earliest;
    }

    void failWaiting(Agent& agent, TransportStatus status)
    {
        std::vector<RequestPtr> waiting;
        waiting.swap(agent.waitingForEngine);
        for (RequestPtr& request : waiting)
            complete(std::move(request), status);
    }

    // A discovered engine makes the user's localised keys; then the held
    // requests go out.
    void finishDiscoveries()
    {
        for (auto& [key, agent] : agents) {
            if (agent->ready)
                continue;
            netsnmp_session* session = snmp_sess_session(agent->handle.get());
            if (session->securityEngineIDLen == 0) {
                // A probe lost to its own time-out is sent again for whoever still waits.
                if (agent->probeRequestId == 0 && !agent->waitingForEngine.empty())
                    sendProbe(*agent, earliestDeadline(agent->waitingForEngine));
                continue;
            }
            agent->probeRequestId = 0;
            if (!claimUser(*agent)) {
                failWaiting(*agent, TransportStatus::Error);
                continue;
            }
            agent->ready = true;
            std::vector<RequestPtr> waiting;
            waiting.swap(agent->waitingForEngine);
            for (RequestPtr& request : waiting)
                send(*agent, std::move(request));
        }
    }

    void expire(Clock::time_point now)
    {
        for (auto& [key, agent] : agents) {
            for (auto it = agent->outstanding.begin(); it != agent->outstanding.end();) {
                if (it->second->deadline > now) {
                    ++it;
                    continue;
                }
                complete(std::move(it->second), TransportStatus::Timeout);
                it = agent->outstanding.erase(it);
            }
            auto& waiting = agent->waitingForEngine;
            const auto late = std::stable_partition(waiting.begin(), waiting.end(),
                                                    [now](const RequestPtr& r) { return r->deadline > now; });
            for (auto it = late; it != waiting.end(); ++it)
                complete(std::move(*it), TransportStatus::Timeout);
            waiting.erase(late, waiting.end());
        }
    }

    timeval nextWait(Clock::time_point now) const
    {
        auto until = now + kMaxWait;
        for (const auto& [key, agent] : agents) {
            for (const auto& [id, request] : agent->outstanding)
                until = std::min(until, request->deadline);
            for (const RequestPtr& request : agent->waitingForEngine)
                until = std::min(until, request->deadline);
        }
        const auto micros = std::max<long>(
            std::chrono::duration_cast<std::chrono::microseconds>(until - now).count(), 1000);
        return timeval{micros / 1000000, micros % 1000000};
    }

    bool takeIncoming(std::vector<RequestPtr>& batch)
    {
        std::lock_guard lock(queueMutex);
        batch.swap(incoming);
        return !stopping;
    }

    void waitForEvents()
    {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(wakeFd, &readable);
        int fdCount = wakeFd + 1;
        timeval wait = nextWait(Clock::now());
        for (auto& [key, agent] : agents) {
            int block = 0;
            timeval agentWait = wait;
            snmp_sess_select_info(agent->handle.get(), &fdCount, &readable, &agentWait, &block);
            if (!block && timerisset(&agentWait) && timercmp(&agentWait, &wait, <))
                wait = agentWait;
        }
        const int ready = ::select(fdCount, &readable, nullptr, nullptr, &wait);
        if (ready > 0 && FD_ISSET(wakeFd, &readable)) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto got = ::read(wakeFd, &count, sizeof count);
        }
        for (auto& [key, agent] : agents) {
            if (ready > 0)
                snmp_sess_read(agent->handle.get(), &readable);
            snmp_sess_timeout(agent->handle.get());
        }
    }

    void run()
    {
        std::vector<RequestPtr> batch;
        while (takeIncoming(batch)) {
            for (RequestPtr& request : batch)
                dispatch(std::move(request));
            batch.clear();
            flushCompletions();
            waitForEvents();
            finishDiscoveries();
            expire(Clock::now());
            flushCompletions();
        }
        shutDown(batch);
    }

    void shutDown(std::vector<RequestPtr>& batch)
    {
        {
            std::lock_guard lock(queueMutex);
            stopped = true;
            for (RequestPtr& request : incoming)
                batch.push_back(std::move(request));
            incoming.clear();
        }
        for (RequestPtr& request : batch)
            complete(std::move(request), TransportStatus::Error);
        for (auto& [key, agent] : agents) {
            failWaiting(*agent, TransportStatus::Error);
            for (auto& [id, request] : agent->outstanding)
                complete(std::move(request), TransportStatus::Error);
            agent->outstanding.clear();
        }
        agents.clear();
        flushCompletions();
    }
};

std::shared_ptr<UdpTransport> UdpTransport::start()
{
    auto impl = std::make_unique<Impl>();
    impl->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (impl->wakeFd < 0)
        return nullptr;
    std::shared_ptr<UdpTransport> transport(new UdpTransport(std::move(impl)));
    Impl* state = transport->m_impl.get();
    state->ioThread = std::thread([state] { state->run(); });
    return transport;
}

UdpTransport::UdpTransport(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

UdpTransport::~UdpTransport()
{
    {
        std::lock_guard lock(m_impl->queueMutex);
        m_impl->stopping = true;
    }
    m_impl->wake();
    if (m_impl->ioThread.joinable())
        m_impl->ioThread.join();
}

void UdpTransport::submit(const Target& target, Pdu request, TransportDone done)
{
    auto entry = std::make_unique<Request>();
    entry->target = target;
    entry->pdu = std::move(request);
    entry->done = std::move(done);
    const int timeoutMs = target.timeoutMs > 0 ? target.timeoutMs : snmpDefaultTimeoutMs();
    entry->deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    {
        std::lock_guard lock(m_impl->queueMutex);
        if (!m_impl->stopped) {
            m_impl->incoming.push_back(std::move(entry));
            m_impl->wake();
            return;
        }
    }
    // The I/O thread is gone; the answer must still come from another thread.
    std::thread([done = std::move(entry->done)] { done(TransportStatus::Error, Pdu{}); }).detach();
}

} // namespace snmp
