#include "dialogs/switching/register_port_dialogs.h"

#include "app/command_table.h"
#include "app/device_description.h"
#include "dialogs/switching/multicast_filtering_dialog.h"
#include "dialogs/switching/port_set_info.h"

namespace dialogs {

void registerPortDialogs(app::CommandTable& table)
{
    using namespace dialogs::switching;
    table.setRunner(app::kCmdPortConfiguration, [](app::MainWindowContext& context) {
        const int ports = context.portCount();
        CPortSetInfo dialog({ports, app::combinationPortCount(ports), app::deviceDescription().allGiga});
        dialog.exec();
    });
    table.setRunner(app::kCmdMulticastFilteringMode, [](app::MainWindowContext&) {
        CMulticastFilteringDialog dialog;
        dialog.exec();
    });
}

} // namespace dialogs
