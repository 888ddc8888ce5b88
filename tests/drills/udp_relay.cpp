#include "udp_relay.h"

#include "v1_message.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <map>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace drills {
namespace {

using Clock = std::chrono::steady_clock;

sockaddr_in loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

class Socket {
public:
    Socket() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

struct Scheduled {
    Clock::time_point due;
    bool toClient = true;
    std::string datagram;
};

} // namespace

struct UdpRelay::Impl {
    Socket clientSide;  // the client sends here
    Socket agentSide;   // talks to the agent
    Socket wake;        // a datagram to itself ends the loop
    sockaddr_in agent{};
    sockaddr_in client{};
    bool knowsClient = false;
    std::uint16_t port = 0;
    bool bound = false;

    mutable std::mutex mutex;
    RelayFaults faults;
    RelayCounts counts;
    std::mt19937 random;
    std::string lastAnswer;
    std::map<std::int32_t, snmp::Pdu> v1Requests;
    std::vector<Scheduled> scheduled;
    bool stopping = false;
    std::thread thread;

    bool dropOne()
    {
        if (faults.dropShare <= 0.0 || std::uniform_real_distribution<double>(0.0, 1.0)(random) >= faults.dropShare)
            return false;
        ++counts.dropped;
        return true;
    }

    void send(const Scheduled& item)
    {
        if (item.toClient) {
            if (knowsClient)
                ::sendto(clientSide.fd(), item.datagram.data(), item.datagram.size(), 0,
                         reinterpret_cast<const sockaddr*>(&client), sizeof client);
        } else {
            ::sendto(agentSide.fd(), item.datagram.data(), item.datagram.size(), 0,
                     reinterpret_cast<const sockaddr*>(&agent), sizeof agent);
        }
    }

    void fromClient(const std::string& datagram)
    {
        std::lock_guard lock(mutex);
        ++counts.requests;
        V1Message message;
        if (decodeV1(datagram, message)) {
            if (message.pdu.type == snmp::PduType::Set)
                ++counts.setRequests;
            v1Requests[message.pdu.requestId] = message.pdu;
        }
        if (!dropOne())
            scheduled.push_back({Clock::now(), false, datagram});
    }

    void fromAgent(std::string datagram)
    {
        std::lock_guard lock(mutex);
        ++counts.answers;
        if (dropOne())
            return;
        V1Message message;
        if (faults.rewrite && decodeV1(datagram, message)) {
            const auto request = v1Requests.find(message.pdu.requestId);
            if (request != v1Requests.end()) {
                faults.rewrite(request->second, message.pdu);
                datagram = encodeV1Response(message);
                ++counts.rewritten;
            }
        }
        const Clock::time_point due = Clock::now() + faults.answerDelay;
        if (faults.replayStaleAnswer && !lastAnswer.empty()) {
            scheduled.push_back({due, true, lastAnswer});
            ++counts.staleReplays;
        }
        scheduled.push_back({due, true, datagram});
        if (faults.duplicateAnswers) {
            scheduled.push_back({due, true, datagram});
            ++counts.duplicated;
        }
        lastAnswer = datagram;
    }

    // Sends what is due; the time until the next item, or -1 for none.
    int sendDue()
    {
        std::lock_guard lock(mutex);
        const Clock::time_point now = Clock::now();
        std::optional<Clock::time_point> next;
        std::vector<Scheduled> later;
        for (Scheduled& item : scheduled) {
            if (item.due <= now) {
                send(item);
            } else {
                next = next ? std::min(*next, item.due) : item.due;
                later.push_back(std::move(item));
            }
        }
        scheduled.swap(later);
        if (!next)
            return -1;
        return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(*next - now).count()) + 1;
    }

    static std::optional<std::string> receive(int fd, sockaddr_in* from)
    {
        char buffer[65536];
        socklen_t length = sizeof(sockaddr_in);
        const ssize_t got = ::recvfrom(fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(from),
                                       from ? &length : nullptr);
        if (got < 0)
            return std::nullopt;
        return std::string(buffer, static_cast<std::size_t>(got));
    }

    void run()
    {
        for (;;) {
            const int waitMs = sendDue();
            pollfd entries[] = {{clientSide.fd(), POLLIN, 0}, {agentSide.fd(), POLLIN, 0}, {wake.fd(), POLLIN, 0}};
            ::poll(entries, 3, waitMs);
            if (entries[2].revents & POLLIN)
                return;
            if (entries[0].revents & POLLIN) {
                sockaddr_in from{};
                if (auto datagram = receive(clientSide.fd(), &from)) {
                    {
                        std::lock_guard lock(mutex);
                        client = from;
                        knowsClient = true;
                    }
                    fromClient(*datagram);
                }
            }
            if (entries[1].revents & POLLIN) {
                if (auto datagram = receive(agentSide.fd(), nullptr))
                    fromAgent(std::move(*datagram));
            }
        }
    }
};

UdpRelay::UdpRelay(std::uint16_t agentPort, unsigned seed) : m_impl(std::make_unique<Impl>())
{
    Impl& impl = *m_impl;
    impl.random.seed(seed);
    impl.agent = loopback(agentPort);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    impl.bound = impl.clientSide.fd() >= 0 && impl.agentSide.fd() >= 0 && impl.wake.fd() >= 0
        && ::bind(impl.clientSide.fd(), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
        && ::getsockname(impl.clientSide.fd(), reinterpret_cast<sockaddr*>(&address), &length) == 0;
    impl.port = ntohs(address.sin_port);
    sockaddr_in any = loopback(0);
    impl.bound = impl.bound && ::bind(impl.agentSide.fd(), reinterpret_cast<sockaddr*>(&any), sizeof any) == 0;
    sockaddr_in self = loopback(0);
    length = sizeof self;
    impl.bound = impl.bound && ::bind(impl.wake.fd(), reinterpret_cast<sockaddr*>(&self), sizeof self) == 0
        && ::getsockname(impl.wake.fd(), reinterpret_cast<sockaddr*>(&self), &length) == 0
        && ::connect(impl.wake.fd(), reinterpret_cast<sockaddr*>(&self), sizeof self) == 0;
    if (impl.bound)
        impl.thread = std::thread([&impl] { impl.run(); });
}

UdpRelay::~UdpRelay()
{
    if (m_impl->thread.joinable()) {
        ::send(m_impl->wake.fd(), "", 0, 0);
        m_impl->thread.join();
    }
}

bool UdpRelay::ready() const
{
    return m_impl->bound;
}

std::uint16_t UdpRelay::port() const
{
    return m_impl->port;
}

void UdpRelay::setFaults(RelayFaults faults)
{
    std::lock_guard lock(m_impl->mutex);
    m_impl->faults = std::move(faults);
}

RelayCounts UdpRelay::counts() const
{
    std::lock_guard lock(m_impl->mutex);
    return m_impl->counts;
}

} // namespace drills
