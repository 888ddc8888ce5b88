#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs::management {

// "PoE Configuration" and "Time Range Information"; the menu keeps their
// commands on PoE models only.
void registerPoeDialogs(commands::CommandTable& table);

} // namespace dialogs::management
