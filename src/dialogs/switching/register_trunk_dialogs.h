#pragma once

namespace app {
class CommandTable;
}

namespace dialogs::switching {

// "Trunk Configuration".
void registerTrunkDialogs(commands::CommandTable& table);

} // namespace dialogs::switching
