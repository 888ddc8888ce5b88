#include "app/change_log/change_log_command.h"

#include "journal/journal_schema.h"

#include <QCommandLineParser>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace app {
namespace {

std::string invalidValue(const std::string& option, const QString& value, const std::string& accepted)
{
    return "--" + option + ": invalid value \"" + value.toStdString() + "\"; accepted: " + accepted;
}

void print(const QString& text, std::FILE* stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
}

} // namespace

bool isChangeLogRequest(const std::vector<std::string>& words)
{
    return std::find(words.begin(), words.end(), "--change-log") != words.end();
}

bool isChangeLogWindowRequest(const std::vector<std::string>& words)
{
    return words.size() == 1 && words.front() == "--change-log-window";
}

std::optional<QDateTime> parseLocalDateTime(const QString& text)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:T(\\d{2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    auto number = [&match](int group) { return match.captured(group).isEmpty() ? 0 : match.captured(group).toInt(); };
    const QDate date(number(1), number(2), number(3));
    const QTime time(number(4), number(5), number(6));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

ChangeLogOptionsParse parseChangeLogOptions(const QStringList& arguments)
{
    ChangeLogOptionsParse result;
    QCommandLineParser parser;
    const QCommandLineOption changeLog(QStringLiteral("change-log"));
    const QCommandLineOption csv(QStringLiteral("csv"));
    const QCommandLineOption address(QStringLiteral("switch"), {}, QStringLiteral("ADDRESS"));
    const QCommandLineOption since(QStringLiteral("since"), {}, QStringLiteral("DATE"));
    parser.addOptions({changeLog, csv, address, since});
    if (!parser.parse(arguments)) {
        result.error = parser.errorText().toStdString();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.error = "usage: qmx-module --change-log [--switch ADDRESS] [--since DATE] [--csv]";
        return result;
    }
    ChangeLogOptions& options = result.options;
    options.csv = parser.isSet(csv);
    if (parser.isSet(address)) {
        options.filter.address = parser.value(address);
        if (options.filter.address.isEmpty()) {
            result.error = invalidValue("switch", options.filter.address, "the switch's address as the journal holds it");
            return result;
        }
    }
    if (parser.isSet(since)) {
        const QString value = parser.value(since);
        options.filter.since = parseLocalDateTime(value);
        if (!options.filter.since)
            result.error = invalidValue("since", value, "a date YYYY-MM-DD or a local time YYYY-MM-DDTHH:MM[:SS]");
    }
    return result;
}

int runChangeLog(const QStringList& arguments)
{
    const ChangeLogOptionsParse parsed = parseChangeLogOptions(arguments);
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "qmx-module: %s\n", parsed.error.c_str());
        return 2;
    }
    journal::Reader reader(journal::databasePath());
    const std::vector<journal::Request> requests = reader.requests(parsed.options.filter);
    if (!reader.error().isEmpty()) {
        print(QStringLiteral("qmx-module: ") + reader.error() + QLatin1Char('\n'), stderr);
        return 1;
    }
    if (parsed.options.csv)
        print(journal::csvOf(requests), stdout);
    else if (requests.empty())
        print(QStringLiteral("No request in the change journal (%1) matches.\n").arg(reader.path()), stdout);
    else
        print(journal::listingOf(requests), stdout);
    std::fflush(stdout);
    return 0;
}

} // namespace app
