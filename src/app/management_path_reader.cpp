#include "app/management_path_reader.h"

#include "dialogs/background_close.h"
#include "monitor/management_path_read.h"
#include "platform/next_hop.h"
#include "snmp/agent_address.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <QObject>
#include <QThread>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace app {

using Done = std::function<void(const commands::ManagementPath&)>;

struct ManagementPathReader::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;          // under mutex
    std::vector<Done> waiting;      // under mutex: askers of the next read
    QObject* context = nullptr;     // under mutex; null once the reader is gone
    commands::ManagementPath last;  // under mutex
    Done observer;                  // under mutex
    // The worker's alone.
    std::unique_ptr<snmp::CCommonSnmp> session;
    std::string address;
    std::uint16_t port = 161;
    int portCount = 0;
};

ManagementPathReader::ManagementPathReader(std::shared_ptr<snmp::Transport> transport, int portCount)
    : m_shared(std::make_shared<Shared>()), m_context(std::make_unique<QObject>())
{
    const snmp::SessionParameters& parameters = snmp::sessionParameters();
    m_shared->session = transport ? std::make_unique<snmp::CCommonSnmp>(std::move(transport))
                                  : std::make_unique<snmp::CCommonSnmp>();
    m_shared->address = snmp::destinationAddress(parameters);
    m_shared->port = snmp::agentPortNumber(parameters);
    m_shared->portCount = portCount;
    m_shared->context = m_context.get();
    m_worker = std::thread(&ManagementPathReader::work, m_shared);
}

ManagementPathReader::~ManagementPathReader()
{
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->stopping = true;
        m_shared->context = nullptr; // nothing is posted from now on
        m_shared->waiting.clear();
    }
    m_shared->wake.notify_all();
    m_context.reset(); // drops a result posted but not yet run
    dialogs::closeInBackground([worker = std::make_shared<std::thread>(std::move(m_worker))] { worker->join(); });
}

void ManagementPathReader::setObserver(Done observer)
{
    const std::lock_guard lock(m_shared->mutex);
    m_shared->observer = std::move(observer);
}

void ManagementPathReader::read(Done done)
{
    Q_ASSERT(QThread::currentThread() == m_context->thread()); // answers go to the context's thread
    {
        const std::lock_guard lock(m_shared->mutex);
        m_shared->waiting.push_back(std::move(done));
    }
    m_shared->wake.notify_all();
}

commands::ManagementPath ManagementPathReader::last() const
{
    const std::lock_guard lock(m_shared->mutex);
    return m_shared->last;
}

void ManagementPathReader::work(const std::shared_ptr<Shared>& shared)
{
    for (;;) {
        std::vector<Done> askers;
        {
            std::unique_lock lock(shared->mutex);
            shared->wake.wait(lock, [&] { return shared->stopping || !shared->waiting.empty(); });
            if (shared->stopping)
                break;
            askers.swap(shared->waiting);
        }
        // The route may change between reads: the hop is found afresh each time.
        const platform::NextHop hop = platform::findNextHop(shared->address, shared->port);
        const commands::ManagementPath path = monitor::readManagementPath(*shared->session, hop, shared->portCount);
        const std::lock_guard lock(shared->mutex);
        if (shared->stopping)
            break;
        shared->last = path;
        QMetaObject::invokeMethod(
            shared->context,
            [observer = shared->observer, askers = std::move(askers), path] {
                if (observer)
                    observer(path);
                for (const Done& done : askers)
                    done(path);
            },
            Qt::QueuedConnection);
    }
    shared->session->Close();
}

} // namespace app
