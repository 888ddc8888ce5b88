#include "sim/loopback_probe.h"

#include <array>
#include <cstring>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace sim {
namespace {

class Socket {
public:
    Socket() : m_fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
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

sockaddr_in loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
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

std::uint16_t freeLoopbackPort()
{
    Socket probe;
    sockaddr_in address = loopback(0);
    if (probe.fd() < 0 || bind(probe.fd(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return 0;
    socklen_t length = sizeof address;
    if (getsockname(probe.fd(), reinterpret_cast<sockaddr*>(&address), &length) != 0)
        return 0;
    return ntohs(address.sin_port);
}

bool loopbackAnswers(std::uint16_t port, std::chrono::milliseconds wait)
{
    Socket client;
    const sockaddr_in agent = loopback(port);
    if (client.fd() < 0 || connect(client.fd(), reinterpret_cast<const sockaddr*>(&agent), sizeof agent) != 0)
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
