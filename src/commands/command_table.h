#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace snmp {
class CCommonSnmp;
}

// The main window's menu (resource 131) as plain data, and the table that ties
// each command id to what runs it. Qt-free, so dialog code and tests can use it.
//
// How a dialog registers
// ----------------------
// Dialog code never edits this file. It registers a runner for its command id:
//
//     void registerDialogCommands(commands::CommandTable& table)   // in src/dialogs
//     {
//         table.setRunner(commands::kCmdSystemInformation, [](commands::MainWindowContext&) {
//             SystemInformationDialog dialog;   // no parent
//             dialog.exec();
//         });
//     }
//
// qmx-module calls `dialogs::registerDialogCommands(table)` (declared in
// src/dialogs/register_dialogs.h, defined in the qmx_dialogs library) before the
// main window is built. A command without a runner stays in the menu, disabled.
//
// Dispatch::Dialog (the default) wraps the runner the same way for every
// dialog: the main window hides, raises the dialog-open flag (polling pauses),
// shows itself minimised, runs the runner, then clears the flag and shows
// itself again. Dispatch::Direct runs the runner as is; a direct runner that
// needs the hidden window only part of the time (Reboot: after its question)
// opens a `DialogScope` itself.
//
// A click on a console socket starts Telnet at once (no question, window not
// hidden): device tools register that with `setSocketAction`.
namespace commands {

enum CommandId : int {
    kCmdPortConfiguration = 32774,
    kCmdSnmpGlobalState = 32839,
    kCmdSnmpUserTable = 32841,
    kCmdSnmpGroupTable = 32842,
    kCmdSnmpViewTable = 32843,
    kCmdSnmpCommunityTable = 32844,
    kCmdSnmpHostTable = 32840,
    kCmdSnmpEngineId = 32845,
    kCmdSnmpTrapConfiguration = 32846,
    kCmdSyslogHost = 32832,
    kCmdVlanConfiguration = 32834,
    kCmdSurveillanceVlan = 32854,
    kCmdSurveillanceOui = 32855, // handled like the others, no menu item
    kCmdTrunkConfiguration = 32818,
    kCmdMulticastFilteringMode = 32830,
    kCmd8021x = 32792,
    kCmdArpSpoofingPrevention = 32833,
    kCmdDhcpServerScreening = 32829,
    kCmdFirmwareUpgradeBackup = 32823,
    kCmdSaveConfiguration = 32815,
    kCmdReboot = 32797,
    kCmdPoePortConfig = 32852,
    kCmdTimeBasedPoe = 32819,
    kCmdLldpGlobalSetting = 32825,
    kCmdLldpRemotePortInformation = 32826,
    kCmdLldpMedSetting = 32827,
    kCmdSystemInformation = 32805,
    kCmdInterfaceTable = 32809,
    kCmdIpTable = 32808,
    kCmdForwardingTable = 32810,
    kCmdTcpService = 32811,
    kCmdUdpService = 32812,
    kCmdSpanningTree = 32813,
    kCmdTelnet = 32788,
    kCmdWeb = 32789,
    kCmdAbout = 57664,
    // The window's own, after the menu's items.
    kCmdConnectAnother = 57600,
    kCmdChangeLog = 57601,
    kCmdQuit = 57665,
};

// The system menu's About item (command 16 after masking with 0xFFF0).
inline constexpr int kSysCmdAbout = 0x10;

struct MenuItem {
    enum class Kind { Command, Separator, Submenu };
    Kind kind = Kind::Command;
    std::string caption;          // Command and Submenu
    int id = 0;                   // Command only
    std::vector<MenuItem> items;  // Submenu only
    std::string shortcut;         // Command only, as QKeySequence reads it; "" none
};

// The four top-level pop-ups of menu 131, each a Submenu item, before pruning
// and before the About item is retitled.
std::vector<MenuItem> mainMenu();

// For a model without PoE: removes the PoE, time-based PoE and LLDP commands
// from the first pop-up, then the item at position 17 (the emptied LLDP pop-up).
void pruneNonPoeItems(std::vector<MenuItem>& menu);
// Replaces the caption of the fourth pop-up's item 0 by "About <device>...".
void retitleAbout(std::vector<MenuItem>& menu, const std::string& deviceName);
// Appends to the first pop-up, after its items: a separator (unless one ends
// it), "Connect to another switch..." and "Quit" (Ctrl+Q); to the Tools
// pop-up, after its items: "Change Log...".
void appendWindowCommands(std::vector<MenuItem>& menu);
// Finds a command anywhere in the menu; nullptr when absent.
const MenuItem* findCommand(const std::vector<MenuItem>& menu, int id);

// What a command runner may ask of the main window.
class MainWindowContext {
public:
    virtual ~MainWindowContext() = default;
    virtual const std::string& deviceName() const = 0;
    virtual int portCount() const = 0;
    // The ports of the combination (copper or fibre) block, and whether every port is gigabit.
    virtual int combinationPortCount() const = 0;
    virtual bool allGiga() const = 0;
    // The main window's set session (m_cCommonSNMPset).
    virtual snmp::CCommonSnmp& setSession() = 0;
    // Hide, raise the dialog-open flag, show minimised / clear it, show again.
    virtual void beginDialog() = 0;
    virtual void endDialog() = 0;
};

// beginDialog() for its lifetime.
class DialogScope {
public:
    explicit DialogScope(MainWindowContext& context) : m_context(context) { m_context.beginDialog(); }
    ~DialogScope() { m_context.endDialog(); }
    DialogScope(const DialogScope&) = delete;
    DialogScope& operator=(const DialogScope&) = delete;

private:
    MainWindowContext& m_context;
};

using CommandRunner = std::function<void(MainWindowContext&)>;

enum class Dispatch { Dialog, Direct };

class CommandTable {
public:
    void setRunner(int id, CommandRunner runner, Dispatch dispatch = Dispatch::Dialog);
    bool isEnabled(int id) const;
    // Runs the command as its dispatch says; false when it has no runner.
    bool run(int id, MainWindowContext& context) const;
    // Runs the runner without hiding the window or raising the flag (a port
    // click opens Port Configuration this way).
    bool runInPlace(int id, MainWindowContext& context) const;

    void setSocketAction(CommandRunner action) { m_socketAction = std::move(action); }
    // False when nothing is registered (the click then does nothing).
    bool runSocketAction(MainWindowContext& context) const;

private:
    struct Entry {
        CommandRunner runner;
        Dispatch dispatch = Dispatch::Dialog;
    };
    std::map<int, Entry> m_entries;
    CommandRunner m_socketAction;
};

} // namespace commands
