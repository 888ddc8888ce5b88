#pragma once

#include "snmp/netsnmp_convert.h"
#include "snmp/transport.h"

#include <sys/select.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

// Every Net-SNMP session of the process, one per distinct target, and the
// requests under way on them. Not thread-safe: its owner makes sure only
// one thread at a time calls in (Net-SNMP itself is not reentrant).
namespace snmp {

using Clock = std::chrono::steady_clock;

struct Request {
    Target target;
    Pdu pdu;
    TransportDone done;
    Clock::time_point deadline;
    bool timeWindowReported = false; // a second such report fails the request
};
// A refusal by the agent (a version-3 report) completes its requests with
// TransportStatus::Error and the report, whose usmStats binding names the
// cause; any other error comes without bindings.
using RequestPtr = std::unique_ptr<Request>;

struct Completion {
    TransportDone done;
    TransportStatus status;
    Pdu response;
};

class NetSnmpSessions {
public:
    NetSnmpSessions();
    ~NetSnmpSessions();
    NetSnmpSessions(const NetSnmpSessions&) = delete;
    NetSnmpSessions& operator=(const NetSnmpSessions&) = delete;

    // Sends the request, or holds it until its agent's engine is known.
    void dispatch(RequestPtr request);
    // Adds the sessions' sockets; shortens `wait` to the next time-out.
    void prepareSelect(fd_set& readable, int& fdCount, timeval& wait) const;
    // Reads what select() found, retransmits, finishes discoveries and
    // answers every request whose time-out has passed.
    void afterSelect(fd_set& readable, bool anyReadable);
    bool hasRequests() const;
    bool hasCompletions() const;
    // Answers that are ready; the owner runs them outside its lock.
    std::vector<Completion> takeCompletions();
    // Answers everything still open with an error and closes the sessions.
    void closeAll();

private:
    struct Agent;

    static int onNetSnmpEvent(int operation, netsnmp_session* session, int requestId, netsnmp_pdu* pdu, void* magic);
    void handleEvent(Agent& agent, int operation, netsnmp_session& session, int requestId, netsnmp_pdu* pdu);
    void complete(RequestPtr request, TransportStatus status, Pdu response = {});
    Agent* agentFor(const Target& target);
    bool claimUser(const Agent& agent);
    void send(Agent& agent, RequestPtr request);
    void sendProbe(Agent& agent, Clock::time_point deadline);
    void forgetEngine(Agent& agent, netsnmp_session& session);
    void failWaiting(Agent& agent, TransportStatus status);
    void finishDiscoveries();
    void expire(Clock::time_point now);

    std::map<std::string, std::unique_ptr<Agent>> m_agents;
    // Net-SNMP keeps one key set per (engine, user) for the whole process:
    // which agent's pass phrases it holds now.
    std::map<std::string, const Agent*> m_usmUserOwners;
    std::vector<Completion> m_completions;
};

} // namespace snmp
