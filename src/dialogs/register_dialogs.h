#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs {

// Ties the commands of the public MIB views, the spanning tree and the device
// tools to what runs them, and makes QMessageBox the program's prompter (the
// fallback one answers every question with Cancel).
void registerDialogCommands(commands::CommandTable& table);

} // namespace dialogs
