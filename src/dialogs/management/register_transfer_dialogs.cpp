#include "dialogs/management/register_transfer_dialogs.h"

#include "app/command_table.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/transfer_dialog.h"

namespace dialogs::management {

void registerTransferDialogs(app::CommandTable& table)
{
    table.setRunner(app::kCmdFirmwareUpgradeBackup, [](app::MainWindowContext&) { CTransferDialog().exec(); });
    table.setRunner(app::kCmdSyslogHost, [](app::MainWindowContext&) { CSyslogHostDialog().exec(); });
}

} // namespace dialogs::management
