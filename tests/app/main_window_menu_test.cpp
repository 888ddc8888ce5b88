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

TEST(MainMenu, EveryCommandOnceAndModelsWithoutPoeLoseThePoeAndLldpItemsOnly)
{
    std::vector<MenuItem> menu = mainMenu();
    std::set<int> ids;
    forEachCommand(menu, [&](const MenuItem& item) { EXPECT_TRUE(ids.insert(item.id).second && !item.caption.empty()) << item.id; });
    EXPECT_EQ(std::tuple(menu.size(), shape(menu[0].items), ids.size(), findCommand(menu, kCmdSurveillanceOui)),
              std::tuple(4u, "CS8C-CCCC-CCC-CCC-CCS3", 35u, nullptr));

    pruneNonPoeItems(menu);
    int commands = 0;
    forEachCommand(menu, [&](const MenuItem&) { ++commands; });
    // The separator after "&Reboot" stays.
    EXPECT_EQ(std::pair(shape(menu[0].items), commands), std::pair(std::string("CS8C-CCCC-CCC-CCC-"), 30));

    // The window's own commands follow every item, pruned or not.
    std::vector<MenuItem> full = mainMenu();
    appendWindowCommands(menu);
    appendWindowCommands(full);
    ASSERT_TRUE(findCommand(menu, kCmdConnectAnother) && findCommand(menu, kCmdQuit));
    EXPECT_EQ(std::tuple(shape(full[0].items), shape(menu[0].items), findCommand(menu, kCmdConnectAnother)->caption, findCommand(menu, kCmdQuit)->caption,
                         findCommand(menu, kCmdQuit)->shortcut),
              std::tuple("CS8C-CCCC-CCC-CCC-CCS3-CC", "CS8C-CCCC-CCC-CCC-CC", "Connect to another switch...", "Quit", "Ctrl+Q"));
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
