#include "dialogs/management/register_poe_dialogs.h"

#include "app/command_table.h"
#include "dialogs/management/poe_configuration_dialog.h"
#include "dialogs/management/time_range_dialog.h"

namespace dialogs::management {

void registerPoeDialogs(app::CommandTable& table)
{
    table.setRunner(app::kCmdPoePortConfig, [](app::MainWindowContext& context) {
        CPoeConfigurationDialog dialog(context.portCount());
        dialog.exec();
    });
    table.setRunner(app::kCmdTimeBasedPoe, [](app::MainWindowContext&) {
        CTimeRangeListDialog dialog;
        dialog.exec();
    });
}

} // namespace dialogs::management
