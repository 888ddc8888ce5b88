#include "dialogs/switching/register_trunk_dialogs.h"

#include "app/command_table.h"
#include "dialogs/switching/trunk_configuration_dialog.h"

namespace dialogs::switching {

void registerTrunkDialogs(app::CommandTable& table)
{
    table.setRunner(app::kCmdTrunkConfiguration, [](app::MainWindowContext& context) {
        CTrunkConfigurationDialog(context.portCount()).exec();
    });
}

} // namespace dialogs::switching
