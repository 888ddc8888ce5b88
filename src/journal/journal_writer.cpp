#include "journal/journal_writer.h"

#include "journal/journal_database.h"
#include "journal/journal_schema.h"
#include "journal/object_names.h"

#include <QDateTime>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <variant>

namespace journal {
namespace {

constexpr auto kStopFlushLimit = std::chrono::seconds(3);

struct Sending {
    std::uint64_t id;
    snmp::SetRecord record;
};
struct Completed {
    std::uint64_t id;
    snmp::SetOutcome outcome;
};
using Item = std::variant<Sending, Completed>;

QString timeText(snmp::WallClock::time_point time)
{
    const qint64 ms = std::chrono::duration_cast<std::chrono::milliseconds>(time.time_since_epoch()).count();
    return storedTime(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
}

QVariant text(const std::string& value)
{
    return QString::fromStdString(value);
}

QVariant textOrNull(const std::optional<std::string>& value)
{
    return value ? text(*value) : QVariant(QMetaType(QMetaType::QString));
}

const char* outcomeText(snmp::SetOutcome::Kind kind)
{
    switch (kind) {
    case snmp::SetOutcome::Kind::Answered: return kOutcomeAnswered;
    case snmp::SetOutcome::Kind::Error: return kOutcomeError;
    case snmp::SetOutcome::Kind::NoAnswer: return kOutcomeNoAnswer;
    }
    return kOutcomeNoAnswer;
}

} // namespace

struct JournalWriter::Impl {
    WriterOptions options;
    std::atomic<int> maxRequests;

    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Item> queue;
    std::uint64_t handedOver = 0; // items queued so far
    std::uint64_t written = 0;    // items the thread has finished with
    bool stopping = false;
    std::optional<bool> opened;
    std::atomic<std::uint64_t> nextId{0};
    std::thread thread;

    // The thread's own.
    std::unique_ptr<JournalDatabase> database;
    std::unordered_map<std::uint64_t, qint64> rows; // request id -> row id, until completed

    explicit Impl(WriterOptions given) : options(std::move(given)), maxRequests(options.maxRequests) {}

    void push(Item item)
    {
        {
            std::lock_guard lock(mutex);
            queue.push_back(std::move(item));
            ++handedOver;
        }
        changed.notify_all();
    }

    void run()
    {
        database = JournalDatabase::open(options.path, options.notice);
        {
            std::lock_guard lock(mutex);
            opened = database != nullptr;
        }
        changed.notify_all();
        for (;;) {
            std::deque<Item> batch;
            bool last = false;
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [this] { return stopping || !queue.empty(); });
                batch.swap(queue);
                last = stopping && batch.empty();
            }
            if (last)
                break;
            write(batch);
            {
                std::lock_guard lock(mutex);
                written += batch.size();
            }
            changed.notify_all();
        }
        database.reset();
    }

    void write(const std::deque<Item>& batch)
    {
        if (!database)
            return;
        bool ok = database->begin();
        for (const Item& item : batch) {
            if (!ok)
                break;
            if (const auto* sending = std::get_if<Sending>(&item))
                ok = insert(*sending);
            else
                ok = update(std::get<Completed>(item));
        }
        ok = ok && database->prune(maxRequests) && database->commit();
        if (!ok) {
            // Said once; the module works on without the journal.
            database->fail();
            database.reset();
            rows.clear();
        }
    }

    bool insert(const Sending& sending)
    {
        const snmp::SetRecord& record = sending.record;
        QSqlQuery& request = database->insertRequest();
        request.bindValue(0, timeText(record.time));
        request.bindValue(1, text(record.address));
        request.bindValue(2, int{record.port});
        request.bindValue(3, text(options.model));
        request.bindValue(4, textOrNull(record.sysName));
        request.bindValue(5, text(record.version));
        request.bindValue(6, textOrNull(record.version == "3" ? std::optional(record.userName) : std::nullopt));
        request.bindValue(7, text(record.source));
        request.bindValue(8, QString::fromLatin1(kOutcomeSent));
        if (!request.exec())
            return false;
        const qint64 row = request.lastInsertId().toLongLong();
        rows[sending.id] = row;
        database->inserted();
        QSqlQuery& binding = database->insertBinding();
        for (std::size_t i = 0; i < record.bindings.size(); ++i) {
            const snmp::SetBindingRecord& written = record.bindings[i];
            const ObjectName* object = findObject(written.oid);
            const bool secret = object && object->secret;
            binding.bindValue(0, row);
            binding.bindValue(1, static_cast<int>(i));
            binding.bindValue(2, object && object->secretIndex
                                     ? QString::fromLatin1(object->prefix) + '.' + QString::fromLatin1(kSecretValue)
                                     : QString::fromStdString(written.oid));
            binding.bindValue(3, object ? QVariant(QString::fromLatin1(object->name)) : QVariant(QMetaType(QMetaType::QString)));
            binding.bindValue(4, text(written.type));
            binding.bindValue(5, secret ? QVariant(QString::fromLatin1(kSecretValue)) : text(written.value));
            binding.bindValue(6, secret ? textOrNull(std::nullopt) : textOrNull(written.previous));
            if (!binding.exec())
                return false;
        }
        return true;
    }

    bool update(const Completed& completed)
    {
        const auto row = rows.find(completed.id);
        if (row == rows.end())
            return true; // its row was not written
        const snmp::SetOutcome& outcome = completed.outcome;
        const bool error = outcome.kind == snmp::SetOutcome::Kind::Error;
        QSqlQuery& query = database->completeRequest();
        query.bindValue(0, QString::fromLatin1(outcomeText(outcome.kind)));
        query.bindValue(1, error ? QVariant(outcome.errorStatus) : QVariant(QMetaType(QMetaType::Int)));
        query.bindValue(2, error ? QVariant(outcome.errorIndex) : QVariant(QMetaType(QMetaType::Int)));
        query.bindValue(3, timeText(outcome.time));
        query.bindValue(4, row->second);
        rows.erase(row);
        return query.exec();
    }
};

JournalWriter::JournalWriter(WriterOptions options) : m_impl(std::make_unique<Impl>(std::move(options)))
{
    m_impl->thread = std::thread([impl = m_impl.get()] { impl->run(); });
}

JournalWriter::~JournalWriter()
{
    flush(kStopFlushLimit);
    {
        std::lock_guard lock(m_impl->mutex);
        m_impl->stopping = true;
        m_impl->queue.clear(); // what did not make it in time is dropped
    }
    m_impl->changed.notify_all();
    m_impl->thread.join();
}

bool JournalWriter::waitOpened(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_impl->mutex);
    m_impl->changed.wait_for(lock, limit, [this] { return m_impl->opened.has_value(); });
    return m_impl->opened.value_or(false);
}

std::uint64_t JournalWriter::sending(snmp::SetRecord record)
{
    const std::uint64_t id = ++m_impl->nextId;
    m_impl->push(Sending{id, std::move(record)});
    return id;
}

void JournalWriter::completed(std::uint64_t id, snmp::SetOutcome outcome)
{
    m_impl->push(Completed{id, outcome});
}

bool JournalWriter::flush(std::chrono::milliseconds limit)
{
    std::unique_lock lock(m_impl->mutex);
    const std::uint64_t target = m_impl->handedOver;
    return m_impl->changed.wait_for(lock, limit, [this, target] { return m_impl->written >= target; });
}

void JournalWriter::setMaxRequests(int maxRequests)
{
    m_impl->maxRequests = maxRequests;
}

} // namespace journal
