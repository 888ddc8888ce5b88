#pragma once

#include "snmp/pdu.h"

#include <netinet/in.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

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
    std::function<void(const snmp::Pdu& request, snmp::Pdu& answer)> rewrite = {};
};

struct RelayCounts {
    int requests = 0;        // arrived from the client
    int setRequests = 0;     // of those, version-1 set requests
    std::vector<snmp::Value> setValues; // the values those set
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

    bool ready() const { return m_thread.joinable(); }
    std::uint16_t port() const { return m_port; } // where the client sends
    void setFaults(RelayFaults faults);
    RelayCounts counts() const;

private:
    using Clock = std::chrono::steady_clock;
    struct Scheduled {
        Clock::time_point due;
        bool toClient = true;
        std::string datagram;
    };

    bool dropOne();
    void fromClient(const std::string& datagram);
    void fromAgent(std::string datagram);
    int sendDue();
    void run();

    int m_clientSide = -1; // the client sends here
    int m_agentSide = -1;  // talks to the agent
    int m_wake = -1;       // a datagram to itself ends the loop
    sockaddr_in m_agent{};
    sockaddr_in m_client{};
    bool m_knowsClient = false;
    std::uint16_t m_port = 0;
    mutable std::mutex m_mutex;
    RelayFaults m_faults;
    RelayCounts m_counts;
    std::mt19937 m_random;
    std::string m_lastAnswer;
    std::map<std::int32_t, snmp::Pdu> m_v1Requests;
    std::vector<Scheduled> m_scheduled;
    std::thread m_thread;
};

} // namespace drills
