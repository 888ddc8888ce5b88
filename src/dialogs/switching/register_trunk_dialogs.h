#pragma once

namespace app {
class CommandTable;
}

namespace dialogs::switching {

// "Trunk Configuration".
void registerTrunkDialogs(app::CommandTable& table);

} // namespace dialogs::switching
