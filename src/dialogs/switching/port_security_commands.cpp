#include "dialogs/switching/port_security_commands.h"

#include "app/command_table.h"
#include "dialogs/switching/arp_spoofing_dialog.h"
#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dot1x_config_dialog.h"

namespace dialogs::switching {
namespace {

template <typename Dialog>
app::CommandRunner portDialog()
{
    return [](app::MainWindowContext& context) {
        Dialog dialog(context.portCount());
        dialog.exec();
    };
}

} // namespace

void registerPortSecurityDialogs(app::CommandTable& table)
{
    table.setRunner(app::kCmd8021x, portDialog<CDot1xConfigDialog>());
    table.setRunner(app::kCmdArpSpoofingPrevention, portDialog<CArpSpoofingDialog>());
    table.setRunner(app::kCmdDhcpServerScreening, portDialog<CDhcpScreeningDialog>());
}

} // namespace dialogs::switching
