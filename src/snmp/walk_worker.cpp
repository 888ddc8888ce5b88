#include "platform/debug_output.h"
#include "snmp/session_core.h"

#include <utility>

namespace snmp {
namespace {

// How often a worker waiting for the gate looks whether its walk is still wanted.
constexpr std::chrono::milliseconds kGatePoll{20};

bool walkWanted(SessionCore& core, unsigned generation)
{
    std::lock_guard lock(core.walkMutex);
    return core.walkRunning && core.workerGeneration == generation;
}

// Takes the gate unless the walk is called off meanwhile (Open holds the
// gate while it waits for this worker to end).
bool acquireGateForWalk(SessionCore& core, unsigned generation)
{
    while (!core.gate.tryAcquireFor(kGatePoll))
        if (!walkWanted(core, generation))
            return false;
    return true;
}

void runWalkWorker(const std::shared_ptr<SessionCore>& core, unsigned generation)
{
    for (;;) {
        {
            std::lock_guard lock(core->walkMutex);
            if (!core->walkRunning || core->workerGeneration != generation) {
                if (core->workerGeneration == generation) {
                    core->m_hEvenSnmpGet.set();
                    core->workerAlive = false;
                    core->workerEnded.notify_all();
                }
                return;
            }
        }
        if (!acquireGateForWalk(*core, generation))
            continue;
        // The request went out with getNextAsync; only its answer is awaited here.
        PendingExchange sent = std::exchange(core->walkExchange, PendingExchange{});
        if (!sent.started() || !core->hasBindings()) {
            {
                std::lock_guard lock(core->walkMutex);
                core->walkRunning = false;
            }
            core->gate.release();
            continue;
        }
        std::unique_ptr<CSnmpResponse> response;
        platform::debugOutput("getNext begin");
        const int status = core->walker->finishNext(sent, response);
        platform::debugOutput("getNext end");
        if (const std::shared_ptr<SetObserver> observer = std::exchange(core->walkSetObserver, nullptr))
            journalCompleted(*core, *observer, core->walkSetId, status);
        else
            noteAnswer(*core, status, response.get());
        core->gate.release();

        WalkCallback callback = nullptr;
        void* context = nullptr;
        int requestId = 0;
        {
            std::lock_guard lock(core->walkMutex);
            // Called off by Close or Open meanwhile: the answer is dropped.
            if (!core->walkRunning || core->workerGeneration != generation)
                continue;
            core->walkRunning = false;
            callback = core->walkCallback;
            context = core->walkContext;
            requestId = core->walkRequestId;
        }
        if (callback)
            callback(std::move(response), requestId, context, status);
    }
}

} // namespace

void startWalkWorker(const std::shared_ptr<SessionCore>& core)
{
    if (core->workerAlive)
        return;
    // A previous worker that marked itself ended has nothing left but to return.
    if (core->worker.joinable())
        core->worker.join();
    const unsigned generation = core->workerGeneration;
    core->workerAlive = true;
    core->worker = std::thread([core, generation] { runWalkWorker(core, generation); });
}

void stopWalkWorker(SessionCore& core, std::chrono::milliseconds limit)
{
    std::unique_lock lock(core.walkMutex);
    core.walkRunning = false;
    if (!core.worker.joinable())
        return;
    const bool onWorker = core.worker.get_id() == std::this_thread::get_id();
    if (!onWorker && core.workerEnded.wait_for(lock, limit, [&core] { return !core.workerAlive; })) {
        std::thread ended = std::move(core.worker);
        lock.unlock();
        ended.join();
        return;
    }
    ++core.workerGeneration;
    core.workerAlive = false;
    core.worker.detach();
    core.m_hEvenSnmpGet.set();
}

} // namespace snmp
