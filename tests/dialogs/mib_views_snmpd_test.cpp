#include "debug_lines.h"
#include "dialogs/mib/system_information_dialog.h"
#include "dialogs/mib/table_view_dialog.h"
#include "dialogs/mib/table_view_rules.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "snmpd_agent.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dialogs::mib;

namespace {

class MibViewsAgainstSnmpd : public SnmpdAgent {};

const char* const kSysName = "1.3.6.1.2.1.1.5.0";
const char* const kSysLocation = "1.3.6.1.2.1.1.6.0";

} // namespace

// One table view: how it opens and which list columns show which walked column.
struct View {
    const char* name;
    std::unique_ptr<CTableViewDialog> (*open)();
    bool entries; // shows the row count
    std::vector<std::tuple<int, std::string, std::string (*)(std::string_view)>> columns;
};

class TableViewsAgainstSnmpd : public MibViewsAgainstSnmpd, public testing::WithParamInterface<View> {};

// snmpd itself listens on UDP and has interfaces and addresses: only the TCP table may be empty.
TEST_P(TableViewsAgainstSnmpd, ListMatchesSnmpwalk)
{
    const View& view = GetParam();
    std::vector<std::map<std::string, std::string>> walked;
    for (const auto& [index, oid, convert] : view.columns)
        walked.push_back(walkColumn(oid));
    // Read in bulk: the list of snmpwalk's get-next walk.
    snmp::SessionParameters parameters = snmp::sessionParameters();
    parameters.version = "2c";
    parameters.bulkReads = true;
    snmp::setSessionParameters(parameters);
    auto dialog = view.open();
    bool ended = false;
    QObject::connect(dialog.get(), &dialogs::CDialogBase::walkEnded, [&] { ended = true; });
    dialog->show();
    ASSERT_TRUE(waitUntil([&] { return ended; }));
    EXPECT_TRUE(dialog->findChild<QPushButton*>("refresh")->isEnabled());
    // Each column holds snmpwalk's values, converted, in any order (snmpwalk
    // orders rows by OID; the map orders indexes as text).
    for (std::size_t c = 0; c < walked.size(); ++c) {
        const auto& [index, oid, convert] = view.columns[c];
        std::vector<std::string> shown, expected;
        for (int i = 0; i < dialog->list()->topLevelItemCount(); ++i)
            shown.push_back(dialog->list()->topLevelItem(i)->text(index).toStdString());
        for (const auto& [row, value] : walked[c])
            expected.push_back(convert ? convert(value) : value);
        std::sort(shown.begin(), shown.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(shown, expected) << "column " << index;
    }
    if (view.entries) {
        EXPECT_EQ(dialog->findChild<QLabel*>("entries")->text().toInt(), static_cast<int>(walked[0].size()));
    }
    if (view.name != std::string("Tcp")) {
        EXPECT_FALSE(walked[0].empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, TableViewsAgainstSnmpd,
    testing::Values(View{"Interface", newInterfaceTableDialog, true,
                         {{0, "1.3.6.1.2.1.2.2.1.1", nullptr}, {1, "1.3.6.1.2.1.2.2.1.8", linkStatusText}, {2, "1.3.6.1.2.1.2.2.1.5", speedText}}},
                    View{"Ip", [] { return newIpTableDialog("127.0.0.1"); }, true, {{0, "1.3.6.1.2.1.4.20.1.1", nullptr}, {1, "1.3.6.1.2.1.4.20.1.3", nullptr}}},
                    View{"Tcp", newTcpServiceDialog, false, {{0, "1.3.6.1.2.1.6.13.1.3", nullptr}, {4, "1.3.6.1.2.1.6.13.1.1", tcpStateText}}},
                    View{"Udp", newUdpServiceDialog, false, {{0, "1.3.6.1.2.1.7.5.1.2", nullptr}, {1, "1.3.6.1.2.1.7.5.1.1", nullptr}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MibViewsAgainstSnmpd, SystemInformationRefusesABadLocationThenWritesAndReadsBack)
{
    EXPECT_EQ(newIpTableDialog("127.0.0.1")->windowTitle(), "IP Table : 127.0.0.1");
    ScriptedPrompter prompter;
    const std::string nameBefore = get(kSysName), locationBefore = get(kSysLocation);
    const QString name = QString::fromUtf8("lab-caf\xC3\xA9"), location = "bay 12 (north)";
    {
        CSystemInformationDialog dialog;
        auto* runtime = dialog.findChild<QLabel*>("runtime");
        ASSERT_TRUE(waitUntil([&] { return !runtime->text().isEmpty(); }));
        auto* nameEdit = dialog.findChild<QLineEdit*>("name");
        EXPECT_EQ(nameEdit->text().toStdString(), nameBefore);
        EXPECT_EQ(dialog.findChild<QLabel*>("description")->text().toStdString(), get("1.3.6.1.2.1.1.1.0"));
        EXPECT_NE(runtime->text().indexOf(" Hour "), -1);
        EXPECT_EQ(nameEdit->maxLength(), 20);

        nameEdit->setText(name);
        dialog.findChild<QLineEdit*>("location")->setText("rack/4");
        dialog.apply();
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Invalid System Location."});
        EXPECT_EQ(get(kSysName) + "|" + get(kSysLocation), nameBefore + "|" + locationBefore) << "sent after the refusal";
        prompter.clear();
        dialog.findChild<QLineEdit*>("location")->setText(location);
        dialog.apply();
        EXPECT_TRUE(prompter.shown().empty());
    }
    EXPECT_EQ(get(kSysName), name.toStdString());
    EXPECT_EQ(get(kSysLocation), location.toStdString());

    CSystemInformationDialog again;
    ASSERT_TRUE(waitUntil([&] { return !again.findChild<QLineEdit*>("name")->text().isEmpty(); }));
    EXPECT_EQ(again.findChild<QLineEdit*>("name")->text(), name);
    EXPECT_EQ(again.findChild<QLineEdit*>("location")->text(), location);
}

TEST_F(MibViewsAgainstSnmpd, DialogClosedMidWalkDropsLateRows)
{
    const std::vector<std::string> closeLines{"==================DestroyWindow===============",
                                              "==================m_cCommonSNMP.Close==============="};
    for (int round = 0; round < 100; ++round) {
        DebugLines lines;
        auto dialog = newInterfaceTableDialog();
        dialog->show();
        QTreeWidget* list = dialog->list();
        ASSERT_TRUE(waitUntil([&] { return list->topLevelItemCount() > 0; })) << "round " << round;
        const int rowsAtClose = list->topLevelItemCount();
        if (round % 2 == 0) {
            dialog->reject();
            settle(20);
            EXPECT_EQ(list->topLevelItemCount(), rowsAtClose) << "round " << round;
        }
        dialog.reset();
        settle(5);
        EXPECT_EQ(lines.banners(), closeLines) << "round " << round;
    }
}
