#include "app/command_table.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace app;

namespace {

using Item = MenuItem;

std::vector<const Item*> commandsOf(const std::vector<Item>& items)
{
    std::vector<const Item*> out;
    std::function<void(const std::vector<Item>&)> walk = [&](const std::vector<Item>& level) {
        for (const Item& item : level) {
            if (item.kind == Item::Kind::Command)
                out.push_back(&item);
            else if (item.kind == Item::Kind::Submenu)
                walk(item.items);
        }
    };
    walk(items);
    return out;
}

// A window stand-in that records what dispatch asked of it.
class RecordingContext final : public MainWindowContext {
public:
    const std::string& deviceName() const override { return m_name; }
    int portCount() const override { return 28; }
    snmp::CCommonSnmp& setSession() override { std::abort(); }
    void beginDialog() override { log.push_back("begin"); }
    void endDialog() override { log.push_back("end"); }
    std::vector<std::string> log;

private:
    std::string m_name = "QMX-7720-ZA";
};

} // namespace

TEST(MainMenu, TopLevelPopupsAndTheirItemsInOrder)
{
    const std::vector<Item> menu = mainMenu();
    ASSERT_EQ(menu.size(), 4u);
    EXPECT_EQ(menu[0].caption, "&Device Manager   ");
    EXPECT_EQ(menu[1].caption, "&Public MIB   ");
    EXPECT_EQ(menu[2].caption, "&Tools   ");
    EXPECT_EQ(menu[3].caption, "&About   ");

    const std::vector<Item>& device = menu[0].items;
    ASSERT_EQ(device.size(), 20u);
    std::vector<std::size_t> separators;
    for (std::size_t i = 0; i < device.size(); ++i)
        if (device[i].kind == Item::Kind::Separator)
            separators.push_back(i);
    EXPECT_EQ(separators, (std::vector<std::size_t>{3, 8, 12, 16}));
    EXPECT_EQ(device[2].caption, "&Syslog Host Configuration...");
    EXPECT_EQ(device[7].caption, "&Multicast Filtering Mode configuration...");
    EXPECT_EQ(device[11].caption, "&DHCP Server Screening Port Configuration...");
    EXPECT_EQ(device[15].caption, "&Reboot");
    EXPECT_EQ(device[1].caption, "&SNMP Setting");
    EXPECT_EQ(device[1].items.size(), 8u);
    EXPECT_EQ(device[1].items[0].caption, "SNMP Global State ");
    EXPECT_EQ(device[1].items[4].caption, "SNMP Community Table ");
    EXPECT_EQ(device[19].caption, "LLDP");
    EXPECT_EQ(device[19].items.size(), 3u);
    EXPECT_EQ(menu[3].items[0].caption, "About QMX-7720-ZA...");
    EXPECT_EQ(menu[3].items[0].id, kCmdAbout);
}

TEST(MainMenu, EveryCommandIdOnceAndTheOuiCommandWithoutItem)
{
    const std::vector<Item> menu = mainMenu();
    std::set<int> ids;
    for (const Item* item : commandsOf(menu)) {
        EXPECT_TRUE(ids.insert(item->id).second) << item->id;
        EXPECT_FALSE(item->caption.empty());
    }
    EXPECT_EQ(ids.size(), 35u);
    EXPECT_EQ(findCommand(menu, kCmdSurveillanceOui), nullptr);
    ASSERT_NE(findCommand(menu, kCmdSpanningTree), nullptr);
    EXPECT_EQ(findCommand(menu, kCmdSpanningTree)->caption, "802.1D...");
    EXPECT_EQ(findCommand(menu, kCmdTimeBasedPoe)->caption, "&Time_Based PoE");
    EXPECT_EQ(findCommand(menu, kCmdInterfaceTable)->caption, "In&terface Table...");
}

TEST(MainMenu, ModelsWithoutPoeLoseThePoeAndLldpItemsOnly)
{
    std::vector<Item> menu = mainMenu();
    pruneNonPoeItems(menu);
    for (int id : {kCmdPoePortConfig, kCmdTimeBasedPoe, kCmdLldpGlobalSetting, kCmdLldpMedSetting, kCmdLldpRemotePortInformation})
        EXPECT_EQ(findCommand(menu, id), nullptr) << id;
    const std::vector<Item>& device = menu[0].items;
    ASSERT_EQ(device.size(), 17u);
    EXPECT_EQ(device.back().kind, Item::Kind::Separator); // the one after "&Reboot" stays
    for (const Item& item : device)
        EXPECT_NE(item.caption, "LLDP");
    EXPECT_EQ(commandsOf(menu).size(), 30u);

    retitleAbout(menu, "QMX-7752-ZA");
    EXPECT_EQ(menu[3].items[0].caption, "About QMX-7752-ZA...");
}

TEST(CommandTable, DialogCommandsRunInsideTheHiddenWindowScope)
{
    CommandTable table;
    RecordingContext context;
    EXPECT_FALSE(table.isEnabled(kCmdSystemInformation));
    EXPECT_FALSE(table.run(kCmdSystemInformation, context));
    EXPECT_TRUE(context.log.empty());

    table.setRunner(kCmdSystemInformation, [](MainWindowContext& c) { static_cast<RecordingContext&>(c).log.push_back("dialog"); });
    table.setRunner(kCmdTelnet, [](MainWindowContext& c) { static_cast<RecordingContext&>(c).log.push_back("telnet"); },
                    Dispatch::Direct);
    EXPECT_TRUE(table.isEnabled(kCmdSystemInformation));
    EXPECT_TRUE(table.run(kCmdSystemInformation, context));
    EXPECT_TRUE(table.run(kCmdTelnet, context));
    EXPECT_TRUE(table.runInPlace(kCmdSystemInformation, context));
    EXPECT_EQ(context.log, (std::vector<std::string>{"begin", "dialog", "end", "telnet", "dialog"}));

    // A null runner takes the command back out.
    table.setRunner(kCmdSystemInformation, nullptr);
    EXPECT_FALSE(table.isEnabled(kCmdSystemInformation));
    EXPECT_FALSE(table.runSocketAction(context));
}
