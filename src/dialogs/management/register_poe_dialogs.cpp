#include "dialogs/management/register_poe_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/management/poe_configuration_dialog.h"
#include "dialogs/management/time_range_dialog.h"

namespace dialogs::management {

void registerPoeDialogs(commands::CommandTable& table)
{
    table.setRunner(commands::kCmdPoePortConfig, [](commands::MainWindowContext& context) {
        CPoeConfigurationDialog dialog(context.portCount());
        dialog.exec();
    });
    table.setRunner(commands::kCmdTimeBasedPoe, [](commands::MainWindowContext&) {
        CTimeRangeListDialog dialog;
        dialog.exec();
    });
}

} // namespace dialogs::management
