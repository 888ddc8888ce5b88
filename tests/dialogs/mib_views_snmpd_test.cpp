#include "dialogs/mib/system_information_dialog.h"
#include "dialogs/mib/table_view_dialog.h"
#include "dialogs/mib/table_view_rules.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "snmpd_agent.h"
#include "walk_ends.h"
#include "widget_lookup.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

using namespace dialogs::mib;

class MibViewsAgainstSnmpd : public SnmpdAgent {};

// Read in bulk, each list column holds snmpwalk's values of its column,
// converted, in any order (snmpwalk orders rows by OID, its map indexes as
// text). snmpd listens on UDP and has interfaces and addresses: only the TCP
// table may be empty.
TEST_F(MibViewsAgainstSnmpd, TableViewsListWhatSnmpwalkReads)
{
    EXPECT_EQ(newIpTableDialog("127.0.0.1")->windowTitle(), "IP Table : 127.0.0.1");
    using Column = std::tuple<int, std::string, std::string (*)(std::string_view)>;
    const std::tuple<std::unique_ptr<CTableViewDialog> (*)(), bool, std::vector<Column>> views[] = {
        {newInterfaceTableDialog, true,
         {{0, "1.3.6.1.2.1.2.2.1.1", nullptr}, {1, "1.3.6.1.2.1.2.2.1.8", linkStatusText}, {2, "1.3.6.1.2.1.2.2.1.5", speedText}}},
        {[] { return newIpTableDialog("127.0.0.1"); }, true, {{0, "1.3.6.1.2.1.4.20.1.1", nullptr}, {1, "1.3.6.1.2.1.4.20.1.3", nullptr}}},
        {newTcpServiceDialog, false, {{0, "1.3.6.1.2.1.6.13.1.3", nullptr}, {4, "1.3.6.1.2.1.6.13.1.1", tcpStateText}}},
        {newUdpServiceDialog, false, {{0, "1.3.6.1.2.1.7.5.1.2", nullptr}, {1, "1.3.6.1.2.1.7.5.1.1", nullptr}}}};
    snmp::SessionParameters parameters = snmp::sessionParameters();
    parameters.version = "2c";
    parameters.bulkReads = true;
    snmp::setSessionParameters(parameters);
    for (const auto& [open, entries, columns] : views) {
        auto dialog = open();
        WalkEnds ends(*dialog);
        dialog->show();
        ends.wait(1);
        const QTreeWidget& list = *dialog->list();
        const int rows = list.topLevelItemCount();
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        EXPECT_TRUE(dialog->findChild<QPushButton*>("refresh")->isEnabled());
        EXPECT_TRUE(rows > 0 || open == &newTcpServiceDialog);
        for (const auto& [index, oid, convert] : columns) {
            std::multiset<std::string> shown, expected;
            for (int i = 0; i < rows; ++i)
                shown.insert(list.topLevelItem(i)->text(index).toStdString());
            for (const auto& [row, value] : walkColumn(oid))
                expected.insert(convert ? convert(value) : value);
            EXPECT_EQ(shown, expected) << "column " << index;
        }
        EXPECT_EQ(entries ? child<QLabel>(*dialog, "entries")->text().toInt() : rows, rows);
    }
}

TEST_F(MibViewsAgainstSnmpd, SystemInformationRefusesABadLocationThenWritesAndReadsBack)
{
    ScriptedPrompter prompter;
    const auto stored = [] { return get("1.3.6.1.2.1.1.5.0") + "|" + get("1.3.6.1.2.1.1.6.0"); }; // name, location
    const std::string before = stored();
    const QString name = QString::fromUtf8("lab-caf\xC3\xA9"), location = "bay 12 (north)";
    {
        CSystemInformationDialog dialog;
        auto* runtime = child<QLabel>(dialog, "runtime");
        ASSERT_TRUE(waitUntil([&] { return !runtime->text().isEmpty(); }));
        auto* nameEdit = child<QLineEdit>(dialog, "name");
        EXPECT_EQ(nameEdit->text().toStdString() + "|" + child<QLineEdit>(dialog, "location")->text().toStdString(), before);
        EXPECT_EQ(child<QLabel>(dialog, "description")->text().toStdString(), get("1.3.6.1.2.1.1.1.0"));
        EXPECT_NE(runtime->text().indexOf(" Hour "), -1);
        EXPECT_EQ(nameEdit->maxLength(), 20);

        nameEdit->setText(name);
        child<QLineEdit>(dialog, "location")->setText("rack/4");
        dialog.apply();
        EXPECT_EQ(stored(), before) << "sent after the refusal";
        child<QLineEdit>(dialog, "location")->setText(location);
        dialog.apply();
    }
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Invalid System Location."});
    EXPECT_EQ(stored(), (name + "|" + location).toStdString());

    CSystemInformationDialog again;
    ASSERT_TRUE(waitUntil([&] { return !child<QLineEdit>(again, "name")->text().isEmpty(); }));
    EXPECT_EQ(child<QLineEdit>(again, "name")->text() + "|" + child<QLineEdit>(again, "location")->text(), name + "|" + location);
}
