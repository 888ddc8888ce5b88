#include "dialogs/switching/register_trunk_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/switching/trunk_configuration_dialog.h"

namespace dialogs::switching {

void registerTrunkDialogs(commands::CommandTable& table)
{
    table.setRunner(commands::kCmdTrunkConfiguration, [](commands::MainWindowContext& context) {
        CTrunkConfigurationDialog(context.portCount()).exec();
    });
}

} // namespace dialogs::switching
