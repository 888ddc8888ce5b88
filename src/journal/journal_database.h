#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>

#include <functional>
#include <memory>
#include <string>

// The journal writer's connection: opened, checked and used on one thread
// only. A file that is no database or is damaged is moved aside and a new
// one started; one that cannot be opened or read leaves the journal off.
namespace journal {

class JournalDatabase {
public:
    using Notice = std::function<void(const std::string&)>;

    // Null (after telling `notice` why) when the journal cannot record.
    static std::unique_ptr<JournalDatabase> open(const QString& path, const Notice& notice);
    ~JournalDatabase();

    JournalDatabase(const JournalDatabase&) = delete;
    JournalDatabase& operator=(const JournalDatabase&) = delete;

    bool begin();
    bool commit();
    // Drops the oldest requests and their bindings beyond `maxRequests`.
    bool prune(int maxRequests);
    void inserted(); // one request row more
    // After a failed write: rolls back and says why, once.
    void fail();

    // Prepared statements, parameters by position (see journal_writer.cpp).
    QSqlQuery& insertRequest() { return m_insertRequest; }
    QSqlQuery& insertBinding() { return m_insertBinding; }
    QSqlQuery& completeRequest() { return m_completeRequest; }

private:
    JournalDatabase(QString path, QString connection, Notice notice);
    // "" when ready; the reason otherwise; `damaged` when the file is no database.
    QString prepare(bool& damaged);
    QString lastError() const;

    QString m_path;
    QString m_connection;
    Notice m_notice;
    QSqlDatabase m_db;
    QSqlQuery m_insertRequest;
    QSqlQuery m_insertBinding;
    QSqlQuery m_completeRequest;
    qint64 m_count = 0;
    QString m_error;
};

} // namespace journal
