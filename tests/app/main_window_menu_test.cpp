#include "commands/command_table.h"
#include "stub_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>



namespace {

// A pop-up's items as one text: "C" a command, "-" a separator, "S<n>" a submenu of n items.
std::string shape(const std::vector<commands::MenuItem>& items)
{
    std::string out;
    for (const commands::MenuItem& item : items)
        out += item.kind == commands::MenuItem::Kind::Command     ? "C"
               : item.kind == commands::MenuItem::Kind::Separator ? "-"
                                                        : "S" + std::to_string(item.items.size());
    return out;
}

void forEachCommand(const std::vector<commands::MenuItem>& items, const std::function<void(const commands::MenuItem&)>& visit)
{
    for (const commands::MenuItem& item : items)
        item.kind == commands::MenuItem::Kind::Submenu ? forEachCommand(item.items, visit)
                                             : item.kind == commands::MenuItem::Kind::Command ? visit(item) : void();
}

} // namespace

TEST(MainMenu, EveryCommandOnceAndModelsWithoutPoeLoseThePoeAndLldpItemsOnly)
{
    std::vector<commands::MenuItem> menu = commands::mainMenu();
    std::set<int> ids;
    forEachCommand(menu, [&](const commands::MenuItem& item) { EXPECT_TRUE(ids.insert(item.id).second && !item.caption.empty()) << item.id; });
    EXPECT_EQ(std::tuple(menu.size(), shape(menu[0].items), ids.size(), commands::findCommand(menu, commands::kCmdSurveillanceOui)),
              std::tuple(4u, "CS8C-CCCC-CCC-CCC-CCS3", 35u, nullptr));

    commands::pruneNonPoeItems(menu);
    int commands = 0;
    forEachCommand(menu, [&](const commands::MenuItem&) { ++commands; });
    // The separator after "&Reboot" stays.
    EXPECT_EQ(std::pair(shape(menu[0].items), commands), std::pair(std::string("CS8C-CCCC-CCC-CCC-"), 30));

    // The window's own commands follow every item, pruned or not.
    std::vector<commands::MenuItem> full = commands::mainMenu();
    commands::appendWindowCommands(menu);
    commands::appendWindowCommands(full);
    ASSERT_TRUE(commands::findCommand(menu, commands::kCmdConnectAnother) && commands::findCommand(menu, commands::kCmdQuit));
    EXPECT_EQ(std::tuple(shape(full[0].items), shape(menu[0].items), commands::findCommand(menu, commands::kCmdConnectAnother)->caption, commands::findCommand(menu, commands::kCmdQuit)->caption,
                         commands::findCommand(menu, commands::kCmdQuit)->shortcut, menu[2].items.back().caption, menu[2].items.back().id, shape(menu[2].items)),
              std::tuple("CS8C-CCCC-CCC-CCC-CCS3-CC", "CS8C-CCCC-CCC-CCC-CC", "Connect to another switch...", "Quit", "Ctrl+Q", "&Change Log...",
                         int{commands::kCmdChangeLog}, "CCC"));
}

TEST(CommandTable, DialogCommandsRunInsideTheHiddenWindowScope)
{
    commands::CommandTable table;
    StubWindow window;
    EXPECT_FALSE(table.isEnabled(commands::kCmdSystemInformation) || table.run(commands::kCmdSystemInformation, window));
    EXPECT_TRUE(window.log.empty());

    table.setRunner(commands::kCmdSystemInformation, [](commands::MainWindowContext& c) { static_cast<StubWindow&>(c).log.push_back("dialog"); });
    table.setRunner(commands::kCmdTelnet, [](commands::MainWindowContext& c) { static_cast<StubWindow&>(c).log.push_back("telnet"); },
                    commands::Dispatch::Direct);
    EXPECT_TRUE(table.isEnabled(commands::kCmdSystemInformation) && table.run(commands::kCmdSystemInformation, window));
    EXPECT_TRUE(table.run(commands::kCmdTelnet, window) && table.runInPlace(commands::kCmdSystemInformation, window));
    EXPECT_EQ(window.log, (std::vector<std::string>{"begin", "dialog", "end", "telnet", "dialog"}));

    // A null runner takes the command back out.
    table.setRunner(commands::kCmdSystemInformation, nullptr);
    EXPECT_FALSE(table.isEnabled(commands::kCmdSystemInformation) || table.runSocketAction(window));
}
