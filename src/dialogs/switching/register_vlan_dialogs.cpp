#include "dialogs/switching/register_vlan_dialogs.h"

#include "app/command_table.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "snmp/session_parameters.h"

namespace dialogs {

void registerVlanDialogs(app::CommandTable& table)
{
    table.setRunner(app::kCmdVlanConfiguration, [](app::MainWindowContext& context) {
        switching::CVlanConfigurationDialog dialog(context.portCount(), snmp::sessionParameters().vlanEdit);
        dialog.exec();
    });
}

} // namespace dialogs
