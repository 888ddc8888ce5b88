#include "journal/journal_schema.h"

#include <QDir>
#include <QStandardPaths>

#include <iterator>

namespace journal {

namespace {
const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS requests ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT,"
    " time TEXT NOT NULL,"
    " address TEXT NOT NULL,"
    " port INTEGER NOT NULL,"
    " model TEXT,"
    " sys_name TEXT,"
    " version TEXT NOT NULL,"
    " user_name TEXT,"
    " source TEXT NOT NULL,"
    " outcome TEXT NOT NULL,"
    " error_status INTEGER,"
    " error_index INTEGER,"
    " completed TEXT)",
    "CREATE TABLE IF NOT EXISTS bindings ("
    " request_id INTEGER NOT NULL REFERENCES requests(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " oid TEXT NOT NULL,"
    " name TEXT,"
    " type TEXT NOT NULL,"
    " value TEXT NOT NULL,"
    " previous TEXT,"
    " PRIMARY KEY (request_id, position))",
    "CREATE INDEX IF NOT EXISTS requests_by_switch ON requests(address, time)",
};
} // namespace

QString databasePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/qmx-module/changes.sqlite");
}

QString storedTime(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"));
}

const char* const* schemaStatements()
{
    return kSchema;
}

int schemaStatementCount()
{
    return static_cast<int>(std::size(kSchema));
}

} // namespace journal
