#include "dialogs/mib/system_information_dialog.h"
#include "dialogs/mib/table_view_dialog.h"
#include "dialogs/mib/table_view_rules.h"
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
        const int rows = dialog->list()->topLevelItemCount();
        SCOPED_TRACE(dialog->windowTitle().toStdString());
        EXPECT_TRUE(child<QPushButton>(*dialog, "refresh")->isEnabled() && (rows > 0 || open == &newTcpServiceDialog));
        for (const auto& [index, oid, convert] : columns) {
            const std::vector<std::string> shown = column(*dialog->list(), index);
            std::multiset<std::string> expected;
            for (const auto& [row, value] : walkColumn(oid))
                expected.insert(convert ? convert(value) : value);
            EXPECT_EQ(std::multiset(shown.begin(), shown.end()), expected) << "column " << index;
        }
        EXPECT_EQ(entries ? child<QLabel>(*dialog, "entries")->text().toInt() : rows, rows);
    }
}

TEST_F(MibViewsAgainstSnmpd, SystemInformationRefusesABadLocationThenWritesAndReadsBack)
{
    ScriptedPrompter prompter;
    const auto stored = [] { return get("1.3.6.1.2.1.1.5.0") + "|" + get("1.3.6.1.2.1.1.6.0"); }; // name, location
    const auto shown = [](const QDialog& d) { return (child<QLineEdit>(d, "name")->text() + "|" + child<QLineEdit>(d, "location")->text()).toStdString(); };
    const std::string before = stored(), written = "lab-caf\xC3\xA9|bay 12 (north)";
    {
        CSystemInformationDialog dialog;
        auto* runtime = child<QLabel>(dialog, "runtime");
        ASSERT_TRUE(waitUntil([&] { return !runtime->text().isEmpty(); }));
        EXPECT_EQ(std::tuple(shown(dialog), child<QLabel>(dialog, "description")->text().toStdString(), runtime->text().contains(" Hour "),
                             child<QLineEdit>(dialog, "name")->maxLength()), std::tuple(before, get("1.3.6.1.2.1.1.1.0"), true, 20));
        EXPECT_EQ(child<QLabel>(dialog, "description")->textFormat(), Qt::PlainText); // as every label of a switch's text
        child<QLineEdit>(dialog, "name")->setText(QString::fromUtf8("lab-caf\xC3\xA9"));
        for (const char* location : {"rack/4", "bay 12 (north)"}) {
            EXPECT_EQ(stored(), before) << "sent after the refusal";
            child<QLineEdit>(dialog, "location")->setText(location);
            dialog.apply();
        }
    }
    EXPECT_EQ(std::pair(prompter.texts(), stored()), std::pair(std::vector<std::string>{"Invalid System Location."}, written));
    CSystemInformationDialog again;
    EXPECT_TRUE(waitUntil([&] { return shown(again) == written; })) << shown(again);
}
