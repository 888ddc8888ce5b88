#pragma once

namespace app {
class CommandTable;
}

namespace dialogs::management {

// Firmware and configuration transfer, and the syslog host.
void registerTransferDialogs(app::CommandTable& table);

} // namespace dialogs::management
