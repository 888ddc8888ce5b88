#pragma once

#include "commands/management_path.h"
#include "platform/next_hop.h"

namespace snmp {
class CCommonSnmp;
}

namespace monitor {

// One read of the path on `session`, on the calling thread (never the UI
// thread: it waits on the switch): sysName.0, the PVID of every port, the
// forwarding entry of the hop's MAC in each PVID's VLAN, lowest first, and
// that VLAN's untagged members. Any step that fails leaves the path unknown.
commands::ManagementPath readManagementPath(snmp::CCommonSnmp& session, const platform::NextHop& hop, int portCount);

} // namespace monitor
