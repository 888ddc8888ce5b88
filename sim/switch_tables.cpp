// The private tables whose rows a manager creates and destroys.
#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

namespace sim {
namespace {

using namespace oids;

RowColumn rw(std::uint32_t column, snmp::Value initial) { return RowColumn{column, std::move(initial), true}; }
RowColumn ro(std::uint32_t column, snmp::Value initial) { return RowColumn{column, std::move(initial), false}; }

std::string octetsOf(const snmp::Oid& arcs)
{
    std::string octets;
    for (auto arc : arcs)
        octets.push_back(static_cast<char>(arc));
    return octets;
}

bool inRange(const snmp::Oid& index, std::uint32_t low, std::uint32_t high)
{
    return index.size() == 1 && index[0] >= low && index[0] <= high;
}

} // namespace

void SimulatedSwitch::defineRowTables()
{
    const std::string noPorts = encodePortList({}, m_model.portCount);
    const snmp::Value text = octetValue("");

    RowTable vlans{kVlanEntry, 5, {rw(1, text), rw(2, octetValue(noPorts)), rw(4, octetValue(noPorts))}, 256,
                   [](const snmp::Oid& index) { return inRange(index, 1, 4094); }, {}};

    RowTable arp{kArpSpoofingEntry, 4,
                 {ro(1, ipValue(std::string(4, '\0'))), rw(2, octetValue(std::string(6, '\0'))), rw(3, octetValue(noPorts))},
                 64, [](const snmp::Oid& index) { return isOctetIndex(index, 4); },
                 [](std::uint32_t column, const snmp::Oid& index) -> std::optional<snmp::Value> {
                     if (column == 1)
                         return ipValue(octetsOf(index));
                     return std::nullopt;
                 }};

    // Name, security model: the user and group indices; the group adds the level.
    auto nameAndNumbers = [](const snmp::Oid& index, std::size_t trailing) {
        if (!isTextIndex(index, trailing))
            return false;
        for (std::size_t i = index.size() - trailing; i < index.size(); ++i)
            if (index[i] < 1 || index[i] > 3)
                return false;
        return true;
    };
    auto nameColumns = [](std::uint32_t column, const snmp::Oid& index) -> std::optional<snmp::Value> {
        if (column == 1)
            return octetValue(textFromIndex(index));
        const std::size_t trailing = index.size() - index[0] - 1;
        if (column >= 2 && column - 2 < trailing)
            return integerValue(index[index[0] + column - 1]);
        return std::nullopt;
    };
    auto nameOnly = [](std::uint32_t column, const snmp::Oid& index) -> std::optional<snmp::Value> {
        if (column == 1)
            return octetValue(textFromIndex(index));
        return std::nullopt;
    };
    RowTable users{kSnmpUserEntry, 8,
                   {ro(1, text), ro(2, integerValue(0)), rw(3, text), rw(4, integerValue(1)), rw(5, text),
                    rw(6, integerValue(1)), rw(7, text)},
                   50, [=](const snmp::Oid& index) { return nameAndNumbers(index, 1); }, nameColumns};
    RowTable groups{kSnmpGroupEntry, 7,
                    {ro(1, text), ro(2, integerValue(0)), ro(3, integerValue(0)), rw(4, text), rw(5, text), rw(6, text)},
                    50, [=](const snmp::Oid& index) { return nameAndNumbers(index, 2); }, nameColumns};
    RowTable views{kSnmpViewEntry, 5, {ro(1, text), rw(3, text), rw(4, integerValue(1))}, 50,
                   [](const snmp::Oid& index) {
                       if (index.empty() || index[0] == 0 || index.size() < index[0] + 2)
                           return false;
                       const std::size_t length = index[index[0] + 1];
                       return isTextIndex(index, length + 1) && length >= 1;
                   },
                   nameOnly};
    RowTable communities{kSnmpCommunityEntry, 3, {ro(1, text), rw(2, text)}, 10,
                         [](const snmp::Oid& index) { return isTextIndex(index, 0); }, nameOnly};
    RowTable hosts{kSnmpHostEntry, 4, {ro(1, ipValue(std::string(4, '\0'))), rw(2, text), rw(3, integerValue(1))}, 10,
                   [](const snmp::Oid& index) { return isOctetIndex(index, 4); }, arp.fromIndex};

    std::vector<RowColumn> rangeColumns = {ro(1, integerValue(0)), rw(2, text), rw(3, integerValue(2))};
    const std::pair<std::uint32_t, int> dates[] = {{4, 2009}, {5, 1}, {6, 1}, {7, 0}, {8, 0},
                                                   {9, 2037}, {10, 12}, {11, 31}, {12, 23}, {13, 59}};
    for (const auto& [column, value] : dates)
        rangeColumns.push_back(rw(column, integerValue(value)));
    for (std::uint32_t day = 14; day <= 20; ++day)
        rangeColumns.push_back(rw(day, integerValue(2)));
    RowTable timeRanges{kPoeTimeRangeEntry, 21, rangeColumns, 8,
                        [](const snmp::Oid& index) { return inRange(index, 1, 8); },
                        [](std::uint32_t column, const snmp::Oid& index) -> std::optional<snmp::Value> {
                            if (column == 1)
                                return integerValue(index[0]);
                            return std::nullopt;
                        }};

    const std::string ouiMask{'\xff', '\xff', '\xff', '\0', '\0', '\0'};
    RowTable surveillanceOuis{kSurveillanceOuiEntry, 5,
                              {ro(1, text), rw(2, text), ro(3, octetValue(ouiMask)), rw(4, integerValue(4))}, 6,
                              [](const snmp::Oid& index) { return isOctetIndex(index, 6); },
                              [](std::uint32_t column, const snmp::Oid& index) -> std::optional<snmp::Value> {
                                  if (column == 1)
                                      return octetValue(octetsOf(index));
                                  return std::nullopt;
                              }};

    m_rowTables = {std::move(vlans), std::move(arp),   std::move(users),      std::move(groups),
                   std::move(views), std::move(communities), std::move(hosts), std::move(surveillanceOuis)};
    if (m_model.poe)
        m_rowTables.push_back(std::move(timeRanges));
}

const RowTable* SimulatedSwitch::rowTableOf(const snmp::Oid& oid) const
{
    for (const auto& table : m_rowTables)
        if (table.holds(oid))
            return &table;
    return nullptr;
}

} // namespace sim
