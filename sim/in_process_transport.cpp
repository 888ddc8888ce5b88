#include "sim/in_process_transport.h"

namespace sim {
namespace {

// RFC 2576 section 4.3: version-2 errors as a version-1 agent reports them.
int asVersion1(int error)
{
    switch (error) {
    case kWrongType: case kWrongLength: case kWrongValue: case kInconsistentValue: case kWrongEncoding:
        return kBadValue;
    case kNoCreation: case kNotWritable: case kNoAccess: case kAuthorizationError: case kInconsistentName:
        return kNoSuchName;
    case kNoError:
        return kNoError;
    default:
        return kGenErr;
    }
}

snmp::Value exception(snmp::Asn type)
{
    snmp::Value value;
    value.type = type;
    return value;
}

} // namespace

InProcessTransport::InProcessTransport(SimulatedSwitch device)
    : m_device(std::move(device)), m_worker([this] { serve(); })
{
}

InProcessTransport::~InProcessTransport()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    m_worker.join();
}

void InProcessTransport::submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done)
{
    {
        std::lock_guard lock(m_mutex);
        request.requestId = m_nextRequestId++;
        m_requests.push_back(request);
        m_jobs.push_back(Job{target, std::move(request), std::move(done)});
    }
    m_queued.notify_one();
}

std::vector<snmp::Pdu> InProcessTransport::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

void InProcessTransport::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
}

void InProcessTransport::withSwitch(const std::function<void(SimulatedSwitch&)>& use)
{
    std::lock_guard lock(m_deviceMutex);
    use(m_device);
}

void InProcessTransport::serve()
{
    std::unique_lock lock(m_mutex);
    while (true) {
        m_queued.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        answer(job);
        lock.lock();
    }
}

void InProcessTransport::answer(Job& job)
{
    const snmp::Target& target = job.target;
    const bool v1 = target.version == 1;
    const bool knownCommunity = target.community == "qevtal" || target.community == "morvint";
    snmp::Pdu response;
    bool answered = false;
    if (!v1 || knownCommunity) {
        std::lock_guard lock(m_deviceMutex);
        if (!m_device.rebooting()) {
            response = respond(target, job.request, !v1 || target.community == "morvint");
            answered = true;
        }
    }
    if (answered)
        job.done(snmp::TransportStatus::Ok, std::move(response));
    else
        job.done(snmp::TransportStatus::Timeout, snmp::Pdu{});
}

snmp::Pdu InProcessTransport::respond(const snmp::Target& target, const snmp::Pdu& request, bool mayWrite)
{
    const bool v1 = target.version == 1;
    snmp::Pdu response;
    response.type = snmp::PduType::Response;
    response.requestId = request.requestId;
    response.bindings = request.bindings;
    auto fail = [&](int status, std::size_t at) {
        response.errorStatus = status;
        response.errorIndex = static_cast<int>(at + 1);
        response.bindings = request.bindings;
    };
    for (std::size_t i = 0; i < request.bindings.size(); ++i) {
        const snmp::Oid& oid = request.bindings[i].oid;
        snmp::VarBind& out = response.bindings[i];
        if (request.type == snmp::PduType::Get) {
            if (auto found = m_device.get(oid)) {
                out = *found;
                continue;
            }
            if (v1) {
                fail(kNoSuchName, i);
                break;
            }
            // An instance of a known object, or no such object at all.
            const snmp::Oid parent(oid.begin(), oid.end() - (oid.empty() ? 0 : 1));
            const auto next = m_device.getNext(parent);
            out.value = exception(next && startsWith(next->oid, parent) ? snmp::Asn::NoSuchInstance
                                                                         : snmp::Asn::NoSuchObject);
        } else if (request.type == snmp::PduType::GetNext) {
            if (auto found = m_device.getNext(oid)) {
                out = *found;
                continue;
            }
            if (v1) {
                fail(kNoSuchName, i);
                break;
            }
            out.value = exception(snmp::Asn::EndOfMibView);
        } else if (request.type == snmp::PduType::Set) {
            // Applied one binding at a time, as snmpd hands them to the back end.
            const int error = mayWrite ? m_device.set(oid, request.bindings[i].value) : kNoAccess;
            if (error != kNoError) {
                fail(v1 ? asVersion1(error) : error, i);
                break;
            }
        }
    }
    return response;
}

} // namespace sim
