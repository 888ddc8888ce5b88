#pragma once

#include "dialogs/binding.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace snmp {
class CCommonSnmp;
class CSnmpResponse;
class Transport;
} // namespace snmp

namespace dialogs {

// One answered row as plain values: the value texts in binding order and the
// index suffix of binding 0 after its column (".1.0.0.94.0.83.1").
struct WalkRow {
    std::vector<std::string> values;
    std::string suffix;
    // Every binding's suffix after its own column, in binding order: columns
    // of different tables walked together need not answer the same index.
    std::vector<std::string> suffixes = {};
};

struct WalkRequest {
    enum class Mode {
        Table,  // get-next walk, one row per answer until the columns end
        // A walk that feeds no write: the same rows, read by GETBULK where
        // the session allows it.
        ReadOnlyTable,
        Single, // one asynchronous get: one row at most
    };
    Mode mode = Mode::Table;
    std::vector<std::string> oids;
    // Answers with fewer bindings end the walk without a row.
    std::size_t minimumBindings = 0;
    // Per request; 0 for the session's time-out.
    int timeoutMs = 0;
    // The first request's, when it differs; 0 for timeoutMs.
    unsigned long firstTimeoutMs = 0;
};

// Runs a task on the owning dialog's thread, later. It may drop the task when
// its owner is gone.
using Poster = std::function<void(std::function<void()>)>;

struct WalkSinks {
    std::function<void(const WalkRow&)> row; // on the owner's thread
    std::function<void()> end;               // on the owner's thread, once per walk
};

// A session that a dialog owns, with the walk plumbing every dialog shares.
// The walk callback runs on the session's thread: it turns each answer into a
// WalkRow and posts it; rows and the end reach the sinks on the owner's thread
// and only while the walk that produced them is the current one.
class CDialogSession {
public:
    // memberName is the name the destroy path prints ("m_cCommonSNMP").
    explicit CDialogSession(std::string memberName);
    ~CDialogSession();

    CDialogSession(const CDialogSession&) = delete;
    CDialogSession& operator=(const CDialogSession&) = delete;

    snmp::CCommonSnmp& snmp() { return *m_snmp; }
    const std::string& memberName() const { return m_memberName; }

    // Owner's thread. Starts a walk (any previous one is forgotten). When the
    // request cannot even be prepared, the end is posted at once.
    void startWalk(const WalkRequest& request, Poster post, WalkSinks sinks);

    // Owner's thread: how the last delivered walk ended. kStatusOk only after
    // a single get that delivered its row; otherwise the status that ended it
    // (kStatusEnded for a walk read whole, kStatusNoAnswer for a time-out,
    // kStatusFailed for an error answer or one too short to be a row).
    int endStatus() const { return m_endStatus; }

    // Synchronous exchanges on the owner's thread; status as CCommonSnmp.
    int exchange(int pduType, const Bindings& bindings, std::vector<std::string>* values = nullptr, int timeoutMs = 0);
    // The same through the walker's synchronous getNext (sets that wait an explicit time).
    int exchangeByGetNext(int pduType, const Bindings& bindings, int timeoutMs = 0);

    // The destroy path's step for this session: no further row or end is
    // delivered, Close, then "==================<member>.Close===============".
    void close();

    // Where new sessions send: null for the real network (tests and the
    // demonstration plug the simulated switch in here).
    static void setTransport(std::shared_ptr<snmp::Transport> transport);

private:
    struct Active {
        std::uint64_t generation = 0;
        WalkRequest::Mode mode = WalkRequest::Mode::Table;
        std::size_t minimumBindings = 0;
        int timeoutMs = 0;
        Poster post;
        WalkSinks sinks;
    };

    static unsigned walkCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status);
    struct Delivery {
        std::uint64_t generation;
        std::function<void(const WalkSinks&)> task;
    };

    // Callback thread, under m_mutex: queues a task for the owner unless the
    // walk was abandoned.
    void postLocked(std::uint64_t generation, std::function<void(const WalkSinks&)> task);
    // Owner's thread: runs queued deliveries for a slice of time, then yields
    // to the owner's other events, so a long table never stalls the dialog.
    void deliverQueued();

    std::string m_memberName;
    std::mutex m_mutex;      // guards m_active and m_abandoned against the callback thread
    Active m_active;
    bool m_abandoned = false;
    std::deque<Delivery> m_queued; // guarded by m_mutex
    bool m_deliveryPosted = false; // guarded by m_mutex
    std::uint64_t m_nextGeneration = 0;
    int m_endStatus = 0; // owner's thread only
    // Last: destroyed first, so no callback outlives the state above.
    std::unique_ptr<snmp::CCommonSnmp> m_snmp;
};

} // namespace dialogs
