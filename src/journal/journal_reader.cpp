#include "journal/journal_reader.h"

#include "journal/journal_schema.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <QVariant>

#include <atomic>
#include <iterator>

namespace journal {
namespace {

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("qmx-journal-reader-%1").arg(counter.fetch_add(1));
}

std::optional<QString> optionalText(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toString();
}

std::optional<int> optionalInt(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    return value.toInt();
}

// The WHERE clause of a filter and the values it binds, in order.
struct Condition {
    QString sql;
    QVariantList values;
};

Condition conditionOf(const Filter& filter)
{
    Condition condition;
    QStringList parts;
    if (!filter.address.isEmpty()) {
        parts << QStringLiteral("address = ?");
        condition.values << filter.address;
    }
    if (filter.since) {
        parts << QStringLiteral("time >= ?");
        condition.values << storedTime(*filter.since);
    }
    if (filter.until) {
        // A stored time carries milliseconds: the whole last millisecond counts.
        parts << QStringLiteral("time <= ?");
        condition.values << storedTime(*filter.until);
    }
    if (!parts.isEmpty())
        condition.sql = QStringLiteral(" WHERE ") + parts.join(QStringLiteral(" AND "));
    return condition;
}

// RFC 3416 error-status names.
QString errorStatusName(int status)
{
    static const char* const kNames[] = {
        "noError",     "tooBig",        "noSuchName",         "badValue",  "readOnly",
        "genErr",      "noAccess",      "wrongType",          "wrongLength", "wrongEncoding",
        "wrongValue",  "noCreation",    "inconsistentValue",  "resourceUnavailable",
        "commitFailed", "undoFailed",   "authorizationError", "notWritable", "inconsistentName",
    };
    if (status >= 0 && status < static_cast<int>(std::size(kNames)))
        return QString::fromLatin1(kNames[status]);
    return QStringLiteral("status");
}

QString csvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvLine(const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields)
        quoted << csvField(field);
    return quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

QString numberOrEmpty(const std::optional<int>& value)
{
    return value ? QString::number(*value) : QString();
}

} // namespace

Reader::Reader(const QString& path) : m_path(path)
{
    if (!QFileInfo::exists(path))
        return;
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        m_error = QStringLiteral("The change journal cannot be read: Qt's SQLite driver is not installed.");
        return;
    }
    m_connection = nextConnectionName();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=500"));
    QString problem;
    if (!db.open()) {
        problem = db.lastError().text();
    } else {
        // SQLite reads the file on the first query: a corrupt one fails here.
        QSqlQuery probe(db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('requests', 'bindings')")) ||
            !probe.next())
            problem = probe.lastError().text();
        else if (probe.value(0).toInt() < 2)
            db.close(); // not written yet: an empty journal
    }
    if (!problem.isEmpty())
        m_error = QStringLiteral("The change journal %1 cannot be read: %2").arg(path, problem);
}

Reader::~Reader()
{
    if (m_connection.isEmpty())
        return;
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

std::vector<Request> Reader::requests(const Filter& filter)
{
    std::vector<Request> result;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!ready() || !db.isOpen())
        return result;
    const Condition condition = conditionOf(filter);
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT r.id, r.time, r.address, r.port, r.model, r.sys_name, r.version, r.user_name, r.source, r.outcome,"
        " r.error_status, r.error_index, b.oid, b.name, b.type, b.value, b.previous"
        " FROM (SELECT * FROM requests%1 ORDER BY time DESC, id DESC LIMIT ?) r"
        " LEFT JOIN bindings b ON b.request_id = r.id"
        " ORDER BY r.time DESC, r.id DESC, b.position")
                      .arg(condition.sql));
    for (const QVariant& value : condition.values)
        query.addBindValue(value);
    query.addBindValue(filter.limit > 0 ? filter.limit : -1);
    if (!query.exec()) {
        m_error = QStringLiteral("The change journal %1 cannot be read: %2").arg(m_path, query.lastError().text());
        return result;
    }
    while (query.next()) {
        const qint64 id = query.value(0).toLongLong();
        if (result.empty() || result.back().id != id) {
            Request request;
            request.id = id;
            request.time = query.value(1).toString();
            request.address = query.value(2).toString();
            request.port = query.value(3).toInt();
            request.model = query.value(4).toString();
            request.sysName = optionalText(query.value(5));
            request.version = query.value(6).toString();
            request.user = optionalText(query.value(7));
            request.source = query.value(8).toString();
            request.outcome = query.value(9).toString();
            request.errorStatus = optionalInt(query.value(10));
            request.errorIndex = optionalInt(query.value(11));
            result.push_back(std::move(request));
        }
        if (query.value(12).isNull())
            continue; // a request without bindings
        result.back().bindings.push_back({query.value(12).toString(), query.value(13).toString(), query.value(14).toString(),
                                          query.value(15).toString(), optionalText(query.value(16))});
    }
    return result;
}

qint64 Reader::count(const Filter& filter)
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!ready() || !db.isOpen())
        return 0;
    const Condition condition = conditionOf(filter);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT count(*) FROM requests") + condition.sql);
    for (const QVariant& value : condition.values)
        query.addBindValue(value);
    if (!query.exec() || !query.next()) {
        m_error = QStringLiteral("The change journal %1 cannot be read: %2").arg(m_path, query.lastError().text());
        return 0;
    }
    return query.value(0).toLongLong();
}

std::vector<SwitchEntry> Reader::switches()
{
    std::vector<SwitchEntry> result;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!ready() || !db.isOpen())
        return result;
    // The latest request written for each address names its model and sysName.
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT address, model, sys_name FROM requests"
                                   " WHERE id IN (SELECT max(id) FROM requests GROUP BY address) ORDER BY address"))) {
        m_error = QStringLiteral("The change journal %1 cannot be read: %2").arg(m_path, query.lastError().text());
        return result;
    }
    while (query.next())
        result.push_back({query.value(0).toString(), query.value(1).toString(), optionalText(query.value(2))});
    return result;
}

QString localTime(const QString& storedTime)
{
    const QDateTime time = QDateTime::fromString(storedTime, Qt::ISODateWithMs);
    if (!time.isValid())
        return storedTime;
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString addressWithPort(const Request& request)
{
    const QString host = request.address.contains(QLatin1Char(':')) ? QLatin1Char('[') + request.address + QLatin1Char(']')
                                                                     : request.address;
    return host + QLatin1Char(':') + QString::number(request.port);
}

QString switchText(const SwitchEntry& entry)
{
    QStringList parts{entry.address};
    if (!entry.model.isEmpty())
        parts << entry.model;
    if (entry.sysName && !entry.sysName->isEmpty())
        parts << *entry.sysName;
    return parts.join(QLatin1String("  "));
}

QString outcomeText(const Request& request)
{
    if (request.outcome == QLatin1String(kOutcomeSent))
        return QStringLiteral("sent, no answer recorded");
    if (request.outcome != QLatin1String(kOutcomeError) || !request.errorStatus)
        return request.outcome;
    QString text = QStringLiteral("error: %1 (%2)").arg(errorStatusName(*request.errorStatus)).arg(*request.errorStatus);
    if (request.errorIndex && *request.errorIndex > 0)
        text += QStringLiteral(", binding %1").arg(*request.errorIndex);
    return text;
}

QString csvOf(const std::vector<Request>& requests)
{
    QString csv = csvLine({"time", "address", "port", "model", "sysName", "version", "user", "source", "outcome", "error status",
                           "error index", "OID", "name", "value", "previous"});
    for (const Request& r : requests) {
        const QStringList columns{r.time,    r.address, QString::number(r.port), r.model, r.sysName.value_or(QString()),
                                  r.version, r.user.value_or(QString()), r.source, r.outcome, numberOrEmpty(r.errorStatus),
                                  numberOrEmpty(r.errorIndex)};
        if (r.bindings.empty())
            csv += csvLine(columns + QStringList(4, QString()));
        for (const Binding& b : r.bindings)
            csv += csvLine(columns + QStringList{b.oid, b.name, b.value, b.previous.value_or(QString())});
    }
    return csv;
}

QString listingOf(const std::vector<Request>& requests)
{
    QString text;
    for (const Request& r : requests) {
        if (!text.isEmpty())
            text += QLatin1Char('\n');
        text += QStringLiteral("%1  %2  %3\n").arg(r.time, r.source, outcomeText(r));
        SwitchEntry entry{addressWithPort(r), r.model, r.sysName};
        text += QStringLiteral("  switch: %1\n").arg(switchText(entry));
        text += QStringLiteral("  SNMP version %1%2\n").arg(r.version, r.user ? QStringLiteral(", user ") + *r.user : QString());
        for (const Binding& b : r.bindings) {
            text += QStringLiteral("    %1%2 = %3: %4").arg(b.oid, b.name.isEmpty() ? QString() : QStringLiteral(" (") + b.name + QLatin1Char(')'),
                                                         b.type, b.value);
            text += b.previous ? QStringLiteral(" (before: %1)\n").arg(*b.previous) : QStringLiteral("\n");
        }
    }
    return text;
}

} // namespace journal
