#pragma once

#include "platform/event.h"
#include "snmp/common_snmp.h"
#include "snmp/gate.h"
#include "snmp/set_journal.h"
#include "snmp/snmp_request.h"
#include "snmp/snmp_table.h"

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The state of one CCommonSnmp. The walk worker holds it by shared_ptr, so a
// worker that outlives its session (a callback that never returns) still
// finds everything it touches alive.
namespace snmp {

struct SessionCore {
    // Copied from the session parameters; read-only afterwards.
    int version = 0; // 1, 2 (2c) or 3; 0 for anything else
    bool bulkReads = false;
    Destination destination;
    int timeoutMs = 3000;
    std::string readCommunity;
    std::string writeCommunity;
    std::string securityLevel;
    std::string authProtocol;
    std::string privProtocol;
    std::string userName;
    std::string authPassword;
    std::string privPassword;
    std::shared_ptr<Transport> transport;
    // The dialog or command this session works for; null for none.
    std::shared_ptr<JournalContext> journal;

    // The request object and its walker, and the armed walk's request already
    // sent; used only by whoever holds the gate.
    Gate gate;
    std::unique_ptr<CSnmpRequest> request;
    std::unique_ptr<CSnmpTable> walker;
    PendingExchange walkExchange;
    // The armed walk's set, when it is one: completed with its answer.
    std::shared_ptr<SetObserver> walkSetObserver;
    std::uint64_t walkSetId = 0;

    std::mutex pendingMutex;
    std::vector<int> pendingRequestIds;

    platform::Event m_hEvenSnmpGet{true};
    std::atomic<bool> closed{false};

    // The armed walk and its worker, under walkMutex.
    std::mutex walkMutex;
    std::condition_variable workerEnded;
    bool walkRunning = false;
    WalkCallback walkCallback = nullptr;
    void* walkContext = nullptr;
    int walkRequestId = 0;
    bool workerAlive = false;
    unsigned workerGeneration = 0;
    std::thread worker;

    bool hasBindings() const { return request && walker && request->getValuesCount() > 0; }
};

// A read's answer (status kStatusOk) reaches the journal's memory; a set's
// start and end reach the observer. Call with the gate held.
void noteAnswer(const SessionCore& core, int status, const CSnmpResponse* response);
std::uint64_t journalSending(const SessionCore& core, SetObserver& observer);
void journalCompleted(const SessionCore& core, SetObserver& observer, std::uint64_t id, int status);

// Starts the worker unless one runs; call with walkMutex held.
void startWalkWorker(const std::shared_ptr<SessionCore>& core);
// Clears the armed walk and waits at most `limit` for the worker to end; a
// worker that does not end is abandoned (it finishes on its own and then
// touches nothing the session still uses).
void stopWalkWorker(SessionCore& core, std::chrono::milliseconds limit);

} // namespace snmp
