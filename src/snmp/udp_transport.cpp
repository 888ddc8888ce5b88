#include "snmp/udp_transport.h"

#include "snmp/netsnmp_sessions.h"
#include "snmp/snmp_layer.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace snmp {
namespace {

// Longest select() wait, so a missed wake-up costs little.
constexpr auto kMaxWait = std::chrono::milliseconds(500);

struct Outcome {
    bool finished = false;
    TransportStatus status = TransportStatus::Error;
    Pdu response;
};

} // namespace

struct UdpTransport::Impl {
    std::mutex mutex; // every Net-SNMP call and everything below
    std::condition_variable changed;   // a poll round ended: answers may be in
    std::condition_variable ioChanged; // work for the transport's own thread
    NetSnmpSessions sessions;
    bool polling = false; // a thread is in select() for everyone
    int exchangesWaiting = 0;
    bool stopping = false;
    bool stopped = false;
    int wakeFd = -1;
    std::thread ioThread;

    ~Impl()
    {
        if (wakeFd >= 0)
            ::close(wakeFd);
    }

    // Interrupts the poller's select(): a new session's socket or an earlier
    // time-out is not in the set it waits on.
    void wake() const
    {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto written = ::write(wakeFd, &one, sizeof one);
    }

    RequestPtr makeRequest(const Target& target, Pdu pdu, TransportDone done) const
    {
        auto request = std::make_unique<Request>();
        request->target = target;
        request->pdu = std::move(pdu);
        request->done = std::move(done);
        const int timeoutMs = target.timeoutMs > 0 ? target.timeoutMs : snmpDefaultTimeoutMs();
        request->deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        return request;
    }

    // Answers run without the lock: they may submit again.
    void runCompletions(std::unique_lock<std::mutex>& lock)
    {
        std::vector<Completion> ready = sessions.takeCompletions();
        if (ready.empty())
            return;
        lock.unlock();
        for (Completion& completion : ready)
            completion.done(completion.status, std::move(completion.response));
        lock.lock();
        changed.notify_all();
    }

    // One select() round on every session for everyone's answers.
    void pollOnce(std::unique_lock<std::mutex>& lock)
    {
        polling = true;
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(wakeFd, &readable);
        int fdCount = wakeFd + 1;
        timeval wait{0, static_cast<long>(std::chrono::microseconds(kMaxWait).count())};
        sessions.prepareSelect(readable, fdCount, wait);
        lock.unlock();
        const int ready = ::select(fdCount, &readable, nullptr, nullptr, &wait);
        if (ready > 0 && FD_ISSET(wakeFd, &readable)) {
            std::uint64_t count = 0;
            [[maybe_unused]] const auto got = ::read(wakeFd, &count, sizeof count);
        }
        lock.lock();
        sessions.afterSelect(readable, ready > 0);
        polling = false;
        runCompletions(lock);
        changed.notify_all();
        if (exchangesWaiting == 0 && sessions.hasRequests())
            ioChanged.notify_one();
    }

    // Polls on the calling thread until `outcome` is answered.
    TransportStatus await(Outcome& outcome, Pdu& response)
    {
        std::unique_lock lock(mutex);
        ++exchangesWaiting;
        runCompletions(lock);
        while (!outcome.finished) {
            if (!polling)
                pollOnce(lock);
            else
                changed.wait_for(lock, kMaxWait);
        }
        --exchangesWaiting;
        if (exchangesWaiting == 0 && sessions.hasRequests())
            ioChanged.notify_one();
        response = std::move(outcome.response);
        return outcome.status;
    }

    // The transport's thread: polls for submissions nobody waits on.
    void run()
    {
        std::unique_lock lock(mutex);
        while (!stopping) {
            if (sessions.hasCompletions())
                runCompletions(lock);
            else if (!polling && exchangesWaiting == 0 && sessions.hasRequests())
                pollOnce(lock);
            else
                ioChanged.wait_for(lock, kMaxWait);
        }
        changed.wait(lock, [this] { return !polling; });
        stopped = true;
        sessions.closeAll();
        runCompletions(lock);
    }
};

std::shared_ptr<UdpTransport> UdpTransport::start()
{
    auto impl = std::make_unique<Impl>();
    impl->wakeFd = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (impl->wakeFd < 0)
        return nullptr;
    std::shared_ptr<UdpTransport> transport(new UdpTransport(std::move(impl)));
    Impl* state = transport->m_impl.get();
    state->ioThread = std::thread([state] { state->run(); });
    return transport;
}

UdpTransport::UdpTransport(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

UdpTransport::~UdpTransport()
{
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stopping = true;
    }
    m_impl->ioChanged.notify_all();
    m_impl->wake();
    if (m_impl->ioThread.joinable())
        m_impl->ioThread.join();
}

void UdpTransport::submit(const Target& target, Pdu request, TransportDone done)
{
    Impl& state = *m_impl;
    RequestPtr entry = state.makeRequest(target, std::move(request), std::move(done));
    {
        std::lock_guard lock(state.mutex);
        if (!state.stopped) {
            state.sessions.dispatch(std::move(entry));
            if (state.polling)
                state.wake();
            state.ioChanged.notify_one();
            return;
        }
    }
    // The transport's thread is gone; the answer must still come from another thread.
    std::thread([done = std::move(entry->done)] { done(TransportStatus::Error, Pdu{}); }).detach();
}

PendingExchange UdpTransport::startExchange(const Target& target, Pdu request)
{
    Impl& state = *m_impl;
    auto outcome = std::make_shared<Outcome>();
    // Runs on whichever thread polls, without the lock held.
    auto done = [&state, outcome](TransportStatus status, Pdu answer) {
        std::lock_guard lock(state.mutex);
        outcome->status = status;
        outcome->response = std::move(answer);
        outcome->finished = true;
    };
    RequestPtr entry = state.makeRequest(target, std::move(request), std::move(done));
    {
        std::lock_guard lock(state.mutex);
        if (state.stopped)
            return PendingExchange([](Pdu&) { return TransportStatus::Error; });
        state.sessions.dispatch(std::move(entry));
        if (state.polling)
            state.wake();
    }
    // Whoever finishes the exchange polls for the answer; an exchange nobody
    // finishes is polled for by the transport's thread on its next round.
    return PendingExchange([&state, outcome](Pdu& response) { return state.await(*outcome, response); });
}

} // namespace snmp
