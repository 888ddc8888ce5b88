#include "dialogs/switching/register_vlan_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "snmp/session_parameters.h"

namespace dialogs {

void registerVlanDialogs(commands::CommandTable& table)
{
    table.setRunner(commands::kCmdVlanConfiguration, [](commands::MainWindowContext& context) {
        switching::CVlanConfigurationDialog dialog(context.portCount(), snmp::sessionParameters().vlanEdit);
        dialog.exec();
    });
}

} // namespace dialogs
