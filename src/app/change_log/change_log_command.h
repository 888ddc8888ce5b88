#pragma once

#include "journal/journal_reader.h"

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

// qmx-module --change-log [--switch ADDRESS] [--since DATE] [--csv]: the
// change journal on standard output, for scripts, without a display.
namespace app {

// Any word "--change-log" makes the start this command.
bool isChangeLogRequest(const std::vector<std::string>& words);
// "--change-log-window" alone: the Change Log window by itself.
bool isChangeLogWindowRequest(const std::vector<std::string>& words);

// "YYYY-MM-DD" (midnight) or "YYYY-MM-DDTHH:MM[:SS]", local time, read
// without the locale; nothing when the text is neither or no such date.
std::optional<QDateTime> parseLocalDateTime(const QString& text);

struct ChangeLogOptions {
    journal::Filter filter;
    bool csv = false;
};

struct ChangeLogOptionsParse {
    std::string error; // "" when parsed
    ChangeLogOptions options;
};

// `arguments` as QCoreApplication::arguments() gives them: program first.
ChangeLogOptionsParse parseChangeLogOptions(const QStringList& arguments);

// Parses, reads the journal and prints; the exit status (2 a bad option, 1
// a journal that cannot be read). Needs a QCoreApplication.
int runChangeLog(const QStringList& arguments);

} // namespace app
