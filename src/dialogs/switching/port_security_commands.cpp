#include "dialogs/switching/port_security_commands.h"

#include "commands/command_table.h"
#include "dialogs/switching/arp_spoofing_dialog.h"
#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dot1x_config_dialog.h"

namespace dialogs::switching {
namespace {

template <typename Dialog>
commands::CommandRunner portDialog()
{
    return [](commands::MainWindowContext& context) {
        Dialog dialog(context.portCount());
        dialog.exec();
    };
}

} // namespace

void registerPortSecurityDialogs(commands::CommandTable& table)
{
    table.setRunner(commands::kCmd8021x, portDialog<CDot1xConfigDialog>());
    table.setRunner(commands::kCmdArpSpoofingPrevention, portDialog<CArpSpoofingDialog>());
    table.setRunner(commands::kCmdDhcpServerScreening, portDialog<CDhcpScreeningDialog>());
}

} // namespace dialogs::switching
