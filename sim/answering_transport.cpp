#include "sim/answering_transport.h"

namespace sim {

AnsweringTransport::~AnsweringTransport()
{
    stopServing();
}

void AnsweringTransport::startServing()
{
    m_worker = std::thread([this] { serve(); });
}

void AnsweringTransport::stopServing()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_queued.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

void AnsweringTransport::submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done)
{
    {
        std::lock_guard lock(m_mutex);
        if (m_numberRequests)
            request.requestId = m_nextRequestId++;
        m_requests.push_back(request);
        m_timeouts.push_back(target.timeoutMs);
        m_jobs.push_back(Job{target, std::move(request), std::move(done)});
    }
    m_queued.notify_one();
}

std::vector<snmp::Pdu> AnsweringTransport::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::vector<int> AnsweringTransport::requestTimeouts() const
{
    std::lock_guard lock(m_mutex);
    return m_timeouts;
}

void AnsweringTransport::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
    m_timeouts.clear();
}

void AnsweringTransport::serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_queued.wait(lock, [this] { return m_stopping || !m_jobs.empty(); });
        if (m_jobs.empty())
            return;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        lock.unlock();
        snmp::Pdu response;
        const snmp::TransportStatus status = answer(job.target, job.request, response);
        job.done(status, std::move(response));
        lock.lock();
    }
}

} // namespace sim
