#pragma once

#include "snmp/pdu.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

// The message library's one seam: whatever carries a request PDU to an agent
// and brings its answer back. The real transport is Net-SNMP over UDP; tests
// plug in the simulated switch in-process and see every request.
namespace snmp {

enum class AuthProtocol : std::uint8_t { None, Md5, Sha1, Sha224, Sha256, Sha384, Sha512 };
enum class PrivProtocol : std::uint8_t { None, Des, Aes128 };
enum class SecurityLevel : std::uint8_t { NoAuthNoPriv, AuthNoPriv, AuthPriv };

struct Target {
    std::string host;       // numeric IPv4 or IPv6 address
    std::uint16_t port = 161;
    int version = 1;        // 1, 2 (2c) or 3
    std::string community;  // versions 1 and 2c
    // Version 3 (user-based security model).
    std::string user;
    SecurityLevel level = SecurityLevel::NoAuthNoPriv;
    AuthProtocol auth = AuthProtocol::None;
    PrivProtocol priv = PrivProtocol::None;
    std::string authPass;
    std::string privPass;
    int timeoutMs = 3000;   // whole exchange, retransmissions included
};

// The largest message a session sends or accepts; version 3 declares it to
// the agent, and bulk reads size their answers to it.
constexpr std::size_t kMaxMessageSize = 65507;

enum class TransportStatus : std::uint8_t {
    Ok,      // a response PDU arrived (its error-status may still be non-zero)
    Timeout, // no answer within the target's time-out
    Error,   // could not send, or a security failure reported by the stack
};

using TransportDone = std::function<void(TransportStatus status, Pdu response)>;

class Transport {
public:
    virtual ~Transport() = default;

    // Sends one request. `done` runs exactly once, on a thread the transport
    // owns, never from inside submit() itself, so callers may hold no lock
    // that `done` takes. The request id is the transport's choice.
    virtual void submit(const Target& target, Pdu request, TransportDone done) = 0;
};

} // namespace snmp
