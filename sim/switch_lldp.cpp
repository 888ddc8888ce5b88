// LLDP and surveillance rules that look past the value being set.
#include "sim/simulated_switch.h"
#include "sim/snmp_errors.h"
#include "sim/switch_oids.h"

namespace sim {

using namespace oids;

int SimulatedSwitch::checkLldpValue(const snmp::Oid& oid, std::int64_t number) const
{
    // The TX delay may be at most a quarter of the TX interval in force.
    if (oid == joined(kLldpSettings, {5, 0}) && number * 4 > integerAt(joined(kLldpSettings, {3, 0})))
        return kInconsistentValue;
    return kNoError;
}

bool SimulatedSwitch::isDefaultOui(const snmp::Oid& index)
{
    // 00-00-5E-0x-xx-xx: the default OUI and its neighbours.
    return index.size() == 6 && index[0] == 0 && index[1] == 0 && index[2] == 0x5E && index[3] < 0x10;
}

int SimulatedSwitch::checkOuiCreate(const RowTable& table, const snmp::Oid& index) const
{
    if (isDefaultOui(index) || table.exists(m_mib, index))
        return kNoError;
    constexpr int kUserOuis = 5;
    int users = 0;
    const snmp::Oid column = joined(kSurveillanceOuiEntry, {5});
    for (auto cell = m_mib.nextUnder(column, column); cell; cell = m_mib.nextUnder(column, cell->oid))
        if (!isDefaultOui(snmp::Oid(cell->oid.begin() + static_cast<std::ptrdiff_t>(column.size()), cell->oid.end())))
            ++users;
    return users >= kUserOuis ? kResourceUnavailable : kNoError;
}

} // namespace sim
