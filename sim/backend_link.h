#pragma once

#include "snmp/pdu.h"

#include <sys/types.h>

#include <string>

// snmpd starts one back end per pass_persist line. The first one to start
// serves the switch; the later ones relay their protocol lines to it, so
// every subtree shows the same switch. They meet on an abstract Unix socket
// named after their snmpd, which leaves no file behind.
namespace sim {

class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor();
    Descriptor(Descriptor&& other) noexcept : m_fd(other.release()) {}
    Descriptor& operator=(Descriptor&& other) noexcept;
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release();

private:
    int m_fd = -1;
};

// Invalid when another back end of the same snmpd already serves.
Descriptor listenForRelays(pid_t agent);
Descriptor connectToServer(pid_t agent);

// Tells the server which subtree this back end was given, then copies
// snmpd's lines to the server and the answers back until either side ends.
void relay(const Descriptor& server, const snmp::Oid& subtree, int in, int out);
// The subtree line a relay sends first; false on anything else.
bool readRelaySubtree(int fd, snmp::Oid& subtree);

} // namespace sim
