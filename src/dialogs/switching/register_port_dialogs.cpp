#include "dialogs/switching/register_port_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/switching/multicast_filtering_dialog.h"
#include "dialogs/switching/port_set_info.h"

namespace dialogs {

void registerPortDialogs(commands::CommandTable& table)
{
    using namespace dialogs::switching;
    table.setRunner(commands::kCmdPortConfiguration, [](commands::MainWindowContext& context) {
        CPortSetInfo dialog({context.portCount(), context.combinationPortCount(), context.allGiga()});
        dialog.exec();
    });
    table.setRunner(commands::kCmdMulticastFilteringMode, [](commands::MainWindowContext&) {
        CMulticastFilteringDialog dialog;
        dialog.exec();
    });
}

} // namespace dialogs
