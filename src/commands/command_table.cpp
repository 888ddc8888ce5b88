#include "commands/command_table.h"

#include <algorithm>

namespace commands {
namespace {

MenuItem command(std::string caption, int id)
{
    return {MenuItem::Kind::Command, std::move(caption), id, {}, {}};
}

MenuItem separator()
{
    return {MenuItem::Kind::Separator, {}, 0, {}, {}};
}

MenuItem submenu(std::string caption, std::vector<MenuItem> items)
{
    return {MenuItem::Kind::Submenu, std::move(caption), 0, std::move(items), {}};
}

// Position of the LLDP pop-up in the first menu once the PoE commands are gone.
constexpr std::size_t kEmptiedLldpPosition = 17;

} // namespace

std::vector<MenuItem> mainMenu()
{
    return {
        submenu("&Device Manager   ",
                {
                    command("&Port Configuration...", kCmdPortConfiguration),
                    submenu("&SNMP Setting",
                            {
                                command("SNMP Global State ", kCmdSnmpGlobalState),
                                command("SNMP User Table", kCmdSnmpUserTable),
                                command("SNMP Group Table", kCmdSnmpGroupTable),
                                command("SNMP View Table", kCmdSnmpViewTable),
                                command("SNMP Community Table ", kCmdSnmpCommunityTable),
                                command("SNMP Host Table", kCmdSnmpHostTable),
                                command("SNMP Engine ID", kCmdSnmpEngineId),
                                command("SNMP Trap Configuration", kCmdSnmpTrapConfiguration),
                            }),
                    command("&Syslog Host Configuration...", kCmdSyslogHost),
                    separator(),
                    command("&VLAN Configuration...", kCmdVlanConfiguration),
                    command("Auto Surveillance VLAN Settings", kCmdSurveillanceVlan),
                    command("&Trunk Configuration...", kCmdTrunkConfiguration),
                    command("&Multicast Filtering Mode configuration...", kCmdMulticastFilteringMode),
                    separator(),
                    command("&802.1X Configuration...", kCmd8021x),
                    command("&ARP Spoofing Prevention Setting...", kCmdArpSpoofingPrevention),
                    command("&DHCP Server Screening Port Configuration...", kCmdDhcpServerScreening),
                    separator(),
                    command("&Firmware and Configuration Upgrade/Backup...", kCmdFirmwareUpgradeBackup),
                    command("&Save Configuration...", kCmdSaveConfiguration),
                    command("&Reboot", kCmdReboot),
                    separator(),
                    command("&PoE Port Config", kCmdPoePortConfig),
                    command("&Time_Based PoE", kCmdTimeBasedPoe),
                    submenu("LLDP",
                            {
                                command("&LLDP Global Setting", kCmdLldpGlobalSetting),
                                command("&LLDP Remote Port Information", kCmdLldpRemotePortInformation),
                                command("&LLDP MED Setting", kCmdLldpMedSetting),
                            }),
                }),
        submenu("&Public MIB   ",
                {
                    command("&System Information...", kCmdSystemInformation),
                    command("In&terface Table...", kCmdInterfaceTable),
                    command("&IP Table...", kCmdIpTable),
                    command("Forwarding Table...", kCmdForwardingTable),
                    command("&TCP Service...", kCmdTcpService),
                    command("&UDP Service...", kCmdUdpService),
                    command("802.1D...", kCmdSpanningTree),
                }),
        submenu("&Tools   ",
                {
                    command("&Telnet...", kCmdTelnet),
                    command("&Web...", kCmdWeb),
                }),
        submenu("&About   ",
                {
                    command("About QMX-7720-ZA...", kCmdAbout),
                }),
    };
}

namespace {

// Removes the command wherever it stands below `items`, as deleting a menu
// command by id does; pop-ups stay, even when emptied.
void removeCommand(std::vector<MenuItem>& items, int id)
{
    std::erase_if(items, [id](const MenuItem& item) { return item.kind == MenuItem::Kind::Command && item.id == id; });
    for (MenuItem& item : items)
        if (item.kind == MenuItem::Kind::Submenu)
            removeCommand(item.items, id);
}

} // namespace

void pruneNonPoeItems(std::vector<MenuItem>& menu)
{
    if (menu.empty())
        return;
    std::vector<MenuItem>& deviceManager = menu.front().items;
    for (int id : {kCmdPoePortConfig, kCmdTimeBasedPoe, kCmdLldpGlobalSetting, kCmdLldpMedSetting, kCmdLldpRemotePortInformation})
        removeCommand(deviceManager, id);
    if (deviceManager.size() > kEmptiedLldpPosition)
        deviceManager.erase(deviceManager.begin() + kEmptiedLldpPosition);
}

void retitleAbout(std::vector<MenuItem>& menu, const std::string& deviceName)
{
    constexpr std::size_t kAboutMenu = 3;
    if (menu.size() > kAboutMenu && !menu[kAboutMenu].items.empty())
        menu[kAboutMenu].items.front().caption = "About " + deviceName + "...";
}

void appendWindowCommands(std::vector<MenuItem>& menu)
{
    if (menu.empty())
        return;
    std::vector<MenuItem>& first = menu.front().items;
    if (first.empty() || first.back().kind != MenuItem::Kind::Separator)
        first.push_back(separator());
    first.push_back(command("Connect to another switch...", kCmdConnectAnother));
    MenuItem quit = command("Quit", kCmdQuit);
    quit.shortcut = "Ctrl+Q";
    first.push_back(std::move(quit));
    for (MenuItem& popup : menu)
        if (popup.kind == MenuItem::Kind::Submenu && popup.caption == "&Tools   ")
            popup.items.push_back(command("&Change Log...", kCmdChangeLog));
}

const MenuItem* findCommand(const std::vector<MenuItem>& menu, int id)
{
    for (const MenuItem& item : menu) {
        if (item.kind == MenuItem::Kind::Command && item.id == id)
            return &item;
        if (item.kind == MenuItem::Kind::Submenu)
            if (const MenuItem* found = findCommand(item.items, id))
                return found;
    }
    return nullptr;
}

void CommandTable::setRunner(int id, CommandRunner runner, Dispatch dispatch)
{
    if (runner)
        m_entries[id] = Entry{std::move(runner), dispatch};
    else
        m_entries.erase(id);
}

bool CommandTable::isEnabled(int id) const
{
    return m_entries.contains(id);
}

bool CommandTable::run(int id, MainWindowContext& context) const
{
    auto entry = m_entries.find(id);
    if (entry == m_entries.end())
        return false;
    if (entry->second.dispatch == Dispatch::Direct) {
        entry->second.runner(context);
        return true;
    }
    DialogScope scope(context);
    entry->second.runner(context);
    return true;
}

bool CommandTable::runInPlace(int id, MainWindowContext& context) const
{
    auto entry = m_entries.find(id);
    if (entry == m_entries.end())
        return false;
    entry->second.runner(context);
    return true;
}

bool CommandTable::runSocketAction(MainWindowContext& context) const
{
    if (!m_socketAction)
        return false;
    m_socketAction(context);
    return true;
}

} // namespace commands
