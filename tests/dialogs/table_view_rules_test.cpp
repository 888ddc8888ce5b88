#include "dialogs/mib/table_view_rules.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::mib;

using Texts = std::vector<std::string>;

TEST(TableViewRules, ValueTexts)
{
    const std::tuple<std::string (*)(std::string_view), const char*, const char*> cases[] = {
        {speedText, "1000000000", "1000M"}, {speedText, "100000000", "100M"}, {speedText, "10000", "0M"}, {speedText, "4294967295", "4294M"},
        {speedText, "zzz", "0M"},
        {linkStatusText, "1", "Connected"}, {linkStatusText, "2", "UnConnected"}, {linkStatusText, "3", "Test"},
        {linkStatusText, "7", "Unknown"}, {linkStatusText, "12", "Unknown"},
        // The forwarding status goes by its first character.
        {fdbStatusText, "1", "Other"}, {fdbStatusText, "5", "Static"}, {fdbStatusText, "3x", "Learn"}, {fdbStatusText, "6", "6"},
        {fdbStatusText, "", ""}, {tcpStateText, "1", "closed"}, {tcpStateText, "2", "listen"}, {tcpStateText, "5", "established"},
        {tcpStateText, "12", "deleteTCB"}, {tcpStateText, "13", "closed"}, {tcpStateText, "", "closed"},
        // The MAC comes from the index whatever the VLAN.
        {fdbMacText, ".1.0.0.94.0.83.1", "00-00-5E-00-53-01"}, {fdbMacText, ".4094.0.0.94.0.83.1", "00-00-5E-00-53-01"},
        {fdbMacText, ".1.255.255.255.255.255.255", "FF-FF-FF-FF-FF-FF"}, {fdbMacText, ".1.0.0.94.0.83", ""}, {fdbMacText, "", ""},
        {fdbMacText, ".1..0.94.0.83.1", ""},
    };
    for (const auto& [convert, value, text] : cases)
        EXPECT_EQ(convert(value), text) << '"' << value << '"';
}

TEST(TableViewRules, RowsAndColumns)
{
    EXPECT_EQ(interfaceTableView().rowTexts({{"5", "2", "1000000000"}, ".5"}), (Texts{"5", "UnConnected", "1000M"}));
    EXPECT_EQ(forwardingTableView().rowTexts({{"3", "7"}, ".20.0.0.94.0.83.1"}), (Texts{"00-00-5E-00-53-01", "Learn", "7"}));
    const TableView tcp = tcpServiceView();
    EXPECT_EQ(tcp.rowTexts({{"22", "0.0.0.0", "0.0.0.0", "0", "2"}, ""}), (Texts{"22", "0.0.0.0", "0.0.0.0", "0", "listen"}));
    // A short answer fills only the first columns.
    EXPECT_EQ(tcp.rowTexts({{"22", "0.0.0.0"}, ""}), (Texts{"22", "0.0.0.0"}));
    for (const TableView& view : {interfaceTableView(), ipTableView("192.0.2.1"), forwardingTableView(), tcp, udpServiceView()})
        EXPECT_EQ(view.headers.size(), view.rowTexts({Texts(view.walk.oids.size(), "1"), ".1.0.0.0.0.0.1"}).size()) << view.title;
}

TEST(TableViewRules, PortFilterIsExactText)
{
    const auto passes = [](std::string port, const char* filter) { return fdbRowPasses({{"3", std::move(port)}, ".1.0.0.0.0.0.1"}, filter); };
    EXPECT_EQ((std::vector<bool>{passes("5", "5"), passes("15", "5"), passes("05", "5"), passes("5", "05"), passes("15", "")}),
              (std::vector<bool>{true, false, false, false, true}));
}
