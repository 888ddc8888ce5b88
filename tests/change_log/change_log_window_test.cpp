// The Change Log window offscreen over a journal made by SQL: the filters
// narrow the list, the bindings follow the current row, Export writes the
// filter's rows, the settings boxes write what they show.
#include "app/change_log/change_log_window.h"
#include "known_journal.h"
#include "support/widget_lookup.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QKeyEvent>

using Rows = std::vector<std::vector<std::string>>;

namespace {

// Switch, source and outcome of every listed request (the time is local).
Rows requestRows(const QTreeWidget& list)
{
    Rows rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        std::vector<std::string> texts = row(list, i);
        rows.push_back({texts.begin() + 1, texts.end()});
    }
    return rows;
}

Rows allRows(const QTreeWidget& list)
{
    Rows rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        rows.push_back(row(list, i));
    return rows;
}

} // namespace

TEST(ChangeLogWindow, FiltersNarrowTheListAndTheBindingsFollowTheCurrentRow)
{
    const KnownJournal journal;
    QTemporaryDir folder;
    const QString settingsFile = folder.filePath("settings.conf");
    const QString exportFile = folder.filePath("export.csv");
    app::ChangeLogWindow window({journal.databasePath(),
                                 [settingsFile] { return std::make_unique<QSettings>(settingsFile, QSettings::IniFormat); },
                                 [exportFile](QWidget*) { return exportFile; }});
    window.show();
    auto& requests = *child<QTreeWidget>(window, "requests");
    auto& bindings = *child<QTreeWidget>(window, "bindings");
    auto& switches = *child<QComboBox>(window, "switch");
    const std::string save[] = {"192.0.2.10:161  QMX-7720-ZA  core-sw1", "Save Configuration", "sent, no answer recorded"};
    const std::string vlan[] = {"192.0.2.11:1161  QMX-7740-ZP", "VLAN Configuration", "error: notWritable (17), binding 2"};
    const std::string port[] = {"192.0.2.10:161  QMX-7720-ZA  core-sw1", "Port Configuration", "answered"};
    auto rowsOf = [](std::initializer_list<const std::string*> chosen) {
        Rows rows;
        for (const std::string* texts : chosen)
            rows.push_back({texts, texts + 3});
        return rows;
    };
    EXPECT_EQ(requestRows(requests), rowsOf({save, vlan, port}));
    EXPECT_EQ(std::vector<QString>({switches.itemText(0), switches.itemText(1), switches.itemText(2)}),
              std::vector<QString>({"All switches", "192.0.2.10  QMX-7720-ZA  core-sw1", "192.0.2.11  QMX-7740-ZP"}));

    // Down the list by keyboard: the bindings and outcome of each request in turn.
    requests.setFocus();
    const std::tuple<Rows, std::string> expected[] = {
        {Rows{}, "Outcome: sent, no answer recorded    SNMP version 3, user admin"},
        {Rows{{"1.3.6.1.4.1.99.1.20", "vlanName.20", "lab, \"B\"\nfloor 2", "lab"}, {"1.3.6.1.4.1.99.2.20", "", "4", ""}},
         "Outcome: error: notWritable (17), binding 2    SNMP version 2c"},
        {Rows{{"1.3.6.1.2.1.2.2.1.7.5", "ifAdminStatus.5", "2", "1"}}, "Outcome: answered    SNMP version 3, user admin"},
    };
    for (const auto& [rows, outcome] : expected) {
        EXPECT_EQ(std::tuple(allRows(bindings), child<QLabel>(window, "outcome")->text().toStdString()), std::tuple(rows, outcome));
        QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
        QApplication::sendEvent(&requests, &down);
    }

    switches.setCurrentIndex(switches.findData("192.0.2.10"));
    EXPECT_EQ(requestRows(requests), rowsOf({save, port}));
    child<QCheckBox>(window, "allTime")->setChecked(false);
    child<QDateTimeEdit>(window, "since")->setDateTime(QDateTime::fromString("2026-12-07T16:31:00Z", Qt::ISODate).toLocalTime());
    EXPECT_EQ(requestRows(requests), rowsOf({save}));
    switches.setCurrentIndex(0);
    EXPECT_EQ(requestRows(requests), rowsOf({save, vlan}));

    child<QPushButton>(window, "export")->click();
    QFile exported(exportFile);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(exported.readAll()), QString(kCsvHeader) + kCsvSave + kCsvVlan);

    child<QCheckBox>(window, "journalEnabled")->setChecked(false);
    child<QSpinBox>(window, "maxRequests")->setValue(500);
    const QSettings settings(settingsFile, QSettings::IniFormat);
    EXPECT_EQ(std::pair(settings.value(journal::kEnabledKey).toBool(), settings.value(journal::kMaxRequestsKey).toInt()), std::pair(false, 500));
}
