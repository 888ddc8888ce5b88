#pragma once

namespace app {
class CommandTable;
}

namespace dialogs {

// Ties the commands of the public MIB views, the spanning tree and the device
// tools to what runs them.
void registerDialogCommands(app::CommandTable& table);

} // namespace dialogs
