#include "snmp/identity_read.h"

#include "snmp/common_snmp.h"
#include "snmp/session_target.h"

#include <algorithm>
#include <array>
#include <utility>

namespace snmp {
namespace {

const Oid kSysDescr = {1, 3, 6, 1, 2, 1, 1, 1, 0};
const Oid kSysObjectId = {1, 3, 6, 1, 2, 1, 1, 2, 0};
// usmStats (RFC 3414), one counter per cause, instance .0.
const Oid kUsmStats = {1, 3, 6, 1, 6, 3, 15, 1, 1};

constexpr std::array<std::pair<std::uint32_t, IdentityFailure>, 5> kReportCauses{{
    {1, IdentityFailure::UnsupportedSecurityLevel},
    {2, IdentityFailure::NotInTimeWindow},
    {3, IdentityFailure::UnknownUser},
    {5, IdentityFailure::WrongDigest},
    {6, IdentityFailure::DecryptionError},
}};

bool isUnder(const Oid& oid, const Oid& prefix)
{
    return oid.size() > prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

} // namespace

IdentityFailure reportCause(const Pdu& report)
{
    for (const VarBind& binding : report.bindings) {
        if (!isUnder(binding.oid, kUsmStats))
            continue;
        for (const auto& [arc, cause] : kReportCauses)
            if (binding.oid[kUsmStats.size()] == arc)
                return cause;
    }
    return IdentityFailure::Refused;
}

IdentityResult identityFrom(TransportStatus status, const Pdu& response)
{
    IdentityResult result;
    if (status == TransportStatus::Timeout) {
        result.failure = IdentityFailure::NoAnswer;
        return result;
    }
    if (status == TransportStatus::Error && !response.bindings.empty()) {
        // The transport's way of handing over a version-3 report.
        result.failure = reportCause(response);
        return result;
    }
    if (status != TransportStatus::Ok || response.errorStatus != 0) {
        result.failure = IdentityFailure::Refused;
        return result;
    }
    bool haveObjectId = false;
    bool haveDescription = false;
    for (const VarBind& binding : response.bindings) {
        if (binding.oid == kSysObjectId && binding.value.type == Asn::ObjectId) {
            result.identity.objectId = oidToText(binding.value.oid);
            haveObjectId = true;
        } else if (binding.oid == kSysDescr && binding.value.type == Asn::OctetString) {
            result.identity.description = binding.value.octets;
            haveDescription = true;
        }
    }
    // Either object alone may still tell the model.
    result.failure = haveObjectId || haveDescription ? IdentityFailure::None : IdentityFailure::NotAnswered;
    return result;
}

void readIdentity(Transport& transport, const SessionParameters& parameters,
                  std::function<void(IdentityResult)> done)
{
    Pdu request;
    request.type = PduType::Get;
    request.bindings = {{kSysObjectId, {}}, {kSysDescr, {}}};
    transport.submit(requestTarget(parameters, kPduGet), std::move(request),
                     [done = std::move(done)](TransportStatus status, Pdu response) {
                         done(identityFrom(status, response));
                     });
}

} // namespace snmp
