#include "snmp/common_snmp.h"

#include "snmp/agent_address.h"
#include "snmp/session_core.h"
#include "snmp/session_parameters.h"
#include "snmp/session_target.h"
#include "snmp/snmp_layer.h"
#include "snmp/v3_security.h"

#include <algorithm>
#include <charconv>
#include <utility>

namespace snmp {
namespace {

// Process-wide source of walk request ids; the first walk gets 1.
std::atomic<int> g_walkRequestCounter{0};

constexpr std::chrono::milliseconds kWorkerStopLimit{3000};
constexpr std::chrono::milliseconds kCloseGrace{1000};

template <typename Number>
Number parseOr(const std::string& text, Number fallback)
{
    Number value{};
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end ? value : fallback;
}

void applyVersion3Settings(CSnmpV3& request, const SessionCore& core)
{
    const V3SecuritySettings settings = v3SecuritySettings(core.securityLevel, core.authProtocol, core.privProtocol);
    // The user-based security model is Net-SNMP's; the message size is the
    // transport's (a 1024-octet limit would make wide rows fail as tooBig).
    request.setUserName(core.userName);
    request.setMsgFlags(settings.msgFlags);
    if (settings.authArith >= 0) {
        request.setAuthArith(settings.authArith);
        request.setAuthPwd(core.authPassword.data(), core.authPassword.size());
    }
    if (settings.privArith >= 0) {
        request.setPriArith(settings.privArith);
        request.setPriPwd(core.privPassword.data(), core.privPassword.size());
    }
}

int versionNumber(const std::string& text)
{
    if (text == "2c")
        return 2;
    const int number = parseOr(text, 0);
    return number == 1 || number == 3 ? number : 0;
}

std::unique_ptr<CSnmpRequest> makeRequest(const SessionCore& core, int pduType)
{
    if (core.version == 1 || core.version == 2) {
        std::unique_ptr<CSnmpV1> request = core.version == 1 ? std::make_unique<CSnmpV1>() : std::make_unique<CSnmpV2c>();
        request->setCommunity(pduType == kPduSet ? core.writeCommunity : core.readCommunity);
        return request;
    }
    if (core.version == 3) {
        auto request = std::make_unique<CSnmpV3>();
        applyVersion3Settings(*request, core);
        return request;
    }
    return nullptr;
}

// Holds the gate for the scope of one operation.
class GateHold {
public:
    explicit GateHold(Gate& gate) : m_gate(gate) { m_gate.acquire(); }
    ~GateHold() { m_gate.release(); }
    GateHold(const GateHold&) = delete;
    GateHold& operator=(const GateHold&) = delete;

private:
    Gate& m_gate;
};

void copyParameters(SessionCore& core, const SessionParameters& parameters)
{
    core.version = versionNumber(sessionVersion(parameters));
    core.bulkReads = parameters.bulkReads;
    core.destination.host = destinationAddress(parameters);
    core.destination.port = agentPortNumber(parameters);
    core.timeoutMs = parseOr(parameters.requestTimeout, 3000);
    if (core.timeoutMs <= 0)
        core.timeoutMs = 3000;
    core.readCommunity = parameters.readCommunity;
    core.writeCommunity = parameters.writeCommunity;
    core.securityLevel = parameters.securityLevel;
    core.authProtocol = parameters.authProtocol;
    core.privProtocol = parameters.privProtocol;
    core.userName = parameters.userName;
    core.authPassword = parameters.authPassword;
    core.privPassword = parameters.privPassword;
}

} // namespace

struct CCommonSnmp::Impl {
    std::shared_ptr<SessionCore> core = std::make_shared<SessionCore>();

    int effectiveTimeout(unsigned long timeoutMs) const
    {
        return timeoutMs == 0 ? core->timeoutMs : static_cast<int>(std::min<unsigned long>(timeoutMs, 0x7fffffff));
    }

    // A synchronous exchange under the gate; -1 with nothing to send.
    template <typename Exchange>
    int exchange(std::unique_ptr<CSnmpResponse>& response, int timeoutMs, Exchange run)
    {
        response.reset();
        GateHold hold(core->gate);
        if (!core->hasBindings())
            return kStatusNoAnswer;
        const int timeout = effectiveTimeout(static_cast<unsigned long>(std::max(timeoutMs, 0)));
        const std::shared_ptr<SetObserver> observer = core->request->getType() == kPduSet ? setObserver() : nullptr;
        if (!observer) {
            const int status = run(*core, timeout);
            noteAnswer(*core, status, response.get());
            return status;
        }
        // Told before the request is handed to the transport.
        const std::uint64_t id = journalSending(*core, *observer);
        const int status = run(*core, timeout);
        journalCompleted(*core, *observer, id, status);
        return status;
    }
};

CCommonSnmp::CCommonSnmp() : CCommonSnmp(netSnmpTransport()) {}

CCommonSnmp::CCommonSnmp(std::shared_ptr<Transport> transport) : m_impl(std::make_unique<Impl>())
{
    copyParameters(*m_impl->core, sessionParameters());
    m_impl->core->transport = std::move(transport);
}

Target requestTarget(const SessionParameters& parameters, int pduType)
{
    SessionCore core;
    copyParameters(core, parameters);
    const std::unique_ptr<CSnmpRequest> request = makeRequest(core, pduType);
    return request ? request->target(core.destination, core.timeoutMs) : Target{};
}

CCommonSnmp::~CCommonSnmp()
{
    SessionCore& core = *m_impl->core;
    // A callback still running must not arm a walk on a session that is gone.
    core.closed = true;
    const bool gateTaken = core.gate.tryAcquireFor(std::chrono::milliseconds(core.timeoutMs) + kCloseGrace);
    stopWalkWorker(core, kWorkerStopLimit);
    if (gateTaken)
        core.gate.release();
}

bool CCommonSnmp::Open(int pduType)
{
    SessionCore& core = *m_impl->core;
    {
        std::lock_guard lock(core.walkMutex);
        core.walkRunning = false;
    }
    GateHold hold(core.gate);
    stopWalkWorker(core, kWorkerStopLimit);
    core.walkExchange = {};
    // An armed set dropped unanswered.
    if (const std::shared_ptr<SetObserver> observer = std::exchange(core.walkSetObserver, nullptr))
        journalCompleted(core, *observer, core.walkSetId, kStatusNoAnswer);
    core.walker.reset();
    core.request.reset();
    if (!core.transport)
        return false;
    // Version 1 has no GETBULK; without bulk reads asked for, nothing changes on the wire.
    if (pduType == kPduGetBulk && !(core.bulkReads && (core.version == 2 || core.version == 3)))
        pduType = kPduGetNext;
    std::unique_ptr<CSnmpRequest> request = makeRequest(core, pduType);
    if (!request || !request->setType(pduType))
        return false;
    request->clearVarBindList();
    core.request = std::move(request);
    core.walker = std::make_unique<CSnmpTable>(*core.request, core.transport);
    core.closed = false;
    return true;
}

int CCommonSnmp::addValue(const std::string& oid, int type, const char* value)
{
    SessionCore& core = *m_impl->core;
    GateHold hold(core.gate);
    return core.request ? core.request->addValue(oid, type, value) : -1;
}

int CCommonSnmp::addValue(const std::string& oid, int type, const void* bytes, unsigned long length)
{
    SessionCore& core = *m_impl->core;
    GateHold hold(core.gate);
    return core.request ? core.request->addValue(oid, type, bytes, length) : -1;
}

int CCommonSnmp::send(std::unique_ptr<CSnmpResponse>& response, int timeoutMs)
{
    return m_impl->exchange(response, timeoutMs, [&](SessionCore& core, int timeout) {
        return core.request->send(*core.transport, core.destination, response, timeout);
    });
}

int CCommonSnmp::getNext(std::unique_ptr<CSnmpResponse>& response, int timeoutMs)
{
    return m_impl->exchange(response, timeoutMs, [&](SessionCore& core, int timeout) {
        return core.walker->getNext(core.destination, response, timeout);
    });
}

int CCommonSnmp::getNextAsync(WalkCallback callback, void* context, int /*reserved*/, unsigned long timeoutMs)
{
    const std::shared_ptr<SessionCore>& core = m_impl->core;
    GateHold hold(core->gate);
    if (core->closed || !core->hasBindings() || !callback) {
        core->m_hEvenSnmpGet.set();
        return kStatusNoAnswer;
    }
    const int requestId = ++g_walkRequestCounter;
    {
        std::lock_guard lock(core->pendingMutex);
        core->pendingRequestIds.push_back(requestId);
    }
    core->walkSetObserver = core->request->getType() == kPduSet ? setObserver() : nullptr;
    if (core->walkSetObserver)
        core->walkSetId = journalSending(*core, *core->walkSetObserver);
    // On the wire before this returns: a request made next on another
    // session reaches the switch after this one.
    core->walkExchange = core->walker->startNext(core->destination, m_impl->effectiveTimeout(timeoutMs));
    std::lock_guard lock(core->walkMutex);
    core->walkCallback = callback;
    core->walkContext = context;
    core->walkRequestId = requestId;
    core->walkRunning = true;
    core->m_hEvenSnmpGet.reset();
    startWalkWorker(core);
    // Community versions report the armed send as the library did; version 3 always -1.
    return core->version == 3 ? kStatusNoAnswer : kStatusOk;
}

int CCommonSnmp::getNextAsync(WalkCallback callback, void* context, unsigned long timeoutMs)
{
    return getNextAsync(callback, context, 0, timeoutMs);
}

void CCommonSnmp::setJournalContext(std::shared_ptr<JournalContext> context)
{
    SessionCore& core = *m_impl->core;
    GateHold hold(core.gate);
    core.journal = std::move(context);
}

int CCommonSnmp::getSuffix(int index, const CSnmpResponse& response, std::string& suffix)
{
    SessionCore& core = *m_impl->core;
    GateHold hold(core.gate);
    if (!core.hasBindings())
        return -1;
    return core.walker->getSuffix(index, response, suffix);
}

bool CCommonSnmp::FindRequestID(int requestId)
{
    SessionCore& core = *m_impl->core;
    std::lock_guard lock(core.pendingMutex);
    auto& pending = core.pendingRequestIds;
    const auto found = std::find(pending.begin(), pending.end(), requestId);
    if (found == pending.end())
        return false;
    pending.erase(found);
    return true;
}

void CCommonSnmp::SignalGetDone()
{
    m_impl->core->m_hEvenSnmpGet.set();
}

bool CCommonSnmp::IsGetDone() const
{
    return m_impl->core->m_hEvenSnmpGet.isSet();
}

void CCommonSnmp::Close()
{
    SessionCore& core = *m_impl->core;
    core.closed = true;
    bool onWorker = false;
    {
        std::lock_guard lock(core.walkMutex);
        core.walkRunning = false;
        onWorker = core.worker.joinable() && core.worker.get_id() == std::this_thread::get_id();
    }
    {
        std::lock_guard lock(core.pendingMutex);
        core.pendingRequestIds.clear();
    }
    // From inside a walk callback the walk ends when the callback returns.
    if (onWorker)
        return;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(core.timeoutMs) + kCloseGrace;
    core.m_hEvenSnmpGet.waitFor(std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now()));
    // The walk's end is signalled from inside its last callback; the caller
    // may free the callback's context once that callback has returned too.
    std::unique_lock lock(core.walkMutex);
    core.workerEnded.wait_until(lock, deadline, [&core] { return !core.workerAlive; });
}

} // namespace snmp
