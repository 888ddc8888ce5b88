#pragma once

#include "dialogs/binding.h"

#include <string>
#include <string_view>
#include <vector>

namespace dialogs {

inline constexpr const char* kTelnetQuestion = "Do you want to TELNET this device?";
inline constexpr const char* kWebQuestion = "Do you want to access this device with browser?";
inline constexpr const char* kSaveQuestion = "Do you want to save the configuration?";
inline constexpr const char* kRebootQuestion = "Do you want to reboot the device?";
inline constexpr const char* kNoBrowserMessage = "Failed to get IE path !";
inline constexpr int kSaveTimeoutMs = 4000;

Bindings saveConfigurationSet();
Bindings rebootSet();
// What Save configuration reports for the exchange's status.
std::string saveConfigurationReport(int status);

// The program path inside a registered browser open command: from the drive
// letter before the first ":\" to the end of the first ".exe" (then ".EXE");
// "" when neither form fits.
std::string browserPathFromCommand(std::string_view command);
// The command line started for the browser: path, a blank, the address.
std::string browserCommandLine(std::string_view path, std::string_view agentAddress);

// Arguments for the desktop's terminal emulator and URL opener; no shell
// ever sees the address.
std::vector<std::string> telnetArguments(std::string_view agentAddress);
std::vector<std::string> browserArguments(std::string_view agentAddress);

// The About box's title and module caption.
std::string aboutTitle(std::string_view deviceName);
std::string aboutCaption(std::string_view deviceName);

} // namespace dialogs
