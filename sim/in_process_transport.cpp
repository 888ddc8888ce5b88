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
    : AnsweringTransport(true), m_device(std::move(device))
{
    startServing();
}

InProcessTransport::~InProcessTransport()
{
    stopServing();
}

void InProcessTransport::withSwitch(const std::function<void(SimulatedSwitch&)>& use)
{
    std::lock_guard lock(m_deviceMutex);
    use(m_device);
}

snmp::TransportStatus InProcessTransport::answer(const snmp::Target& target, const snmp::Pdu& request,
                                                 snmp::Pdu& response)
{
    const bool v1 = target.version == 1;
    if (v1 && target.community != "qevtal" && target.community != "morvint")
        return snmp::TransportStatus::Timeout;
    std::lock_guard lock(m_deviceMutex);
    if (m_device.rebooting())
        return snmp::TransportStatus::Timeout;
    if (request.type != snmp::PduType::Set)
        for (const snmp::VarBind& asked : request.bindings)
            if (m_device.silent(asked.oid))
                return snmp::TransportStatus::Timeout;
    response = respond(target, request, !v1 || target.community == "morvint");
    return snmp::TransportStatus::Ok;
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
        const bool read = request.type == snmp::PduType::Get || request.type == snmp::PduType::GetNext;
        const std::optional<snmp::VarBind> next = request.type == snmp::PduType::GetNext ? m_device.getNext(oid)
                                                                                          : std::nullopt;
        // A read reaches the OID when it asks for it (or below it), or a get-next would answer with it.
        int error = read ? m_device.readError(oid) : kNoError;
        if (error == kNoError && next)
            error = m_device.readError(next->oid);
        if (error != kNoError) {
            fail(error, i);
            break;
        }
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
            if (next) {
                out = *next;
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
