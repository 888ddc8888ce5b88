#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs {

// "&VLAN Configuration..." and the dialogs it opens.
void registerVlanDialogs(commands::CommandTable& table);

} // namespace dialogs
