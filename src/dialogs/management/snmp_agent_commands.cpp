#include "dialogs/management/snmp_agent_commands.h"

#include "commands/command_table.h"
#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_group_table_dialog.h"
#include "dialogs/management/snmp_host_table_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "dialogs/management/snmp_user_table_dialog.h"
#include "dialogs/management/snmp_view_table_dialog.h"

namespace dialogs::management {
namespace {

template <typename Dialog>
commands::CommandRunner runs()
{
    return [](commands::MainWindowContext&) { Dialog().exec(); };
}

} // namespace

void registerSnmpAgentDialogs(commands::CommandTable& table)
{
    using namespace commands;
    table.setRunner(kCmdSnmpGlobalState, runs<CSnmpGlobalStateDialog>());
    table.setRunner(kCmdSnmpEngineId, runs<CSnmpEngineIdDialog>());
    table.setRunner(kCmdSnmpTrapConfiguration,
                    [](MainWindowContext& context) { CSnmpTrapDialog(context.deviceName()).exec(); });
    table.setRunner(kCmdSnmpUserTable, runs<CSnmpUserTableDialog>());
    table.setRunner(kCmdSnmpGroupTable, runs<CSnmpGroupTableDialog>());
    table.setRunner(kCmdSnmpViewTable, runs<CSnmpViewTableDialog>());
    table.setRunner(kCmdSnmpCommunityTable, runs<CSnmpCommunityTableDialog>());
    table.setRunner(kCmdSnmpHostTable, runs<CSnmpHostTableDialog>());
}

} // namespace dialogs::management
