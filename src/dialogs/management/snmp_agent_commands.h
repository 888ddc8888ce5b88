#pragma once

namespace commands {
class CommandTable;
}

namespace dialogs::management {

// Ties the eight SNMP agent commands to their dialogs.
void registerSnmpAgentDialogs(commands::CommandTable& table);

} // namespace dialogs::management
