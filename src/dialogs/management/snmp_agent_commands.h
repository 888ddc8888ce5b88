#pragma once

namespace app {
class CommandTable;
}

namespace dialogs::management {

// Ties the eight SNMP agent commands to their dialogs.
void registerSnmpAgentDialogs(commands::CommandTable& table);

} // namespace dialogs::management
