// What the switch holds to in its PoE time ranges and user-defined limits.
#include "platform/decimal_text.h"
#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

#include <cmath>
#include <cstdlib>

namespace sim {
namespace {

using namespace oids;

bool isCalendarDate(std::int64_t year, std::int64_t month, std::int64_t day)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12 || day < 1)
        return false;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

} // namespace

int SimulatedSwitch::checkPoeValue(const snmp::Oid& oid, const snmp::Value& value) const
{
    if (startsWith(oid, joined(kPoePortEntry, {8})) && value.type == snmp::Asn::OctetString) {
        // Tenths of a watt in steps of 0.2 W.
        const double tenths = platform::leadingDecimal(value.octets) * 10;
        if (std::fabs(tenths / 2 - std::round(tenths / 2)) > 1e-6)
            return kWrongValue;
    }
    const RowTable* ranges = rowTableOf(joined(kPoeTimeRangeEntry, {21, 1}));
    if (ranges && ranges->holds(oid) && ranges->columnOf(oid) == 2) {
        // Names are unique across the table.
        const snmp::Oid index = ranges->indexOf(oid);
        for (const snmp::Oid& other : ranges->indices(m_mib))
            if (other != index && octetsAt(ranges->cell(2, other)) == value.octets)
                return kInconsistentValue;
    }
    return kNoError;
}

int SimulatedSwitch::checkTimeRangeActivation(const snmp::Oid& index) const
{
    const auto column = [&](std::uint32_t c) { return integerAt(joined(joined(kPoeTimeRangeEntry, {c}), index)); };
    if (column(7) * 100 + column(8) == column(12) * 100 + column(13))
        return kInconsistentValue;
    if (column(3) != 1)
        return kNoError;
    if (!isCalendarDate(column(4), column(5), column(6)) || !isCalendarDate(column(9), column(10), column(11)))
        return kInconsistentValue;
    const auto date = [&](std::uint32_t first) { return column(first) * 10000 + column(first + 1) * 100 + column(first + 2); };
    return date(4) > date(9) ? kInconsistentValue : kNoError;
}

bool SimulatedSwitch::timeRangeActive(std::uint32_t index) const
{
    return integerAt(joined(kPoeTimeRangeEntry, {21, index})) == kActive;
}

} // namespace sim
