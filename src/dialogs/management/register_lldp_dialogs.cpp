#include "dialogs/management/register_lldp_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/management/lldp_global_dialog.h"
#include "dialogs/management/lldp_med_dialog.h"
#include "dialogs/management/lldp_remote_dialog.h"
#include "dialogs/management/surveillance_vlan_dialog.h"

namespace dialogs {

void registerLldpDialogs(commands::CommandTable& table)
{
    using namespace commands;
    using namespace dialogs::management;
    table.setRunner(kCmdLldpGlobalSetting, [](MainWindowContext&) { CLldpGlobalDialog().exec(); });
    table.setRunner(kCmdLldpMedSetting,
                    [](MainWindowContext& context) { CLldpMedDialog(context.portCount()).exec(); });
    table.setRunner(kCmdLldpRemotePortInformation, [](MainWindowContext&) { CLldpRemoteDialog().exec(); });
    table.setRunner(kCmdSurveillanceVlan, [](MainWindowContext&) { CSurveillanceVlanDialog().exec(); });
}

} // namespace dialogs
