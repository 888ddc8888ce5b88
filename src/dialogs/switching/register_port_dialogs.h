#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs {

// Port Configuration (menu and panel click) and Multicast Filtering Mode.
void registerPortDialogs(commands::CommandTable& table);

} // namespace dialogs
