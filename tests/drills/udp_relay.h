#pragma once

#include "snmp/pdu.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

// A loopback UDP relay between one client (the module's session) and an
// agent, for fault drills. It forwards every datagram unless told to drop a
// share of them, delay them, send answers twice, send the previous answer
// before each new one, or rewrite version-1 answers.
namespace drills {

struct RelayFaults {
    double dropShare = 0.0;                  // of datagrams in either direction
    std::chrono::milliseconds answerDelay{0};
    bool duplicateAnswers = false;
    bool replayStaleAnswer = false;          // the previous answer goes out first
    // Version-1 answers are decoded, handed over and encoded again; the
    // request is the one the answer belongs to.
    std::function<void(const snmp::Pdu& request, snmp::Pdu& answer)> rewrite;
};

struct RelayCounts {
    int requests = 0;        // arrived from the client
    int setRequests = 0;     // of those, version-1 set requests
    int answers = 0;         // arrived from the agent
    int dropped = 0;
    int duplicated = 0;
    int staleReplays = 0;
    int rewritten = 0;
};

class UdpRelay {
public:
    // Relays to 127.0.0.1:agentPort; the seed makes the drops repeatable.
    explicit UdpRelay(std::uint16_t agentPort, unsigned seed = 7);
    ~UdpRelay();
    UdpRelay(const UdpRelay&) = delete;
    UdpRelay& operator=(const UdpRelay&) = delete;

    bool ready() const;
    std::uint16_t port() const;    // where the client sends
    void setFaults(RelayFaults faults);
    RelayCounts counts() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace drills
