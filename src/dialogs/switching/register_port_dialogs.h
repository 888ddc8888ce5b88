#pragma once

namespace app {
class CommandTable;
}

namespace dialogs {

// Port Configuration (menu and panel click) and Multicast Filtering Mode.
void registerPortDialogs(app::CommandTable& table);

} // namespace dialogs
