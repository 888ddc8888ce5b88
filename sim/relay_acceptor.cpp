#include "sim/relay_acceptor.h"

#include "sim/pass_persist_server.h"

#include <algorithm>

#include <sys/socket.h>
#include <unistd.h>

namespace sim {

RelayAcceptor::RelayAcceptor(Descriptor listener, SimulatedSwitch& device, std::mutex& deviceMutex, RequestLog& log)
    : m_listener(std::move(listener)), m_device(device), m_deviceMutex(deviceMutex), m_log(log),
      m_acceptor([this] { acceptRelays(); })
{
}

RelayAcceptor::~RelayAcceptor()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        shutdown(m_listener.get(), SHUT_RDWR); // wakes accept()
        for (int fd : m_open)
            shutdown(fd, SHUT_RDWR);
    }
    m_acceptor.join();
    for (auto& relay : m_relays)
        relay.join();
}

void RelayAcceptor::acceptRelays()
{
    while (true) {
        const int fd = accept4(m_listener.get(), nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard lock(m_mutex);
        if (m_stopping || fd < 0) {
            if (fd >= 0)
                close(fd);
            if (m_stopping)
                return;
            continue;
        }
        m_open.push_back(fd);
        m_relays.emplace_back([this, fd] { serveRelay(fd); });
    }
}

void RelayAcceptor::serveRelay(int fd)
{
    Descriptor connection(fd);
    snmp::Oid subtree;
    if (readRelaySubtree(fd, subtree))
        PassPersistServer(m_device, m_deviceMutex, m_log, subtree, fd, fd).run();
    // Deregistered before it closes, so shutdown never meets a reused number.
    std::lock_guard lock(m_mutex);
    m_open.erase(std::remove(m_open.begin(), m_open.end(), fd), m_open.end());
}

} // namespace sim
