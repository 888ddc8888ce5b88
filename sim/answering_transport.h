#pragma once

#include "snmp/transport.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// A transport whose agent lives in this process: requests are recorded as
// submitted and answered one after another on the transport's own thread.
// A derived class starts the thread at the end of its constructor and stops
// it at the start of its destructor, so answer() never runs on a part that
// is gone.
namespace sim {

class AnsweringTransport : public snmp::Transport {
public:
    ~AnsweringTransport() override;

    AnsweringTransport(const AnsweringTransport&) = delete;
    AnsweringTransport& operator=(const AnsweringTransport&) = delete;

    void submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done) final;

    // Every request PDU in the order submitted, and the time-out each came with.
    std::vector<snmp::Pdu> requests() const;
    std::vector<int> requestTimeouts() const;
    void clearRequests();

protected:
    // numberRequests: give each request the next id from 1, as an agent sees it.
    explicit AnsweringTransport(bool numberRequests) : m_numberRequests(numberRequests) {}

    void startServing();
    // Answers what is queued, then joins.
    void stopServing();

    virtual snmp::TransportStatus answer(const snmp::Target& target, const snmp::Pdu& request,
                                         snmp::Pdu& response) = 0;

private:
    struct Job {
        snmp::Target target;
        snmp::Pdu request;
        snmp::TransportDone done;
    };
    void serve();

    const bool m_numberRequests;
    mutable std::mutex m_mutex;
    std::condition_variable m_queued;
    std::deque<Job> m_jobs;
    std::vector<snmp::Pdu> m_requests;
    std::vector<int> m_timeouts;
    std::int32_t m_nextRequestId = 1;
    bool m_stopping = false;
    std::thread m_worker;
};

} // namespace sim
