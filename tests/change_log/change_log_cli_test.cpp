// qmx-module --change-log as a child process, without a display, against a
// journal made by SQL: the whole output, standard error and exit status.
#include "known_journal.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>

namespace {

struct ModuleRun {
    QString out;
    QString error;
    int status = -1;
};

ModuleRun runModule(const QString& dataHome, const QStringList& arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    environment.insert("XDG_DATA_HOME", dataHome);
    environment.insert("TZ", "CET-1"); // --since is local time: UTC+1, no time zone file needed
    QProcess module;
    module.setProcessEnvironment(environment);
    module.start(QMX_MODULE_BINARY, QStringList{"--change-log"} + arguments);
    if (!module.waitForFinished(20000) || module.exitStatus() != QProcess::NormalExit)
        return {};
    return {QString::fromUtf8(module.readAllStandardOutput()), QString::fromUtf8(module.readAllStandardError()), module.exitCode()};
}

} // namespace

TEST(ChangeLogCommand, PrintsTheFilteredJournalWithoutADisplay)
{
    const KnownJournal journal;
    QTemporaryDir corrupt;
    QDir(corrupt.path()).mkpath("qmx-module");
    QFile garbage(corrupt.filePath("qmx-module/changes.sqlite"));
    garbage.open(QIODevice::WriteOnly);
    garbage.write(QByteArray(4096, 'x'));
    garbage.close();
    const QString header = kCsvHeader;
    const QString invalidSince = "qmx-module: --since: invalid value \"%1\"; accepted: a date YYYY-MM-DD or a local time YYYY-MM-DDTHH:MM[:SS]\n";
    const std::tuple<QString, QStringList, QString, QString, int> cases[] = { // data home, arguments, out, error, status
        {journal.home(), {"--csv"}, header + kCsvSave + kCsvVlan + kCsvPort, "", 0},
        {journal.home(), {"--csv", "--switch", "192.0.2.10"}, header + kCsvSave + kCsvPort, "", 0},
        // 09:00 at UTC+1 is 08:00Z: the request a millisecond before stays out.
        {journal.home(), {"--csv", "--since", "2026-12-08T09:00"}, header + kCsvSave, "", 0},
        {journal.home(), {"--since", "2026-12-08", "--csv", "--switch", "192.0.2.11"}, header + kCsvVlan, "", 0},
        {journal.home(), {"--csv", "--switch", "192.0.2.99"}, header, "", 0},
        {journal.home(), {"--since", "2026-12-08T07:59:59"},
         "2026-12-08T08:00:00.000Z  Save Configuration  sent, no answer recorded\n"
         "  switch: 192.0.2.10:161  QMX-7720-ZA  core-sw1\n"
         "  SNMP version 3, user admin\n"
         "\n"
         "2026-12-08T07:59:59.999Z  VLAN Configuration  error: notWritable (17), binding 2\n"
         "  switch: 192.0.2.11:1161  QMX-7740-ZP\n"
         "  SNMP version 2c\n"
         "    1.3.6.1.4.1.99.1.20 (vlanName.20) = OCTET STRING: lab, \"B\"\nfloor 2 (before: lab)\n"
         "    1.3.6.1.4.1.99.2.20 = INTEGER: 4\n",
         "", 0},
        {journal.home(), {"--since", "2026-02-30"}, "", invalidSince.arg("2026-02-30"), 2},
        {journal.home(), {"--since", "08.12.2026"}, "", invalidSince.arg("08.12.2026"), 2},
        {journal.home(), {"--since", "2026-12-08 09:00"}, "", invalidSince.arg("2026-12-08 09:00"), 2},
        {journal.home() + "/nothing-yet", {"--csv"}, header, "", 0},
        {corrupt.path(), {"--csv"}, "",
         "qmx-module: The change journal " + corrupt.filePath("qmx-module/changes.sqlite") +
             " cannot be read: file is not a database Unable to execute statement\n",
         1},
    };
    for (const auto& [home, arguments, out, error, status] : cases) {
        const ModuleRun run = runModule(home, arguments);
        EXPECT_EQ(std::tuple(run.out.toStdString(), run.error.toStdString(), run.status),
                  std::tuple(out.toStdString(), error.toStdString(), status)) << arguments.join(' ').toStdString();
    }
}
