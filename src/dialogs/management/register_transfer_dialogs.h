#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs::management {

// Firmware and configuration transfer, and the syslog host.
void registerTransferDialogs(commands::CommandTable& table);

} // namespace dialogs::management
