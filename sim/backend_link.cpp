#include "sim/backend_link.h"

#include "sim/oid_text.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace sim {
namespace {

sockaddr_un addressFor(pid_t agent, socklen_t& length)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string name = "qmx-sim-backend-" + std::to_string(agent);
    // A leading NUL byte puts the name in the abstract namespace.
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
    return address;
}

bool writeAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t count = write(fd, data, size);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        data += count;
        size -= static_cast<std::size_t>(count);
    }
    return true;
}

} // namespace

Descriptor::~Descriptor()
{
    if (m_fd >= 0)
        close(m_fd);
}

Descriptor& Descriptor::operator=(Descriptor&& other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            close(m_fd);
        m_fd = other.release();
    }
    return *this;
}

int Descriptor::release()
{
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

Descriptor listenForRelays(pid_t agent)
{
    Descriptor socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    socklen_t length = 0;
    const sockaddr_un address = addressFor(agent, length);
    if (!socketFd.valid() || bind(socketFd.get(), reinterpret_cast<const sockaddr*>(&address), length) != 0 ||
        listen(socketFd.get(), 4) != 0)
        return Descriptor();
    return socketFd;
}

Descriptor connectToServer(pid_t agent)
{
    socklen_t length = 0;
    const sockaddr_un address = addressFor(agent, length);
    // The server may have bound its name and not be listening yet.
    for (int attempt = 0; attempt < 20; ++attempt) {
        Descriptor socketFd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
        if (socketFd.valid() && connect(socketFd.get(), reinterpret_cast<const sockaddr*>(&address), length) == 0)
            return socketFd;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return Descriptor();
}

void relay(const Descriptor& server, const snmp::Oid& subtree, int in, int out)
{
    const std::string hello = dottedOid(subtree) + "\n";
    if (!writeAll(server.get(), hello.data(), hello.size()))
        return;
    std::array<pollfd, 2> ends = {pollfd{in, POLLIN, 0}, pollfd{server.get(), POLLIN, 0}};
    std::array<char, 4096> chunk{};
    while (true) {
        if (poll(ends.data(), ends.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (std::size_t i = 0; i < ends.size(); ++i) {
            if (!(ends[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const ssize_t count = read(ends[i].fd, chunk.data(), chunk.size());
            if (count < 0 && errno == EINTR)
                continue;
            const int target = i == 0 ? server.get() : out;
            if (count <= 0 || !writeAll(target, chunk.data(), static_cast<std::size_t>(count)))
                return;
        }
    }
}

bool readRelaySubtree(int fd, snmp::Oid& subtree)
{
    std::string line;
    char c = 0;
    while (read(fd, &c, 1) == 1) {
        if (c == '\n')
            return parseDottedOid(line, subtree);
        line.push_back(c);
        if (line.size() > 256)
            return false;
    }
    return false;
}

} // namespace sim
