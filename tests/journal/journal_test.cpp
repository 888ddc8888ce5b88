// What the change journal records of the module's sets: write sequences
// against the simulated switch in process, compared with the rows they leave;
// the wire alike with the journal on and off; a module killed mid-set.
#include "dialogs/device_tools.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "journal/journal_writer.h"
#include "sim/switch_agent.h"
#include "simulated_switch_fixture.h"
#include "snmp/set_journal.h"
#include "stub_window.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>

#include <csignal>
#include <functional>

namespace {

struct JournalRows {
    Texts requests; // address|port|model|sys_name|version|user_name|source|outcome|error_status|error_index
    Texts bindings; // <request>.<position> oid|name|type|value|previous
};

QString field(const QSqlQuery& query, int column)
{
    return query.isNull(column) ? QStringLiteral("NULL") : query.value(column).toString();
}

// The journal's rows whole; times only checked: present, in order, completed
// exactly when the outcome is known.
JournalRows readJournal(const QString& path)
{
    JournalRows rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
        db.setDatabaseName(path);
        db.open();
        QSqlQuery query(db);
        // Nothing while the tables are not there yet: compared whole, that fails.
        query.exec("SELECT address, port, model, sys_name, version, user_name, source, outcome, error_status,"
                   " error_index, time, completed, id FROM requests ORDER BY id");
        QString lastTime;
        std::map<qint64, int> order;
        while (query.next()) {
            QStringList fields;
            for (int column = 0; column < 10; ++column)
                fields << field(query, column);
            rows.requests.push_back(fields.join('|').toStdString());
            const QString time = query.value(10).toString(), completed = field(query, 11);
            EXPECT_TRUE(time.endsWith('Z') && time >= lastTime) << time.toStdString();
            EXPECT_EQ(completed == "NULL", query.value(7).toString() == "sent");
            EXPECT_TRUE(completed == "NULL" || completed >= time);
            lastTime = time;
            order[query.value(12).toLongLong()] = static_cast<int>(order.size());
        }
        query.exec("SELECT request_id, position, oid, name, type, value, previous FROM bindings ORDER BY request_id, position");
        while (query.next())
            rows.bindings.push_back(QStringLiteral("%1.%2 %3|%4|%5|%6|%7")
                                        .arg(order[query.value(0).toLongLong()])
                                        .arg(query.value(1).toInt())
                                        .arg(field(query, 2), field(query, 3), field(query, 4), field(query, 5), field(query, 6))
                                        .toStdString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("reader"));
    return rows;
}

// Every file of the journal's folder, as bytes.
QByteArray folderBytes(const QTemporaryDir& dir)
{
    QByteArray bytes;
    for (const QString& name : QDir(dir.path()).entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        bytes += file.readAll();
    }
    return bytes;
}

class ChangeJournal : public SimulatedSwitchTest<> {
protected:
    // Records while `sequence` runs, into the database at `path` (one of its
    // own by default); `notices` gets what the writer says.
    JournalRows record(const std::function<void()>& sequence, int maxRequests = 100, QString path = {},
                       Texts* notices = nullptr, bool opens = true)
    {
        path = path.isEmpty() ? m_dir.filePath("changes.sqlite") : path;
        auto writer = std::make_shared<journal::JournalWriter>(journal::WriterOptions{
            .path = path, .model = "QMX-7720-ZA", .maxRequests = maxRequests,
            .notice = [notices](const std::string& text) { notices ? notices->push_back(text) : void(); }});
        EXPECT_EQ(writer->waitOpened(std::chrono::seconds(5)), opens);
        snmp::setSetObserver(writer);
        sequence();
        snmp::setSetObserver(nullptr);
        writer.reset();
        return readJournal(path);
    }

    // One set of sysLocation on a session of the sequence.
    static void setLocation(const char* text)
    {
        dialogs::CDialogSession session("m_cCommonSNMP", std::make_shared<snmp::JournalContext>("Sequence"));
        EXPECT_EQ(session.exchange(snmp::kPduSet, {{"1.3.6.1.2.1.1.6.0", snmp::kTypeOctetString, text}}), snmp::kStatusOk);
    }

    // The STP dialog as a user applies a change: one set of six bindings.
    void applyStp()
    {
        dialogs::mib::CStpConfigurationDialog dialog(28);
        waitForWalk(dialog);
        fill(dialog, {{"maxAge", "2400"}, {"priority", "4096"}, {"version", "STP Compatible"}});
        dialog.apply();
        EXPECT_TRUE(waitForWrite(dialog));
    }

    QTemporaryDir m_dir;
};

const std::string kSequence = "Sequence";
const std::string kSysName = "1.3.6.1.2.1.1.5.0", kSysContact = "1.3.6.1.2.1.1.4.0", kSysLocation = "1.3.6.1.2.1.1.6.0";
const std::string kRadiusKey = "1.3.6.1.4.1.32473.10.75.7.11.1.2.0";
// A community table row's index spells its community ("secret").
const std::string kCommunityRow = "1.3.6.1.4.1.32473.10.75.7.25.5.1.1.3", kSecretArcs = ".6.115.101.99.114.101.116";

struct WriteSequenceRow {
    const char* what;
    sim::SwitchFaults faults;
    std::function<void()> run;
    JournalRows expected;
    int maxRequests = 100;
};

} // namespace

TEST_F(ChangeJournal, EachWriteSequenceLeavesItsRequestsBindingsAndOutcomesAndNoSecret)
{
    const std::string stp = "1.3.6.1.4.1.32473.10.75.7.6.1.";
    const WriteSequenceRow rows[] = {
        {"answered: a dialog's set, the values it had read before",
         {},
         [this] { applyStp(); },
         {{"192.0.2.10|161|QMX-7720-ZA|NULL|1|NULL| STP Configuration |answered|NULL|NULL"},
          {"0.0 1.3.6.1.2.1.17.2.12.0|bridge max age|INTEGER|2400|2000",
           "0.1 1.3.6.1.2.1.17.2.13.0|bridge hello time|INTEGER|200|200",
           "0.2 1.3.6.1.2.1.17.2.14.0|bridge forward delay|INTEGER|1500|1500",
           "0.3 1.3.6.1.2.1.17.2.2.0|bridge priority|INTEGER|4096|32768", "0.4 " + stp + "2.0|STP version|INTEGER|0|2",
           "0.5 " + stp + "1.0|STP state|INTEGER|1|1"}}},
        {"refused at the second request (version 3, the walker's set path, a secret written)",
         {.refusedSets = {{{1, 3, 6, 1, 2, 1, 1, 4, 0}, std::nullopt}}, .silentGets = {}, .answers = {}, .errorGets = {}},
         [] {
             snmp::SessionParameters v3 = snmp::sessionParameters();
             v3.version = "3", v3.userName = "journaluser", v3.securityLevel = "3", v3.authProtocol = "3",
             v3.privProtocol = "4", v3.authPassword = "authSecret-4711", v3.privPassword = "privSecret-4711";
             snmp::setSessionParameters(v3);
             dialogs::CDialogSession session("m_cCommonSNMP", std::make_shared<snmp::JournalContext>(kSequence));
             EXPECT_EQ(session.exchange(snmp::kPduGet, dialogs::nullBindings({kSysName, kSysLocation})), snmp::kStatusOk);
             EXPECT_EQ(session.exchange(snmp::kPduSet, {{kSysLocation, snmp::kTypeOctetString, "Rack\t2"}}), snmp::kStatusOk);
             EXPECT_EQ(session.exchangeByGetNext(snmp::kPduSet, {{kRadiusKey, snmp::kTypeOctetString, "radiusSecret-4711"},
                                                                 {kSysContact, snmp::kTypeOctetString, "ops"},
                                                                 {kCommunityRow + kSecretArcs, snmp::kTypeInteger, "6"}}),
                       snmp::kStatusFailed);
         },
         {{"192.0.2.10|161|QMX-7720-ZA|QMX-7720-ZA|3|journaluser|Sequence|answered|NULL|NULL",
           "192.0.2.10|161|QMX-7720-ZA|QMX-7720-ZA|3|journaluser|Sequence|error|5|2"},
          {"0.0 1.3.6.1.2.1.1.6.0|sysLocation|OCTET STRING|0x5261636b0932|",
           "1.0 " + kRadiusKey + "|RADIUS key|OCTET STRING|(not recorded)|NULL", "1.1 1.3.6.1.2.1.1.4.0|sysContact|OCTET STRING|ops|NULL",
           "1.2 " + kCommunityRow + ".(not recorded)|SNMP community row status|INTEGER|6|NULL"}}},
        {"silent: a reboot answered, the save after it unanswered",
         {},
         [this] {
             StubWindow window;
             prompter.answer(true);
             prompter.answer(true);
             dialogs::runReboot(window);
             ASSERT_TRUE(waitUntil([&] { return window.log.size() == 2; }));
             dialogs::runSaveConfiguration(window);
             ASSERT_TRUE(waitUntil([&] { return prompter.texts().size() == 3; }));
         },
         {{"192.0.2.10|161|QMX-7720-ZA|NULL|1|NULL|Reboot|answered|NULL|NULL",
           "192.0.2.10|161|QMX-7720-ZA|NULL|1|NULL|Save Configuration|no answer|NULL|NULL"},
          {"0.0 1.3.6.1.4.1.32473.10.75.7.1.9.0|reboot|INTEGER|1|NULL",
           "1.0 1.3.6.1.4.1.32473.10.75.7.1.10.0|save configuration|INTEGER|1|NULL"}}},
        {"answered beyond the size limit: the oldest request and its binding dropped",
         {},
         [] {
             for (const char* text : {"a", "b", "c"})
                 setLocation(text);
         },
         {{"192.0.2.10|161|QMX-7720-ZA|NULL|1|NULL|Sequence|answered|NULL|NULL",
           "192.0.2.10|161|QMX-7720-ZA|NULL|1|NULL|Sequence|answered|NULL|NULL"},
          {"0.0 1.3.6.1.2.1.1.6.0|sysLocation|OCTET STRING|b|NULL", "1.0 1.3.6.1.2.1.1.6.0|sysLocation|OCTET STRING|c|NULL"}},
         2},
    };
    for (const WriteSequenceRow& row : rows) {
        SCOPED_TRACE(row.what);
        m_dir.remove();
        m_dir = QTemporaryDir();
        startSwitch("QMX-7720-ZA", {.scenario = false, .faults = row.faults});
        const JournalRows written = record(row.run, row.maxRequests);
        EXPECT_EQ(written.requests, row.expected.requests);
        EXPECT_EQ(written.bindings, row.expected.bindings);
        const QByteArray bytes = folderBytes(m_dir);
        for (const char* secret : {"qevtal", "morvint", "authSecret-4711", "privSecret-4711", "radiusSecret-4711", "115.101.99.114.101.116"})
            EXPECT_FALSE(bytes.contains(secret)) << secret;
    }
}

// The journal adds nothing to the wire and changes nothing on it.
TEST_F(ChangeJournal, ADialogSendsTheSameRequestsWithTheJournalOnAndOff)
{
    std::vector<std::vector<snmp::Pdu>> wire;
    for (const bool on : {false, true}) {
        startSwitch("QMX-7720-ZA");
        m_transport->clearRequests();
        if (on)
            EXPECT_EQ(record([&] { applyStp(); }).requests.size(), 1u);
        else
            applyStp();
        wire.push_back(m_transport->requests());
    }
    const auto text = [](const std::vector<snmp::Pdu>& pdus) {
        Texts texts;
        for (const snmp::Pdu& pdu : pdus)
            texts.push_back(std::to_string(int(pdu.type)) + " #" + std::to_string(pdu.requestId) + " " + setText(pdu.bindings, ""));
        return texts;
    };
    EXPECT_GT(wire[0].size(), 1u);
    EXPECT_EQ(text(wire[1]), text(wire[0]));
}

// A module killed while its set waits on a switch that does not answer (the
// real snmpd ignores a wrong community) leaves the request "sent".
TEST(ChangeJournalKilled, AModuleKilledMidSetLeavesTheRequestSent)
{
    std::string error;
    const auto agent = sim::startSwitchAgent({.model = "QMX-7720-ZA", .requestLog = {}, .scenario = false, .modelDirectory = {}}, &error);
    ASSERT_TRUE(agent) << error;
    QTemporaryDir dir;
    const QString path = dir.filePath("changes.sqlite");
    QProcess child;
    child.start(QStringLiteral(QMX_JOURNAL_SET_CHILD), {path, QString::number(agent->port())});
    ASSERT_TRUE(child.waitForStarted());
    ASSERT_TRUE(waitUntil([&] { return QFile::exists(path) && readJournal(path).requests.size() == 1; }, 10000));
    ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
    ASSERT_TRUE(child.waitForFinished());
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    const JournalRows rows = readJournal(path);
    EXPECT_EQ(rows.requests, Texts{"127.0.0.1|" + std::to_string(agent->port()) + "|QMX-7720-ZA|NULL|2c|NULL||sent|NULL|NULL"});
    EXPECT_EQ(rows.bindings, Texts{"0.0 1.3.6.1.2.1.1.6.0|sysLocation|OCTET STRING|Killed mid-set|NULL"});
}

// Said once each: a journal that cannot be opened (the module goes on without
// it, the file untouched) and a damaged one, moved aside and started anew.
TEST_F(ChangeJournal, AJournalThatCannotBeOpenedIsSaidOnceAndADamagedOneIsMovedAside)
{
    const QByteArray garbage = QByteArray("not a database\n").repeated(300);
    struct Case {
        const char* what;
        std::function<QString(const QString& file)> prepare; // the journal's path
        const char* notice; // a pattern, @ for that path
        std::size_t recorded;
        QByteArray movedAside;
    };
    const auto write = [](const QString& file, const QByteArray& bytes) {
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
    };
    const Case cases[] = {
        {"no database", [&](const QString& file) { return write(file, garbage), file; },
         "The change journal @ was damaged \\(.+\\); it was moved to @\\.corrupt-\\d{8}T\\d{6} and a new journal was started\\.", 1,
         garbage},
        {"its folder a file", [&](const QString& file) { return write(file, "x"), file + "/x.sqlite"; },
         "The change journal could not be opened \\(@: its folder cannot be made\\)\\. Changes are not recorded\\.", 0, {}},
        {"another program's tables",
         [](const QString& file) {
             {
                 QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other");
                 other.setDatabaseName(file);
                 EXPECT_TRUE(other.open() && QSqlQuery(other).exec("CREATE TABLE requests (x)"));
             }
             QSqlDatabase::removeDatabase("other");
             return file;
         },
         "The change journal could not be opened \\(@: its tables are not the journal's: .+\\)\\. Changes are not recorded\\.", 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = c.prepare(dir.filePath("changes.sqlite"));
        Texts notices;
        EXPECT_EQ(record([] { setLocation("Lab"); }, 100, path, &notices, c.recorded > 0).requests.size(), c.recorded);
        ASSERT_EQ(notices.size(), 1u);
        const QString pattern = QString::fromLatin1(c.notice).replace("@", QRegularExpression::escape(path));
        EXPECT_TRUE(QRegularExpression("^" + pattern + "$").match(QString::fromStdString(notices[0])).hasMatch()) << notices[0];
        const QStringList aside = QDir(dir.path()).entryList({"changes.sqlite.corrupt-*"});
        QFile moved(dir.filePath(aside.value(0)));
        EXPECT_EQ(aside.isEmpty() ? QByteArray() : (moved.open(QIODevice::ReadOnly), moved.readAll()), c.movedAside);
    }
}
