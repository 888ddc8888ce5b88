#include "sim/loopback_probe.h"

#include <array>
#include <cstring>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {
namespace {

class Socket {
public:
    explicit Socket(int family) : m_fd(socket(family, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~Socket()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    sockaddr* get() { return reinterpret_cast<sockaddr*>(&storage); }
    int family() const { return storage.ss_family; }
};

// False when `text` is no numeric IPv4 or IPv6 address.
bool socketAddress(const std::string& text, std::uint16_t port, SocketAddress& out)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(text.c_str(), std::to_string(port).c_str(), &hints, &found) != 0)
        return false;
    out = {};
    std::memcpy(&out.storage, found->ai_addr, found->ai_addrlen);
    out.length = found->ai_addrlen;
    freeaddrinfo(found);
    return true;
}

std::uint16_t portOf(const SocketAddress& address)
{
    if (address.family() == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6*>(&address.storage)->sin6_port);
    return ntohs(reinterpret_cast<const sockaddr_in*>(&address.storage)->sin_port);
}

// BER of: SEQUENCE { version 0, "qevtal", GetRequest { id 1, 0, 0,
// { { 1.3.6.1.2.1.1.3.0, NULL } } } }
constexpr std::array<unsigned char, 40> kGetRequest = {
    0x30, 0x26, 0x02, 0x01, 0x00, 0x04, 0x06, 'q',  'e',  'v',  't',  'a',  'l',  0xa0,
    0x19, 0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x0e, 0x30, 0x0c,
    0x06, 0x08, 0x2b, 0x06, 0x01, 0x02, 0x01, 0x01, 0x03, 0x00, 0x05, 0x00,
};

// Skips one BER header at `at`; false when the data ends first.
bool skipHeader(const unsigned char* data, std::size_t size, std::size_t& at, std::size_t& length)
{
    if (at + 2 > size)
        return false;
    ++at; // tag
    length = data[at++];
    if (length & 0x80) {
        const std::size_t octets = length & 0x7f;
        if (octets > 4 || at + octets > size)
            return false;
        length = 0;
        for (std::size_t i = 0; i < octets; ++i)
            length = (length << 8) | data[at++];
    }
    return true;
}

// True for a GetResponse. A socket that the kernel happened to give the
// agent's own port as its source reads back its own request instead.
bool isResponse(const unsigned char* data, std::size_t size)
{
    std::size_t at = 0;
    std::size_t length = 0;
    if (!skipHeader(data, size, at, length)) // message
        return false;
    for (int field = 0; field < 2; ++field) { // version, community
        if (!skipHeader(data, size, at, length))
            return false;
        at += length;
    }
    return at < size && data[at] == 0xa2;
}

} // namespace

bool isIpv6Text(const std::string& address)
{
    return address.find(':') != std::string::npos;
}

std::string hostAndPort(const std::string& address, std::uint16_t port)
{
    return (isIpv6Text(address) ? "[" + address + "]" : address) + ":" + std::to_string(port);
}

std::uint16_t freeLoopbackPort(const std::string& address)
{
    SocketAddress local;
    if (!socketAddress(address, 0, local))
        return 0;
    Socket probe(local.family());
    if (probe.fd() < 0 || bind(probe.fd(), local.get(), local.length) != 0)
        return 0;
    local.length = sizeof local.storage;
    if (getsockname(probe.fd(), local.get(), &local.length) != 0)
        return 0;
    return portOf(local);
}

bool loopbackAnswers(std::uint16_t port, std::chrono::milliseconds wait, const std::string& address)
{
    SocketAddress agent;
    if (!socketAddress(address, port, agent))
        return false;
    Socket client(agent.family());
    if (client.fd() < 0 || connect(client.fd(), agent.get(), agent.length) != 0)
        return false;
    if (send(client.fd(), kGetRequest.data(), kGetRequest.size(), 0) < 0)
        return false;
    pollfd readable{client.fd(), POLLIN, 0};
    if (poll(&readable, 1, static_cast<int>(wait.count())) <= 0)
        return false;
    std::array<unsigned char, 1500> answer{};
    // A refused port shows up here as ECONNREFUSED: not an answer.
    const ssize_t size = recv(client.fd(), answer.data(), answer.size(), 0);
    return size > 0 && isResponse(answer.data(), static_cast<std::size_t>(size));
}

} // namespace sim
