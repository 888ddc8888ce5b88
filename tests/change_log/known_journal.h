#pragma once

#include "journal/journal_schema.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

// A data folder ($XDG_DATA_HOME) whose change journal holds three requests to
// two switches, made by SQL following the schema.
class KnownJournal {
public:
    KnownJournal()
    {
        QDir(m_home.path()).mkpath("qmx-module");
        {
            QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "known-journal");
            db.setDatabaseName(databasePath());
            db.open();
            QSqlQuery query(db);
            for (int i = 0; i < journal::schemaStatementCount(); ++i)
                query.exec(journal::schemaStatements()[i]);
            for (const char* row : {
                     "INSERT INTO requests VALUES (1, '2026-12-07T16:30:00.000Z', '192.0.2.10', 161, 'QMX-7720-ZA', 'core-sw1', '3',"
                     " 'admin', 'Port Configuration', 'answered', NULL, NULL, '2026-12-07T16:30:00.020Z')",
                     "INSERT INTO bindings VALUES (1, 0, '1.3.6.1.2.1.2.2.1.7.5', 'ifAdminStatus.5', 'INTEGER', '2', '1')",
                     "INSERT INTO requests VALUES (2, '2026-12-08T07:59:59.999Z', '192.0.2.11', 1161, 'QMX-7740-ZP', NULL, '2c', NULL,"
                     " 'VLAN Configuration', 'error', 17, 2, '2026-12-08T08:00:00.010Z')",
                     "INSERT INTO bindings VALUES (2, 1, '1.3.6.1.4.1.99.2.20', NULL, 'INTEGER', '4', NULL)",
                     "INSERT INTO bindings VALUES (2, 0, '1.3.6.1.4.1.99.1.20', 'vlanName.20', 'OCTET STRING', 'lab, \"B\"' || char(10) || 'floor 2', 'lab')",
                     "INSERT INTO requests VALUES (3, '2026-12-08T08:00:00.000Z', '192.0.2.10', 161, 'QMX-7720-ZA', 'core-sw1', '3',"
                     " 'admin', 'Save Configuration', 'sent', NULL, NULL, NULL)",
                 })
                query.exec(row);
        }
        QSqlDatabase::removeDatabase("known-journal");
    }
    QString home() const { return m_home.path(); }
    QString databasePath() const { return m_home.filePath("qmx-module/changes.sqlite"); }

private:
    QTemporaryDir m_home;
};

// The CSV lines of the three requests, newest first.
inline constexpr char kCsvHeader[] =
    "time,address,port,model,sysName,version,user,source,outcome,error status,error index,OID,name,value,previous\r\n";
inline constexpr char kCsvSave[] = "2026-12-08T08:00:00.000Z,192.0.2.10,161,QMX-7720-ZA,core-sw1,3,admin,Save Configuration,sent,,,,,,\r\n";
inline constexpr char kCsvVlan[] =
    "2026-12-08T07:59:59.999Z,192.0.2.11,1161,QMX-7740-ZP,,2c,,VLAN Configuration,error,17,2,1.3.6.1.4.1.99.1.20,vlanName.20,"
    "\"lab, \"\"B\"\"\nfloor 2\",lab\r\n"
    "2026-12-08T07:59:59.999Z,192.0.2.11,1161,QMX-7740-ZP,,2c,,VLAN Configuration,error,17,2,1.3.6.1.4.1.99.2.20,,4,\r\n";
inline constexpr char kCsvPort[] =
    "2026-12-07T16:30:00.000Z,192.0.2.10,161,QMX-7720-ZA,core-sw1,3,admin,Port Configuration,answered,,,1.3.6.1.2.1.2.2.1.7.5,ifAdminStatus.5,2,1\r\n";
