#include "dialogs/management/register_transfer_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/transfer_dialog.h"

namespace dialogs::management {

void registerTransferDialogs(commands::CommandTable& table)
{
    table.setRunner(commands::kCmdFirmwareUpgradeBackup, [](commands::MainWindowContext&) { CTransferDialog().exec(); });
    table.setRunner(commands::kCmdSyslogHost, [](commands::MainWindowContext&) { CSyslogHostDialog().exec(); });
}

} // namespace dialogs::management
