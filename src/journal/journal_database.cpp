#include "journal/journal_database.h"

#include "journal/journal_schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QVariant>

#include <algorithm>
#include <atomic>

namespace journal {
namespace {

std::atomic<int> g_connections{0};

// SQLite's primary result codes for a file that is no (intact) database.
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

bool damagedBy(const QSqlError& error)
{
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == kSqliteCorrupt || code == kSqliteNotADatabase);
}

std::string cannotOpen(const QString& path, const QString& reason)
{
    return QStringLiteral("The change journal could not be opened (%1: %2). Changes are not recorded.")
        .arg(path, reason)
        .toStdString();
}

// "<path>.corrupt-YYYYMMDDTHHMMSS" (UTC), with "-2", "-3"... when taken.
QString asideName(const QString& path)
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
    const QString base = path + QStringLiteral(".corrupt-") + stamp;
    QString name = base;
    for (int n = 2; QFileInfo::exists(name) || QFileInfo::exists(name + "-wal"); ++n)
        name = base + QStringLiteral("-%1").arg(n);
    return name;
}

// Moves the file and its write-ahead log aside together, never over another file.
bool moveAside(const QString& path, const QString& aside)
{
    if (!QFile::rename(path, aside))
        return false;
    for (const char* suffix : {"-wal", "-shm"})
        if (QFileInfo::exists(path + suffix))
            QFile::rename(path + suffix, aside + suffix);
    return true;
}

// Why the file cannot be written, before SQLite finds out half-way.
QString notWritable(const QString& path)
{
    const QFileInfo file(path);
    if (!QDir().mkpath(file.absolutePath()))
        return QStringLiteral("its folder cannot be made");
    if (!QFileInfo(file.absolutePath()).isWritable())
        return QStringLiteral("its folder is read-only");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("the file is read-only");
    return {};
}

} // namespace

JournalDatabase::JournalDatabase(QString path, QString connection, Notice notice)
    : m_path(std::move(path)), m_connection(std::move(connection)), m_notice(std::move(notice))
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    m_db.setDatabaseName(m_path);
}

JournalDatabase::~JournalDatabase()
{
    m_insertRequest = QSqlQuery();
    m_insertBinding = QSqlQuery();
    m_completeRequest = QSqlQuery();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connection);
}

std::unique_ptr<JournalDatabase> JournalDatabase::open(const QString& path, const Notice& notice)
{
    const auto say = [&notice](const std::string& text) {
        if (notice)
            notice(text);
    };
    if (const QString reason = notWritable(path); !reason.isEmpty()) {
        say(cannotOpen(path, reason));
        return nullptr;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        const QString connection = QStringLiteral("qmx-journal-%1").arg(++g_connections);
        std::unique_ptr<JournalDatabase> database(new JournalDatabase(path, connection, notice));
        bool damaged = false;
        const QString reason = database->prepare(damaged);
        if (reason.isEmpty())
            return database;
        database.reset();
        if (!damaged || attempt > 0) {
            say(cannotOpen(path, reason));
            return nullptr;
        }
        const QString aside = asideName(path);
        if (!moveAside(path, aside)) {
            say(cannotOpen(path, QStringLiteral("it is damaged and could not be moved aside")));
            return nullptr;
        }
        say(QStringLiteral("The change journal %1 was damaged (%2); it was moved to %3 and a new journal was started.")
                .arg(path, reason, aside)
                .toStdString());
    }
    return nullptr;
}

QString JournalDatabase::prepare(bool& damaged)
{
    if (!m_db.isValid())
        return QStringLiteral("the SQLite driver of Qt is missing");
    if (!m_db.open())
        return m_db.lastError().text();
    QSqlQuery query(m_db);
    const auto failed = [&](const QSqlError& error) {
        damaged = damagedBy(error);
        return error.text();
    };
    // A file that is no database fails here already.
    for (const char* pragma : {"PRAGMA journal_mode=WAL", "PRAGMA synchronous=NORMAL", "PRAGMA foreign_keys=ON"})
        if (!query.exec(QString::fromLatin1(pragma)))
            return failed(query.lastError());
    // Tables of another layout (SQLITE_ERROR: no such column) are not ours to change.
    const auto schemaFailed = [&](const QSqlError& error) {
        return error.nativeErrorCode() == QLatin1String("1") ? QStringLiteral("its tables are not the journal's: ") + error.text()
                                                             : failed(error);
    };
    for (int i = 0; i < schemaStatementCount(); ++i)
        if (!query.exec(QString::fromLatin1(schemaStatements()[i])))
            return schemaFailed(query.lastError());
    if (!query.exec(QStringLiteral("SELECT id, time, address, port, model, sys_name, version, user_name, source, outcome,"
                                   " error_status, error_index, completed FROM requests LIMIT 0"))
        || !query.exec(QStringLiteral("SELECT request_id, position, oid, name, type, value, previous FROM bindings LIMIT 0")))
        return schemaFailed(query.lastError());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM requests")) || !query.next())
        return failed(query.lastError());
    m_count = query.value(0).toLongLong();
    m_insertRequest = QSqlQuery(m_db);
    m_insertBinding = QSqlQuery(m_db);
    m_completeRequest = QSqlQuery(m_db);
    if (!m_insertRequest.prepare(QStringLiteral("INSERT INTO requests (time, address, port, model, sys_name, version,"
                                                " user_name, source, outcome) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        return failed(m_insertRequest.lastError());
    if (!m_insertBinding.prepare(QStringLiteral("INSERT INTO bindings (request_id, position, oid, name, type, value,"
                                                " previous) VALUES (?, ?, ?, ?, ?, ?, ?)")))
        return failed(m_insertBinding.lastError());
    if (!m_completeRequest.prepare(QStringLiteral("UPDATE requests SET outcome = ?, error_status = ?, error_index = ?,"
                                                  " completed = ? WHERE id = ?")))
        return failed(m_completeRequest.lastError());
    return {};
}

bool JournalDatabase::begin()
{
    return m_db.transaction() || (m_error = m_db.lastError().text(), false);
}

bool JournalDatabase::commit()
{
    return m_db.commit() || (m_error = m_db.lastError().text(), false);
}

bool JournalDatabase::prune(int maxRequests)
{
    const qint64 keep = std::max(maxRequests, 1);
    if (m_count <= keep)
        return true;
    QSqlQuery query(m_db);
    // The newest `keep` stay; ids only grow.
    query.prepare(QStringLiteral("SELECT id FROM requests ORDER BY id DESC LIMIT 1 OFFSET ?"));
    query.bindValue(0, keep);
    if (!query.exec())
        return (m_error = query.lastError().text(), false);
    if (query.next()) {
        const qint64 last = query.value(0).toLongLong();
        QSqlQuery drop(m_db);
        for (const char* statement : {"DELETE FROM bindings WHERE request_id <= ?", "DELETE FROM requests WHERE id <= ?"}) {
            drop.prepare(QString::fromLatin1(statement));
            drop.bindValue(0, last);
            if (!drop.exec())
                return (m_error = drop.lastError().text(), false);
        }
    }
    m_count = keep;
    return true;
}

void JournalDatabase::inserted()
{
    ++m_count;
}

void JournalDatabase::fail()
{
    QString reason = m_error;
    for (const QSqlQuery* query : {&m_insertRequest, &m_insertBinding, &m_completeRequest})
        if (reason.isEmpty() && query->lastError().isValid())
            reason = query->lastError().text();
    m_db.rollback();
    if (m_notice)
        m_notice(QStringLiteral("The change journal could not be written (%1: %2). Changes are no longer recorded.")
                     .arg(m_path, reason.isEmpty() ? QStringLiteral("unknown error") : reason)
                     .toStdString());
}

} // namespace journal
