#pragma once

#include <string>

namespace commands {
class MainWindowContext;
}

namespace dialogs {

// The commands that act on the switch as a whole. Each asks first and does
// nothing on Cancel.

// Telnet to the switch in the desktop's terminal emulator.
void runTelnet(const std::string& agentAddress);
// The same without the question, as a click on the console socket does;
// nothing for an empty address.
void startTelnet(const std::string& agentAddress);
// The switch's web pages in the desktop's browser; "Failed to get IE path !"
// when the desktop has none.
void runWeb(const std::string& agentAddress);
// The switch stores its running configuration; "success" or "failed" once
// the set has ended. Both sets go out off the UI thread and return at once.
void runSaveConfiguration(commands::MainWindowContext& context);
// The switch restarts; nothing is reported. The window hides until the set
// has ended.
void runReboot(commands::MainWindowContext& context);
// The About box.
void runAbout(const std::string& deviceName);

} // namespace dialogs
