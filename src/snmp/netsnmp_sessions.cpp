#include "snmp/netsnmp_sessions.h"

#include <algorithm>
#include <cstring>

namespace snmp {
namespace {

// Sends per exchange: the first and two retransmissions, sharing the budget.
constexpr int kTries = 3;

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

const Request& requestOf(const RequestPtr& request) { return *request; }
const Request& requestOf(const std::pair<const int, RequestPtr>& entry) { return *entry.second; }

template <typename Requests>
Clock::time_point earliestDeadline(const Requests& requests)
{
    auto earliest = Clock::time_point::max();
    for (const auto& entry : requests)
        earliest = std::min(earliest, requestOf(entry).deadline);
    return earliest;
}

bool namesAnotherEngine(const netsnmp_session& session, const netsnmp_pdu& pdu)
{
    return pdu.securityEngineIDLen != 0
        && (pdu.securityEngineIDLen != session.securityEngineIDLen
            || std::memcmp(pdu.securityEngineID, session.securityEngineID, pdu.securityEngineIDLen) != 0);
}

} // namespace

struct NetSnmpSessions::Agent {
    NetSnmpSessions* owner = nullptr;
    NetSnmpSessionPtr handle;
    bool ready = false;     // version 1 at once; version 3 once its engine is known
    int probeRequestId = 0; // outstanding engine probe, 0 none
    std::vector<RequestPtr> waitingForEngine;
    std::map<int, RequestPtr> outstanding;
};

NetSnmpSessions::NetSnmpSessions() = default;

NetSnmpSessions::~NetSnmpSessions()
{
    closeAll();
}

void NetSnmpSessions::complete(RequestPtr request, TransportStatus status, Pdu response)
{
    m_completions.push_back({std::move(request->done), status, std::move(response)});
}

std::vector<Completion> NetSnmpSessions::takeCompletions()
{
    std::vector<Completion> ready;
    ready.swap(m_completions);
    return ready;
}

int NetSnmpSessions::onNetSnmpEvent(int operation, netsnmp_session* session, int requestId, netsnmp_pdu* pdu,
                                    void* magic)
{
    auto* agent = static_cast<Agent*>(magic);
    agent->owner->handleEvent(*agent, operation, *session, requestId, pdu);
    return 1;
}

void NetSnmpSessions::handleEvent(Agent& agent, int operation, netsnmp_session& session, int requestId,
                                  netsnmp_pdu* pdu)
{
    // Net-SNMP announces each retransmission; the request goes on.
    if (operation == NETSNMP_CALLBACK_OP_RESEND || operation == NETSNMP_CALLBACK_OP_CONNECT)
        return;
    if (requestId != 0 && requestId == agent.probeRequestId) {
        // A report comes as a security error first, then as a message.
        const bool answered =
            operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || operation == NETSNMP_CALLBACK_OP_SEC_ERROR;
        if (!answered || !pdu) {
            agent.probeRequestId = 0;
        } else if (agent.ready) {
            // A check of a known engine: the agent may have come back as another.
            if (namesAnotherEngine(session, *pdu))
                forgetEngine(agent, session);
            else
                agent.probeRequestId = 0;
        }
        // A forgotten engine id is taken from the report after this returns.
        return;
    }
    const bool report = pdu && pdu->command == SNMP_MSG_REPORT;
    if (requestId == 0 && report && operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE) {
        // The agent could not read the request (unknown user, wrong digest or
        // key): its report carries no request id, and it answers every
        // request sent with these credentials alike.
        const Pdu answer = fromNetSnmpPdu(*pdu);
        for (auto& [id, request] : agent.outstanding)
            complete(std::move(request), TransportStatus::Error, answer);
        agent.outstanding.clear();
        return;
    }
    const auto found = agent.outstanding.find(requestId);
    if (found == agent.outstanding.end())
        return; // already answered as timed out
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu) {
        // A time-window report is followed by Net-SNMP's own resend; a
        // second one for the same request means the agent keeps refusing.
        if (report && isTimeWindowReport(session, *pdu) && !found->second->timeWindowReported) {
            found->second->timeWindowReported = true;
            return;
        }
        RequestPtr request = std::move(found->second);
        agent.outstanding.erase(found);
        // A report goes back with its usmStats binding: the caller names the cause.
        complete(std::move(request), report ? TransportStatus::Error : TransportStatus::Ok, fromNetSnmpPdu(*pdu));
        return;
    }
    RequestPtr request = std::move(found->second);
    agent.outstanding.erase(found);
    if (operation == NETSNMP_CALLBACK_OP_TIMED_OUT)
        complete(std::move(request), TransportStatus::Timeout);
    else
        complete(std::move(request), TransportStatus::Error, report ? fromNetSnmpPdu(*pdu) : Pdu{});
}

NetSnmpSessions::Agent* NetSnmpSessions::agentFor(const Target& target)
{
    const std::string key = sessionKey(target);
    const auto found = m_agents.find(key);
    if (found != m_agents.end())
        return found->second.get();
    auto agent = std::make_unique<Agent>();
    agent->owner = this;
    agent->handle = openNetSnmpSession(target, &NetSnmpSessions::onNetSnmpEvent, agent.get());
    if (!agent->handle)
        return nullptr;
    agent->ready = target.version != 3;
    return m_agents.emplace(key, std::move(agent)).first->second.get();
}

void NetSnmpSessions::dispatch(RequestPtr request)
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

// Installs this agent's keys as the process-wide user before it sends, so a
// session with wrong pass phrases never borrows the keys of another session
// with the same user name.
bool NetSnmpSessions::claimUser(const Agent& agent)
{
    netsnmp_session* session = snmp_sess_session(agent.handle.get());
    if (session->version != SNMP_VERSION_3)
        return true;
    std::string key(reinterpret_cast<const char*>(session->securityEngineID), session->securityEngineIDLen);
    key += '\0';
    key.append(session->securityName ? session->securityName : "", session->securityNameLen);
    const auto owner = m_usmUserOwners.find(key);
    if (owner != m_usmUserOwners.end() && owner->second == &agent)
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
    m_usmUserOwners[key] = &agent;
    return true;
}

void NetSnmpSessions::send(Agent& agent, RequestPtr request)
{
    NetSnmpPduPtr pdu = toNetSnmpPdu(request->pdu, request->target);
    if (!pdu || !claimUser(agent)) {
        complete(std::move(request), TransportStatus::Error);
        return;
    }
    netsnmp_session* session = snmp_sess_session(agent.handle.get());
    session->retries = kTries - 1;
    session->timeout = microsecondsPerTry(request->deadline, Clock::now());
    const int requestId =
        snmp_sess_async_send(agent.handle.get(), pdu.get(), &NetSnmpSessions::onNetSnmpEvent, &agent);
    if (requestId == 0) {
        complete(std::move(request), TransportStatus::Error);
        return;
    }
    pdu.release(); // Net-SNMP owns a sent PDU
    agent.outstanding[requestId] = std::move(request);
}

void NetSnmpSessions::sendProbe(Agent& agent, Clock::time_point deadline)
{
    NetSnmpPduPtr pdu = engineProbePdu();
    netsnmp_session* session = snmp_sess_session(agent.handle.get());
    session->retries = kTries - 1;
    session->timeout = microsecondsPerTry(deadline, Clock::now());
    const int requestId =
        pdu ? snmp_sess_async_send(agent.handle.get(), pdu.get(), &NetSnmpSessions::onNetSnmpEvent, &agent) : 0;
    if (requestId == 0) {
        failWaiting(agent, TransportStatus::Error);
        return;
    }
    pdu.release();
    agent.probeRequestId = requestId;
}

// What was sent to the old engine goes again once the new one is known;
// Net-SNMP's own copies of it time out unheard.
void NetSnmpSessions::forgetEngine(Agent& agent, netsnmp_session& session)
{
    agent.ready = false;
    for (auto& [id, request] : agent.outstanding)
        agent.waitingForEngine.push_back(std::move(request));
    agent.outstanding.clear();
    SNMP_FREE(session.securityEngineID);
    session.securityEngineIDLen = 0;
    SNMP_FREE(session.contextEngineID);
    session.contextEngineIDLen = 0;
}

void NetSnmpSessions::failWaiting(Agent& agent, TransportStatus status)
{
    std::vector<RequestPtr> waiting;
    waiting.swap(agent.waitingForEngine);
    for (RequestPtr& request : waiting)
        complete(std::move(request), status);
}

// A discovered engine makes the user's localised keys; then the held
// requests go out.
void NetSnmpSessions::finishDiscoveries()
{
    for (auto& [key, agent] : m_agents) {
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

void NetSnmpSessions::expire(Clock::time_point now)
{
    for (auto& [key, agent] : m_agents) {
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

bool NetSnmpSessions::hasCompletions() const
{
    return !m_completions.empty();
}

bool NetSnmpSessions::hasRequests() const
{
    return std::any_of(m_agents.begin(), m_agents.end(), [](const auto& entry) {
        return !entry.second->outstanding.empty() || !entry.second->waitingForEngine.empty();
    });
}

void NetSnmpSessions::prepareSelect(fd_set& readable, int& fdCount, timeval& wait) const
{
    const auto now = Clock::now();
    auto until = now + std::chrono::seconds(wait.tv_sec) + std::chrono::microseconds(wait.tv_usec);
    for (const auto& [key, agent] : m_agents)
        until = std::min({until, earliestDeadline(agent->outstanding), earliestDeadline(agent->waitingForEngine)});
    const auto micros =
        std::max<long>(std::chrono::duration_cast<std::chrono::microseconds>(until - now).count(), 1000);
    wait = timeval{micros / 1000000, micros % 1000000};
    for (const auto& [key, agent] : m_agents) {
        int block = 0;
        timeval agentWait = wait;
        snmp_sess_select_info(agent->handle.get(), &fdCount, &readable, &agentWait, &block);
        if (!block && timerisset(&agentWait) && timercmp(&agentWait, &wait, <))
            wait = agentWait;
    }
}

void NetSnmpSessions::afterSelect(fd_set& readable, bool anyReadable)
{
    for (auto& [key, agent] : m_agents) {
        if (anyReadable) {
            netsnmp_session* session = snmp_sess_session(agent->handle.get());
            session->s_snmp_errno = SNMPERR_SUCCESS;
            snmp_sess_read(agent->handle.get(), &readable);
            // An answer the known engine's keys cannot read: a new engine
            // at the agent's address answers with reports under its own id.
            if (session->s_snmp_errno != SNMPERR_SUCCESS && session->version == SNMP_VERSION_3 && agent->ready
                && agent->probeRequestId == 0 && !agent->outstanding.empty())
                sendProbe(*agent, earliestDeadline(agent->outstanding));
        }
        snmp_sess_timeout(agent->handle.get());
    }
    finishDiscoveries();
    expire(Clock::now());
}

void NetSnmpSessions::closeAll()
{
    for (auto& [key, agent] : m_agents) {
        failWaiting(*agent, TransportStatus::Error);
        for (auto& [id, request] : agent->outstanding)
            complete(std::move(request), TransportStatus::Error);
        agent->outstanding.clear();
    }
    m_agents.clear();
}

} // namespace snmp
