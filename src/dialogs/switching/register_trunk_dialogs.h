#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs::switching {

// "Trunk Configuration".
void registerTrunkDialogs(commands::CommandTable& table);

} // namespace dialogs::switching
