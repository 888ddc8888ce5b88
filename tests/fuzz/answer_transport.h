#pragma once

#include "fuzz_reader.h"

#include "snmp/transport.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// An agent whose every answer comes from the fuzz input: time-outs, errors,
// wrong request ids, error statuses, and bindings with any OID, type and
// length (OIDs mostly derived from the request, so walks get somewhere).
// Answers run on the transport's own thread; once the input is used up every
// request times out. Requests are recorded as submitted.
namespace fuzz {

// Sessions made from now on talk to a loopback agent with this version;
// where their requests really go is the transport's business.
void useLoopbackAgent(const char* version = "1");

class AnswerTransport final : public snmp::Transport {
public:
    explicit AnswerTransport(FuzzReader& input);
    ~AnswerTransport() override;

    AnswerTransport(const AnswerTransport&) = delete;
    AnswerTransport& operator=(const AnswerTransport&) = delete;

    void submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done) override;
    std::vector<snmp::Pdu> requests() const;

private:
    struct Job {
        snmp::Pdu request;
        snmp::TransportDone done;
    };
    void serve();
    snmp::TransportStatus answer(const snmp::Pdu& request, snmp::Pdu& response);
    snmp::VarBind binding(const snmp::Pdu& request, std::size_t index);

    FuzzReader& m_input; // used by the serving thread only
    mutable std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<Job> m_jobs;
    std::vector<snmp::Pdu> m_requests;
    bool m_stopping = false;
    std::thread m_worker;
};

} // namespace fuzz
