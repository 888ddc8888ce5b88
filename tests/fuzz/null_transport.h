#pragma once

#include "snmp/transport.h"

#include <mutex>
#include <thread>
#include <vector>

// A transport whose agent never answers: each request times out at once, on
// a thread of its own as the seam requires. It keeps the targets it saw.
namespace fuzz {

class NullTransport final : public snmp::Transport {
public:
    void submit(const snmp::Target& target, snmp::Pdu, snmp::TransportDone done) override
    {
        {
            std::lock_guard lock(m_mutex);
            m_targets.push_back(target);
        }
        std::thread([done = std::move(done)] { done(snmp::TransportStatus::Timeout, snmp::Pdu{}); }).join();
    }

    std::vector<snmp::Target> targets() const
    {
        std::lock_guard lock(m_mutex);
        return m_targets;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<snmp::Target> m_targets;
};

} // namespace fuzz
