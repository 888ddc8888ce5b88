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

class MibViewsAgainstSnmpd : public SnmpdAgent {
protected:
    // Shows the dialog and waits for its first walk to end.
    static void runFirstWalk(CTableViewDialog& dialog)
    {
        bool ended = false;
        QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, [&] { ended = true; });
        dialog.show();
        ASSERT_TRUE(waitUntil([&] { return ended; }));
        EXPECT_TRUE(dialog.findChild<QPushButton*>("refresh")->isEnabled());
    }

    static std::vector<std::string> column(const QTreeWidget& list, int index)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            texts.push_back(list.topLevelItem(i)->text(index).toStdString());
        return texts;
    }

    template <typename Convert>
    static std::vector<std::string> expected(const std::map<std::string, std::string>& walked, Convert convert)
    {
        std::vector<std::string> texts;
        for (const auto& [index, value] : walked)
            texts.push_back(convert(value));
        return texts;
    }

    // snmpwalk orders rows by OID; the map orders indexes as text.
    static std::vector<std::string> sorted(std::vector<std::string> texts)
    {
        std::sort(texts.begin(), texts.end());
        return texts;
    }
};

std::string same(const std::string& value)
{
    return value;
}

} // namespace

TEST_F(MibViewsAgainstSnmpd, InterfaceTableMatchesSnmpwalk)
{
    const auto indexes = walkColumn("1.3.6.1.2.1.2.2.1.1");
    const auto states = walkColumn("1.3.6.1.2.1.2.2.1.8");
    const auto speeds = walkColumn("1.3.6.1.2.1.2.2.1.5");
    ASSERT_FALSE(indexes.empty());

    auto dialog = newInterfaceTableDialog();
    runFirstWalk(*dialog);
    const QTreeWidget& list = *dialog->list();
    EXPECT_EQ(sorted(column(list, 0)), sorted(expected(indexes, same)));
    EXPECT_EQ(sorted(column(list, 1)), sorted(expected(states, [](const std::string& v) { return linkStatusText(v); })));
    EXPECT_EQ(sorted(column(list, 2)), sorted(expected(speeds, [](const std::string& v) { return speedText(v); })));
    EXPECT_EQ(dialog->findChild<QLabel*>("entries")->text().toInt(), static_cast<int>(indexes.size()));
    EXPECT_EQ(list.headerItem()->text(2).toStdString(), " Speed(b/s)                     ");
}

TEST_F(MibViewsAgainstSnmpd, IpTableMatchesSnmpwalk)
{
    const auto addresses = walkColumn("1.3.6.1.2.1.4.20.1.1");
    const auto masks = walkColumn("1.3.6.1.2.1.4.20.1.3");
    ASSERT_FALSE(addresses.empty());
    auto dialog = newIpTableDialog("127.0.0.1");
    EXPECT_EQ(dialog->windowTitle(), "IP Table : 127.0.0.1");
    runFirstWalk(*dialog);
    EXPECT_EQ(sorted(column(*dialog->list(), 0)), sorted(expected(addresses, same)));
    EXPECT_EQ(sorted(column(*dialog->list(), 1)), sorted(expected(masks, same)));
}

TEST_F(MibViewsAgainstSnmpd, TcpAndUdpViewsMatchSnmpwalk)
{
    const auto localPorts = walkColumn("1.3.6.1.2.1.6.13.1.3");
    const auto states = walkColumn("1.3.6.1.2.1.6.13.1.1");
    auto tcp = newTcpServiceDialog();
    runFirstWalk(*tcp);
    EXPECT_EQ(sorted(column(*tcp->list(), 0)), sorted(expected(localPorts, same)));
    EXPECT_EQ(sorted(column(*tcp->list(), 4)), sorted(expected(states, [](const std::string& v) { return tcpStateText(v); })));

    // snmpd itself listens on UDP: the table is never empty here.
    const auto udpPorts = walkColumn("1.3.6.1.2.1.7.5.1.2");
    const auto udpAddresses = walkColumn("1.3.6.1.2.1.7.5.1.1");
    ASSERT_FALSE(udpPorts.empty());
    auto udp = newUdpServiceDialog();
    runFirstWalk(*udp);
    EXPECT_EQ(sorted(column(*udp->list(), 0)), sorted(expected(udpPorts, same)));
    EXPECT_EQ(sorted(column(*udp->list(), 1)), sorted(expected(udpAddresses, same)));
}

TEST_F(MibViewsAgainstSnmpd, SystemInformationWritesAndReadsBack)
{
    ScriptedPrompter prompter;
    {
        CSystemInformationDialog dialog;
        auto* name = dialog.findChild<QLineEdit*>("name");
        auto* location = dialog.findChild<QLineEdit*>("location");
        auto* runtime = dialog.findChild<QLabel*>("runtime");
        ASSERT_TRUE(waitUntil([&] { return !runtime->text().isEmpty(); }));
        EXPECT_EQ(name->text().toStdString(), get("1.3.6.1.2.1.1.5.0"));
        EXPECT_EQ(dialog.findChild<QLabel*>("description")->text().toStdString(), get("1.3.6.1.2.1.1.1.0"));
        EXPECT_NE(runtime->text().indexOf(" Hour "), -1);
        EXPECT_EQ(name->maxLength(), 20);

        name->setText(QString::fromUtf8("lab-caf\xC3\xA9"));
        location->setText("bay 12 (north)");
        dialog.apply();
        EXPECT_TRUE(prompter.shown().empty());
    }
    EXPECT_EQ(get("1.3.6.1.2.1.1.5.0"), "lab-caf\xC3\xA9");
    EXPECT_EQ(get("1.3.6.1.2.1.1.6.0"), "bay 12 (north)");

    CSystemInformationDialog again;
    auto* name = again.findChild<QLineEdit*>("name");
    ASSERT_TRUE(waitUntil([&] { return !name->text().isEmpty(); }));
    EXPECT_EQ(name->text(), QString::fromUtf8("lab-caf\xC3\xA9"));
    EXPECT_EQ(again.findChild<QLineEdit*>("location")->text(), "bay 12 (north)");
}

TEST_F(MibViewsAgainstSnmpd, SystemInformationRefusesBadLocationAndSendsNothing)
{
    ScriptedPrompter prompter;
    const std::string nameBefore = get("1.3.6.1.2.1.1.5.0");
    const std::string before = get("1.3.6.1.2.1.1.6.0");
    CSystemInformationDialog dialog;
    auto* location = dialog.findChild<QLineEdit*>("location");
    ASSERT_TRUE(waitUntil([&] { return !dialog.findChild<QLabel*>("runtime")->text().isEmpty(); }));
    dialog.findChild<QLineEdit*>("name")->setText("core-" + QString::number(nameBefore.size()));
    location->setText("rack/4");
    dialog.apply();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Invalid System Location."});
    EXPECT_EQ(get("1.3.6.1.2.1.1.6.0"), before);
    EXPECT_EQ(get("1.3.6.1.2.1.1.5.0"), nameBefore);
}

TEST_F(MibViewsAgainstSnmpd, DialogClosedMidWalkDropsLateRows)
{
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
        const std::vector<std::string> expectedLines{"==================DestroyWindow===============",
                                                     "==================m_cCommonSNMP.Close==============="};
        EXPECT_EQ(lines.banners(), expectedLines) << "round " << round;
    }
}
