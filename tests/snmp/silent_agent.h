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
        m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_socket >= 0 && ::bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentAgent()
    {
        if (m_socket >= 0)
            ::close(m_socket);
    }
    SilentAgent(const SilentAgent&) = delete;
    SilentAgent& operator=(const SilentAgent&) = delete;

    std::uint16_t port() const { return m_port; }

    // True when a datagram arrives within `wait` (it is consumed).
    bool receivesWithin(std::chrono::milliseconds wait) const
    {
        pollfd entry{m_socket, POLLIN, 0};
        if (::poll(&entry, 1, static_cast<int>(wait.count())) <= 0)
            return false;
        char buffer[2048];
        return ::recv(m_socket, buffer, sizeof buffer, 0) >= 0;
    }

private:
    int m_socket = -1;
    std::uint16_t m_port = 0;
};
