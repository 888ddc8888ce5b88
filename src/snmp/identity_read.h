#pragma once

#include "snmp/pdu.h"
#include "snmp/session_parameters.h"
#include "snmp/transport.h"

#include <functional>
#include <string>

// The switch's identity (sysObjectID.0 and sysDescr.0), read with one get
// before the module commits to a model, and why the read failed.
namespace snmp {

enum class IdentityFailure {
    None,
    NoAnswer,        // time-out: nothing answers at the address and port
    UnknownUser,     // usmStatsUnknownUserNames
    WrongDigest,     // usmStatsWrongDigests: wrong authentication pass phrase
    NotInTimeWindow, // usmStatsNotInTimeWindows
    DecryptionError, // usmStatsDecryptionErrors: wrong privacy pass phrase
    UnsupportedSecurityLevel,
    Refused,         // another error status or report, or nothing could be sent
    NotAnswered,     // an answer without the two objects
};

struct SwitchIdentity {
    std::string objectId;    // dotted, no leading dot
    std::string description;
};

struct IdentityResult {
    IdentityFailure failure = IdentityFailure::Refused;
    SwitchIdentity identity;
};

// The failure a version-3 report names, by its usmStats binding.
IdentityFailure reportCause(const Pdu& report);
// What one exchange's outcome means for the identity read.
IdentityResult identityFrom(TransportStatus status, const Pdu& response);

// Sends the get; `done` runs once, on the transport's thread.
void readIdentity(Transport& transport, const SessionParameters& parameters,
                  std::function<void(IdentityResult)> done);

} // namespace snmp
