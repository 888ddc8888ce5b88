#pragma once

#include <QDateTime>
#include <QString>

// Where the change journal lives and how its tables are laid out. The writer
// and every reader (the Change Log window, `--change-log`) share this.
namespace journal {

// $XDG_DATA_HOME/qmx-module/changes.sqlite (~/.local/share when unset).
QString databasePath();

// The user's settings (app::moduleSettings()) that steer the journal.
inline constexpr char kEnabledKey[] = "changeJournal/enabled";          // bool, default true
inline constexpr char kMaxRequestsKey[] = "changeJournal/maxRequests";  // int, default below
inline constexpr int kDefaultMaxRequests = 100000;

// Outcome column values. A request is written "sent" before it goes out and
// completed when its outcome is known; a row left "sent" had no answer recorded.
inline constexpr char kOutcomeSent[] = "sent";
inline constexpr char kOutcomeAnswered[] = "answered";
inline constexpr char kOutcomeError[] = "error";
inline constexpr char kOutcomeNoAnswer[] = "no answer";

// A time as the tables keep it: UTC, "2026-12-08T07:25:34.123Z".
QString storedTime(const QDateTime& time);

// CREATE statements, in order; each is idempotent (IF NOT EXISTS).
//
// requests: id INTEGER PRIMARY KEY AUTOINCREMENT, time TEXT (UTC, ISO 8601 with
//   milliseconds, "2026-12-08T07:25:34.123Z"), address TEXT, port INTEGER,
//   model TEXT, sys_name TEXT (NULL when not read), version TEXT ("1", "2c", "3"),
//   user_name TEXT (version 3 only, else NULL), source TEXT (the dialog or command),
//   outcome TEXT (one of the kOutcome values), error_status INTEGER NULL,
//   error_index INTEGER NULL, completed TEXT NULL (time the outcome was known)
// bindings: request_id INTEGER REFERENCES requests(id) ON DELETE CASCADE,
//   position INTEGER (0-based), oid TEXT (dotted, no leading dot), name TEXT NULL,
//   type TEXT ("INTEGER", "OCTET STRING", "IpAddress", ...), value TEXT (as sent,
//   octets that are not printable as hex "0x..."), previous TEXT NULL (the value
//   the dialog had read for that OID, same form), PRIMARY KEY (request_id, position)
// Index: requests(address, time).
const char* const* schemaStatements();
int schemaStatementCount();

} // namespace journal
