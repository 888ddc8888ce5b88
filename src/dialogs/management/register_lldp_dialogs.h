#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs {

// The LLDP and surveillance VLAN dialogs' menu commands.
void registerLldpDialogs(commands::CommandTable& table);

} // namespace dialogs
