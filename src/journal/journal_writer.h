#pragma once

#include "snmp/set_journal.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

// Writes the change journal: the snmp layer's set observer. Records are
// queued and written by one background thread that owns the database
// connection, in batched transactions; a request's row is written "sent" as
// soon as that thread takes it and completed when its outcome comes. The
// sending thread never waits on the disk.
namespace journal {

struct WriterOptions {
    QString path;      // the database file (databasePath() for the module)
    std::string model; // the switch's model, on every row
    int maxRequests = 100000;
    // Each problem once, on the writer's thread: a database that cannot be
    // opened or written (the journal is then off), a damaged one moved aside.
    std::function<void(const std::string&)> notice;
};

class JournalWriter final : public snmp::SetObserver {
public:
    // Starts the thread, which opens the database.
    explicit JournalWriter(WriterOptions options);
    // Writes what is queued (at most a few seconds) and stops.
    ~JournalWriter() override;

    JournalWriter(const JournalWriter&) = delete;
    JournalWriter& operator=(const JournalWriter&) = delete;

    // Waits at most `limit` for the open; true when the journal is recording.
    bool waitOpened(std::chrono::milliseconds limit);

    std::uint64_t sending(snmp::SetRecord record) override;
    void completed(std::uint64_t id, snmp::SetOutcome outcome) override;

    // Waits at most `limit` until everything handed over before the call is
    // written; false when the limit came first.
    bool flush(std::chrono::milliseconds limit);

    // The size limit from the next write on (oldest requests dropped).
    void setMaxRequests(int maxRequests);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace journal
