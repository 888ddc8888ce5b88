#pragma once

#include "commands/management_path.h"

#include <memory>
#include <thread>

class QObject;

namespace snmp {
class Transport;
}

namespace app {

// The process's ManagementPathSource: a session of its own, read on a
// thread of its own. Asked and answered on the thread that built it; an
// asker that joins while a read is out gets the next read's result.
class ManagementPathReader final : public commands::ManagementPathSource {
public:
    // `transport` null for the real network; the session copies the
    // process-wide session parameters now.
    ManagementPathReader(std::shared_ptr<snmp::Transport> transport, int portCount);
    // Returns at once: a read still out ends on the background closer.
    ~ManagementPathReader() override;

    ManagementPathReader(const ManagementPathReader&) = delete;
    ManagementPathReader& operator=(const ManagementPathReader&) = delete;

    // Runs after every read, before its askers, on the same thread.
    void setObserver(std::function<void(const commands::ManagementPath&)> observer);

    void read(std::function<void(const commands::ManagementPath&)> done) override;
    commands::ManagementPath last() const override;

private:
    struct Shared;
    static void work(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> m_shared;
    std::unique_ptr<QObject> m_context; // where the results are posted
    std::thread m_worker;
};

} // namespace app
