#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

// A bound loopback UDP port that never answers: an agent that is down, and
// a witness of every datagram the session sends.
class SilentAgent {
public:
    SilentAgent()
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        auto* named = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_socket, named, length) == 0 && ::getsockname(m_socket, named, &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentAgent() { ::close(m_socket); }
    SilentAgent(const SilentAgent&) = delete;
    SilentAgent& operator=(const SilentAgent&) = delete;

    std::uint16_t port() const { return m_port; }

    // True when a datagram arrives within `wait` (it is consumed).
    bool receivesWithin(std::chrono::milliseconds wait) const
    {
        pollfd entry{m_socket, POLLIN, 0};
        char buffer[2048];
        return ::poll(&entry, 1, static_cast<int>(wait.count())) > 0 && ::recv(m_socket, buffer, sizeof buffer, 0) >= 0;
    }

private:
    int m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    std::uint16_t m_port = 0;
};
