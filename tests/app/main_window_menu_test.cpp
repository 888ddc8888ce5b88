#include "app/command_table.h"
#include "stub_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace app;

namespace {

// A pop-up's items as one text: "C" a command, "-" a separator, "S<n>" a submenu of n items.
std::string shape(const std::vector<MenuItem>& items)
{
    std::string out;
    for (const MenuItem& item : items)
        out += item.kind == MenuItem::Kind::Command     ? "C"
               : item.kind == MenuItem::Kind::Separator ? "-"
                                                        : "S" + std::to_string(item.items.size());
    return out;
}

void forEachCommand(const std::vector<MenuItem>& items, const std::function<void(const MenuItem&)>& visit)
{
    for (const MenuItem& item : items)
        item.kind == MenuItem::Kind::Submenu ? forEachCommand(item.items, visit)
                                             : item.kind == MenuItem::Kind::Command ? visit(item) : void();
}

} // namespace

TEST(MainMenu, PopupsInOrderEveryCommandOnceAndTheOuiCommandWithoutItem)
{
    const std::vector<MenuItem> menu = mainMenu();
    std::vector<std::string> captions;
    for (const MenuItem& popup : menu)
        captions.push_back(popup.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"&Device Manager   ", "&Public MIB   ", "&Tools   ", "&About   "}));
    EXPECT_EQ(shape(menu[0].items), "CS8C-CCCC-CCC-CCC-CCS3");
    EXPECT_EQ(std::pair(menu[3].items[0].caption, menu[3].items[0].id), std::pair(std::string("About QMX-7720-ZA..."), int(kCmdAbout)));

    std::set<int> ids;
    forEachCommand(menu, [&](const MenuItem& item) {
        EXPECT_TRUE(ids.insert(item.id).second) << item.id;
        EXPECT_FALSE(item.caption.empty()) << item.id;
    });
    EXPECT_EQ(ids.size(), 35u);
    EXPECT_TRUE(findCommand(menu, kCmdSurveillanceOui) == nullptr && findCommand(menu, kCmdSpanningTree) != nullptr);
}

TEST(MainMenu, ModelsWithoutPoeLoseThePoeAndLldpItemsOnly)
{
    std::vector<MenuItem> menu = mainMenu();
    pruneNonPoeItems(menu);
    EXPECT_EQ(shape(menu[0].items), "CS8C-CCCC-CCC-CCC-"); // the separator after "&Reboot" stays
    int commands = 0;
    forEachCommand(menu, [&](const MenuItem&) { ++commands; });
    EXPECT_EQ(commands, 30);
}

TEST(CommandTable, DialogCommandsRunInsideTheHiddenWindowScope)
{
    CommandTable table;
    StubWindow window;
    EXPECT_FALSE(table.isEnabled(kCmdSystemInformation) || table.run(kCmdSystemInformation, window));
    EXPECT_TRUE(window.log.empty());

    table.setRunner(kCmdSystemInformation, [](MainWindowContext& c) { static_cast<StubWindow&>(c).log.push_back("dialog"); });
    table.setRunner(kCmdTelnet, [](MainWindowContext& c) { static_cast<StubWindow&>(c).log.push_back("telnet"); },
                    Dispatch::Direct);
    EXPECT_TRUE(table.isEnabled(kCmdSystemInformation) && table.run(kCmdSystemInformation, window));
    EXPECT_TRUE(table.run(kCmdTelnet, window) && table.runInPlace(kCmdSystemInformation, window));
    EXPECT_EQ(window.log, (std::vector<std::string>{"begin", "dialog", "end", "telnet", "dialog"}));

    // A null runner takes the command back out.
    table.setRunner(kCmdSystemInformation, nullptr);
    EXPECT_FALSE(table.isEnabled(kCmdSystemInformation) || table.runSocketAction(window));
}
