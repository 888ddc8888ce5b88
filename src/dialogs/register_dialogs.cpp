#include "dialogs/register_dialogs.h"

#include "commands/command_table.h"
#include "dialogs/device_tools.h"
#include "dialogs/management/snmp_agent_commands.h"
#include "dialogs/management/register_transfer_dialogs.h"
#include "dialogs/management/register_lldp_dialogs.h"
#include "dialogs/mib/forwarding_table_dialog.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "dialogs/mib/system_information_dialog.h"
#include "dialogs/mib/table_view_dialog.h"
#include "dialogs/switching/register_vlan_dialogs.h"
#include "dialogs/management/register_poe_dialogs.h"
#include "dialogs/switching/port_security_commands.h"
#include "dialogs/switching/register_port_dialogs.h"
#include "dialogs/switching/register_trunk_dialogs.h"
#include "platform/qt_prompter.h"
#include "snmp/session_parameters.h"

namespace dialogs {
namespace {

template <typename MakeDialog>
commands::CommandRunner dialogRunner(MakeDialog make)
{
    return [make](commands::MainWindowContext& context) { make(context)->exec(); };
}

const std::string& agentAddress()
{
    return snmp::sessionParameters().agentAddress;
}

} // namespace

void registerDialogCommands(commands::CommandTable& table)
{
    using namespace commands;
    using namespace dialogs::mib;
    static platform::QtPrompter messageBoxes;
    platform::setPrompter(&messageBoxes);

    table.setRunner(kCmdSystemInformation,
                    dialogRunner([](MainWindowContext&) { return std::make_unique<CSystemInformationDialog>(); }));
    table.setRunner(kCmdInterfaceTable, dialogRunner([](MainWindowContext&) { return newInterfaceTableDialog(); }));
    table.setRunner(kCmdIpTable, dialogRunner([](MainWindowContext&) { return newIpTableDialog(agentAddress()); }));
    table.setRunner(kCmdForwardingTable,
                    dialogRunner([](MainWindowContext&) { return std::make_unique<CForwardingTableDialog>(); }));
    table.setRunner(kCmdTcpService, dialogRunner([](MainWindowContext&) { return newTcpServiceDialog(); }));
    table.setRunner(kCmdUdpService, dialogRunner([](MainWindowContext&) { return newUdpServiceDialog(); }));
    table.setRunner(kCmdSpanningTree, dialogRunner([](MainWindowContext& context) {
                        return std::make_unique<CStpConfigurationDialog>(context.portCount());
                    }));
    registerVlanDialogs(table);

    management::registerPoeDialogs(table);
    switching::registerPortSecurityDialogs(table);

    switching::registerTrunkDialogs(table);

    management::registerSnmpAgentDialogs(table);

    registerLldpDialogs(table);

    table.setRunner(kCmdTelnet, [](MainWindowContext&) { runTelnet(agentAddress()); }, Dispatch::Direct);
    table.setSocketAction([](MainWindowContext&) { startTelnet(agentAddress()); });
    table.setRunner(kCmdWeb, [](MainWindowContext&) { runWeb(agentAddress()); }, Dispatch::Direct);
    table.setRunner(
        kCmdSaveConfiguration, [](MainWindowContext& context) { runSaveConfiguration(context); },
        Dispatch::Direct);
    table.setRunner(kCmdReboot, [](MainWindowContext& context) { runReboot(context); }, Dispatch::Direct);
    table.setRunner(kCmdAbout, [](MainWindowContext& context) { runAbout(context.deviceName()); });
    registerPortDialogs(table);
    management::registerTransferDialogs(table);
}

} // namespace dialogs
