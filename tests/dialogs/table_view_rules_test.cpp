#include "dialogs/mib/table_view_rules.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::mib;

TEST(TableViewRules, InterfaceSpeedAndLinkStatus)
{
    EXPECT_EQ(speedText("1000000000"), "1000M");
    EXPECT_EQ(speedText("100000000"), "100M");
    EXPECT_EQ(speedText("10000"), "0M");
    EXPECT_EQ(speedText("4294967295"), "4294M");
    EXPECT_EQ(linkStatusText("1"), "Connected");
    EXPECT_EQ(linkStatusText("2"), "UnConnected");
    EXPECT_EQ(linkStatusText("3"), "Test");
    EXPECT_EQ(linkStatusText("7"), "Unknown");
    EXPECT_EQ(linkStatusText("12"), "Unknown");
    const TableView view = interfaceTableView();
    EXPECT_EQ(view.rowTexts({{"5", "2", "1000000000"}, ".5"}), (std::vector<std::string>{"5", "UnConnected", "1000M"}));
}

TEST(TableViewRules, ForwardingMacFromIndexWhateverTheVlan)
{
    EXPECT_EQ(fdbMacText(".1.0.0.94.0.83.1"), "00-00-5E-00-53-01");
    EXPECT_EQ(fdbMacText(".4094.0.0.94.0.83.1"), "00-00-5E-00-53-01");
    EXPECT_EQ(fdbMacText(".1.255.255.255.255.255.255"), "FF-FF-FF-FF-FF-FF");
    EXPECT_EQ(fdbMacText(".1.0.0.94.0.83"), "");
    EXPECT_EQ(fdbMacText(""), "");
    EXPECT_EQ(fdbMacText(".1..0.94.0.83.1"), "");
    const TableView view = forwardingTableView();
    EXPECT_EQ(view.rowTexts({{"3", "7"}, ".20.0.0.94.0.83.1"}), (std::vector<std::string>{"00-00-5E-00-53-01", "Learn", "7"}));
}

TEST(TableViewRules, ForwardingStatusByFirstCharacter)
{
    EXPECT_EQ(fdbStatusText("1"), "Other");
    EXPECT_EQ(fdbStatusText("5"), "Static");
    EXPECT_EQ(fdbStatusText("3x"), "Learn");
    EXPECT_EQ(fdbStatusText("6"), "6");
    EXPECT_EQ(fdbStatusText(""), "");
}

TEST(TableViewRules, PortFilterIsExactText)
{
    const auto row = [](std::string port) { return WalkRow{{"3", std::move(port)}, ".1.0.0.0.0.0.1"}; };
    EXPECT_TRUE(fdbRowPasses(row("5"), "5"));
    EXPECT_FALSE(fdbRowPasses(row("15"), "5"));
    EXPECT_FALSE(fdbRowPasses(row("05"), "5"));
    EXPECT_FALSE(fdbRowPasses(row("5"), "05"));
    EXPECT_TRUE(fdbRowPasses(row("15"), ""));
}

TEST(TableViewRules, TcpStates)
{
    EXPECT_EQ(tcpStateText("1"), "closed");
    EXPECT_EQ(tcpStateText("2"), "listen");
    EXPECT_EQ(tcpStateText("5"), "established");
    EXPECT_EQ(tcpStateText("12"), "deleteTCB");
    EXPECT_EQ(tcpStateText("13"), "closed");
    EXPECT_EQ(tcpStateText(""), "closed");
    const TableView view = tcpServiceView();
    EXPECT_EQ(view.rowTexts({{"22", "0.0.0.0", "0.0.0.0", "0", "2"}, ""}),
              (std::vector<std::string>{"22", "0.0.0.0", "0.0.0.0", "0", "listen"}));
    // A short answer fills only the first columns.
    EXPECT_EQ(view.rowTexts({{"22", "0.0.0.0"}, ""}), (std::vector<std::string>{"22", "0.0.0.0"}));
}

TEST(TableViewRules, ColumnsAndWalksAgree)
{
    for (const TableView& view : {interfaceTableView(), ipTableView("192.0.2.1"), forwardingTableView(), tcpServiceView(),
                                  udpServiceView()}) {
        EXPECT_EQ(view.headers.size(), view.rowTexts({std::vector<std::string>(view.walk.oids.size(), "1"), ".1.0.0.0.0.0.1"}).size())
            << view.title;
    }
    EXPECT_EQ(ipTableView("192.0.2.1").title, "IP Table : 192.0.2.1");
    EXPECT_EQ(interfaceTableView().headers[1], " Link Status            ");
    EXPECT_EQ(forwardingTableView().initialEntries, " 0");
}
