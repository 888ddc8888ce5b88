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
class JournalContext;
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
// WalkRow and posts it; rows and the end reach the sinks on the owner's thread.
// One walk runs at a time: a walk asked for while another is out follows it,
// and every walk's end is delivered.
class CDialogSession {
public:
    // memberName is the name the destroy path prints ("m_cCommonSNMP");
    // `journal` names the sets in the change journal and remembers the reads.
    explicit CDialogSession(std::string memberName, std::shared_ptr<snmp::JournalContext> journal = nullptr);
    ~CDialogSession();

    CDialogSession(const CDialogSession&) = delete;
    CDialogSession& operator=(const CDialogSession&) = delete;

    snmp::CCommonSnmp& snmp() { return *m_state->snmp; }
    const std::string& memberName() const { return m_memberName; }

    // Owner's thread. Starts a walk, or queues it behind the walk under way.
    // When the request cannot even be prepared, the end is posted at once.
    void startWalk(const WalkRequest& request, Poster post, WalkSinks sinks);
    // Owner's thread: a walk is out or waiting.
    bool busy() const { return m_running || !m_waiting.empty(); }

    // Owner's thread: how the last delivered walk ended. kStatusOk only after
    // a single get that delivered its row; otherwise the status that ended it
    // (kStatusEnded for a walk read whole, kStatusNoAnswer for a time-out,
    // kStatusFailed for an error answer or one too short to be a row).
    int endStatus() const { return m_endStatus; }

    // Synchronous exchanges on the calling thread; status as CCommonSnmp.
    int exchange(int pduType, const Bindings& bindings, std::vector<std::string>* values = nullptr, int timeoutMs = 0);
    // The same through the walker's synchronous getNext (sets that wait an explicit time).
    int exchangeByGetNext(int pduType, const Bindings& bindings, int timeoutMs = 0);

    // The destroy path's step for this session: no further row or end is
    // delivered, Close, then "==================<member>.Close===============".
    void close();

    // The same in two halves, so the waiting half can run on another thread:
    // abandon() on the owner's thread stops every delivery and walk start at
    // once; the task it returns closes the session and prints the line, on
    // any thread, even after this object is gone.
    std::function<void()> abandon();

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
    struct Delivery {
        std::uint64_t generation;
        std::function<void(const WalkSinks&)> task;
    };
    struct Waiting {
        WalkRequest request;
        Poster post;
        WalkSinks sinks;
    };
    // What the walk callback touches: it outlives this object while a
    // background close still runs.
    struct State {
        CDialogSession* owner = nullptr; // only dereferenced through posted tasks
        std::mutex mutex; // guards active, abandoned, queued and deliveryPosted
        Active active;
        bool abandoned = false;
        std::deque<Delivery> queued;
        bool deliveryPosted = false;
        // Last: destroyed first, so no callback outlives the state above.
        std::unique_ptr<snmp::CCommonSnmp> snmp;

        // Callback thread, under mutex: queues a task for the owner unless
        // the session was abandoned.
        void postLocked(std::uint64_t generation, std::function<void(const WalkSinks&)> task);
    };

    static unsigned walkCallback(std::unique_ptr<snmp::CSnmpResponse> response, int requestId, void* context, int status);

    // No row or end is delivered from now on, and no walk starts.
    void stopDeliveries();
    void begin(Waiting walk);
    // Owner's thread: runs queued deliveries for a slice of time, then yields
    // to the owner's other events, so a long table never stalls the dialog.
    void deliverQueued();
    // Owner's thread, after an end was delivered: the next waiting walk goes out.
    void walkDelivered();

    std::string m_memberName;
    std::shared_ptr<State> m_state;
    std::uint64_t m_nextGeneration = 0; // owner's thread only
    int m_endStatus = 0;                // owner's thread only
    bool m_running = false;             // owner's thread only
    std::deque<Waiting> m_waiting;      // owner's thread only
};

} // namespace dialogs
