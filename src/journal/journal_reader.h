#pragma once

#include <QDateTime>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// Reads the change journal (journal_schema.h) for the Change Log window and
// `--change-log`; never writes to it.
namespace journal {

struct Binding {
    QString oid;
    QString name;  // "" when the module did not know it
    QString type;
    QString value; // as sent
    std::optional<QString> previous; // the value the dialog had read, when it had
};

struct Request {
    qint64 id = 0;
    QString time; // UTC, ISO 8601, as stored
    QString address;
    int port = 0;
    QString model;
    std::optional<QString> sysName;
    QString version;
    std::optional<QString> user;
    QString source;
    QString outcome;
    std::optional<int> errorStatus;
    std::optional<int> errorIndex;
    std::vector<Binding> bindings; // in the request's order
};

// A switch the journal holds requests for, with its latest model and sysName.
struct SwitchEntry {
    QString address;
    QString model;
    std::optional<QString> sysName;
};

struct Filter {
    QString address;                // "" every switch
    std::optional<QDateTime> since; // inclusive
    std::optional<QDateTime> until; // inclusive
    int limit = 0;                  // newest `limit` requests; 0 all
};

class Reader {
public:
    // Opens `path` read-only. A missing file is an empty journal; a file that
    // cannot be read leaves error() saying why, and the reader empty.
    explicit Reader(const QString& path);
    ~Reader();
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    const QString& path() const { return m_path; }
    const QString& error() const { return m_error; }
    // False when there is no journal file yet.
    bool exists() const { return !m_connection.isEmpty(); }

    // Newest first. A failed query sets error().
    std::vector<Request> requests(const Filter& filter);
    // How many requests the filter matches, its limit aside.
    qint64 count(const Filter& filter);
    // Every switch recorded, by address.
    std::vector<SwitchEntry> switches();

private:
    bool ready() const { return !m_connection.isEmpty() && m_error.isEmpty(); }

    QString m_path;
    QString m_connection; // "" when there is no database to read
    QString m_error;
};

// "Switch: " texts and other display forms shared by the window and the CLI.
// The stored UTC time as local time, "2026-12-08 08:25:34"; the text as is when unreadable.
QString localTime(const QString& storedTime);
// "192.0.2.10:161"; "[2001:db8::1]:161" for IPv6.
QString addressWithPort(const Request& request);
// "192.0.2.10  QMX-7720-ZA  core-sw1" (sysName left out when not read).
QString switchText(const SwitchEntry& entry);
// "answered", "error: notWritable (17), binding 2", "no answer",
// "sent, no answer recorded".
QString outcomeText(const Request& request);

// RFC 4180: a header line, then a line per binding with the request's columns
// repeated (a request without bindings gives one line); CRLF line ends.
QString csvOf(const std::vector<Request>& requests);
// A block per request, its bindings indented; blank lines between blocks.
QString listingOf(const std::vector<Request>& requests);

} // namespace journal
