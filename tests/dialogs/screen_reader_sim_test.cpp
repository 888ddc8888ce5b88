// What a screen reader reads in every dialog that takes input.
#include "dialogs/management/lldp_global_dialog.h"
#include "dialogs/management/lldp_med_dialog.h"
#include "dialogs/management/poe_configuration_dialog.h"
#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_group_table_dialog.h"
#include "dialogs/management/snmp_host_table_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "dialogs/management/snmp_user_table_dialog.h"
#include "dialogs/management/snmp_view_table_dialog.h"
#include "dialogs/management/surveillance_vlan_dialog.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/management/transfer_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "dialogs/switching/arp_spoofing_entry_dialog.h"
#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/dot1x_config_dialog.h"
#include "dialogs/switching/dot1x_port_dialog.h"
#include "dialogs/switching/multicast_filtering_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_member_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "screen_reader.h"
#include "simulated_switch_fixture.h"

#include <functional>
#include <memory>

using namespace dialogs::management;
using namespace dialogs::mib;
using namespace dialogs::switching;
using Dialog = std::unique_ptr<QDialog>;

class ScreenReader : public SimulatedSwitchTest<> {
protected:
    void SetUp() override { startSwitch("QMX-7740-ZP"); }
};

TEST_F(ScreenReader, EveryInputControlOfEveryDialogHasAName)
{
    const std::vector<std::function<Dialog()>> dialogs{
        [] { return std::make_unique<CPortSetInfo>(PortLayout{28, 4, true}); },
        [] { return std::make_unique<CVlanConfigurationDialog>(28, true); },
        [] { return std::make_unique<CVlanEntryDialog>(true, 28, std::vector<VlanEntry>{}, 0, false); },
        [] { return std::make_unique<CPvidDialog>(28, std::vector<VlanEntry>{}); },
        [] { return std::make_unique<CTrunkConfigurationDialog>(28); },
        [] { return std::make_unique<CTrunkMemberDialog>("1", "LACP", "1,2", 28); },
        [] { return std::make_unique<CDot1xConfigDialog>(28); },
        [] { return std::make_unique<CDot1xPortDialog>(28, Dot1xTimerTexts{}); },
        [] { return std::make_unique<CArpSpoofingEntryDialog>(28); },
        [] { return std::make_unique<CDhcpScreeningDialog>(28); },
        [] { return std::make_unique<CMulticastFilteringDialog>(); },
        [] { return std::make_unique<CSnmpGlobalStateDialog>(); },
        [] { return std::make_unique<CSnmpEngineIdDialog>(); },
        [] { return std::make_unique<CSnmpTrapDialog>("QMX-7740-ZP"); },
        [] { return std::make_unique<CSnmpUserTableDialog>(); },
        [] { return std::make_unique<CSnmpGroupTableDialog>(); },
        [] { return std::make_unique<CSnmpViewTableDialog>(); },
        [] { return std::make_unique<CSnmpCommunityTableDialog>(); },
        [] { return std::make_unique<CSnmpHostTableDialog>(); },
        [] { return std::make_unique<CTransferDialog>(); },
        [] { return std::make_unique<CPoeConfigurationDialog>(28); },
        [] { return std::make_unique<CTimeBasedPoeConfigDialog>(std::vector<RememberedRange>{}, std::nullopt); },
        [] { return std::make_unique<CLldpGlobalDialog>(); },
        [] { return std::make_unique<CLldpMedDialog>(28); },
        [] { return std::make_unique<CSurveillanceVlanDialog>(); },
        [] { return std::make_unique<CSyslogHostDialog>(); },
        [] { return std::make_unique<CStpConfigurationDialog>(28); },
        [] { return std::make_unique<CPortStpDialog>(std::vector<std::vector<std::string>>{}, 0, 28); },
    };
    for (const auto& open : dialogs) {
        const Dialog dialog = open();
        EXPECT_EQ(unnamedControls(*dialog), QStringList{}) << dialog->windowTitle().toStdString();
    }
}
