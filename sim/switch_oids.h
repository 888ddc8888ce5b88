#pragma once

#include "snmp/pdu.h"

// Where the simulated switch keeps its objects. Tables are given by their
// entry OID (column and index follow); scalars without their ".0".
namespace sim::oids {

using snmp::Oid;

inline const Oid kPrivate = {1, 3, 6, 1, 4, 1, 32473, 10, 75};
// Spanning-tree port settings some of the family serve outside the configuration branch.
inline const Oid kStpPortBranchEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 5, 6, 2, 1};
inline const Oid kPrivateConfig = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7};

// MIB-II
inline const Oid kSystem = {1, 3, 6, 1, 2, 1, 1};
inline const Oid kSysDescr = {1, 3, 6, 1, 2, 1, 1, 1};
inline const Oid kSysObjectId = {1, 3, 6, 1, 2, 1, 1, 2};
inline const Oid kSysUpTime = {1, 3, 6, 1, 2, 1, 1, 3};
inline const Oid kSysContact = {1, 3, 6, 1, 2, 1, 1, 4};
inline const Oid kSysName = {1, 3, 6, 1, 2, 1, 1, 5};
inline const Oid kSysLocation = {1, 3, 6, 1, 2, 1, 1, 6};
inline const Oid kSysServices = {1, 3, 6, 1, 2, 1, 1, 7};
inline const Oid kIfNumber = {1, 3, 6, 1, 2, 1, 2, 1};
inline const Oid kIfEntry = {1, 3, 6, 1, 2, 1, 2, 2, 1};
inline const Oid kIpAddrEntry = {1, 3, 6, 1, 2, 1, 4, 20, 1};
inline const Oid kTcpConnEntry = {1, 3, 6, 1, 2, 1, 6, 13, 1};
inline const Oid kUdpEntry = {1, 3, 6, 1, 2, 1, 7, 5, 1};

// BRIDGE-MIB and Q-BRIDGE-MIB
inline const Oid kDot1dBase = {1, 3, 6, 1, 2, 1, 17, 1};
inline const Oid kDot1dStp = {1, 3, 6, 1, 2, 1, 17, 2};
inline const Oid kDot1dStpPortEntry = {1, 3, 6, 1, 2, 1, 17, 2, 15, 1};
inline const Oid kDot1dTpAgingTime = {1, 3, 6, 1, 2, 1, 17, 4, 2};
inline const Oid kDot1qTpFdbEntry = {1, 3, 6, 1, 2, 1, 17, 7, 1, 2, 2, 1};

// LLDP-MIB
inline const Oid kLldp = {1, 0, 8802, 1, 1, 2};
inline const Oid kLldpLocal = {1, 0, 8802, 1, 1, 2, 1, 3};
inline const Oid kLldpRemEntry = {1, 0, 8802, 1, 1, 2, 1, 4, 1, 1};

// Private: device, PoE, LLDP settings
inline const Oid kFanStatus = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 1, 15, 1};
inline const Oid kPoePortEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 22, 1, 1};
inline const Oid kPoeRemainingPower = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 22, 6};
inline const Oid kPoeLedMode = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 22, 8};
inline const Oid kPoeTimeRangeEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 23, 1, 1};
inline const Oid kLldpSettings = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 24};
inline const Oid kLldpPseTlvEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 6, 24, 7, 1};

// Private configuration (under kPrivateConfig)
inline const Oid kReboot = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 1, 9};
inline const Oid kSaveConfig = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 1, 10};
inline const Oid kPortEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 1, 13, 1};
inline const Oid kTransfer = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 3};
inline const Oid kStpState = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 6, 1, 1};
inline const Oid kStpVersion = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 6, 1, 2};
inline const Oid kStpPortEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 6, 2, 1};
inline const Oid kAsymmetricVlan = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 7, 5};
inline const Oid kVlanEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 7, 6, 1};
inline const Oid kPvidEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 7, 7, 1};
inline const Oid kMulticastFilterEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 7, 8, 1};
inline const Oid kTrunkState = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 8, 1, 2};
inline const Oid kTrunkEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 8, 1, 3, 1};
inline const Oid kLearningPorts = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 9, 2};
inline const Oid kStaticFdbEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 9, 3, 1};
inline const Oid kRadius = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 11, 1};
inline const Oid kDot1x = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 11, 2};
inline const Oid kDot1xPortEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 11, 2, 9, 1};
inline const Oid kDefaultPriorityEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 12, 3, 1, 1};
inline const Oid kRateControlEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 13, 1, 2, 1};
inline const Oid kPortSecurityEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 14, 2, 1, 1};
inline const Oid kArpSpoofingEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 14, 3, 1, 1};
inline const Oid kDhcpScreeningPorts = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 14, 7, 1};
inline const Oid kAclEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 15, 2, 1, 1};
inline const Oid kSyslog = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 16, 1};
inline const Oid kLoopDetectEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 17, 4, 1};
inline const Oid kMirror = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 18};
inline const Oid kVoiceVlan = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 21, 1};
inline const Oid kVoicePortEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 21, 1, 6, 1};
inline const Oid kSnmpAgent = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 25};
inline const Oid kSnmpUserEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 25, 2, 1, 1};
inline const Oid kSnmpGroupEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 25, 3, 1, 1};
inline const Oid kSnmpViewEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 25, 4, 1, 1};
inline const Oid kSnmpCommunityEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 25, 5, 1, 1};
inline const Oid kSnmpHostEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 25, 6, 1, 1};
inline const Oid kSurveillance = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 26, 1};
inline const Oid kSurveillancePortEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 26, 1, 5, 1};
inline const Oid kSurveillanceOuiEntry = {1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 26, 2, 1, 1};

} // namespace sim::oids
