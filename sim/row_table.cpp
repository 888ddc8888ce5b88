#include "sim/row_table.h"

#include "sim/snmp_errors.h"

#include <algorithm>

namespace sim {

snmp::Oid RowTable::cell(std::uint32_t column, const snmp::Oid& index) const
{
    return joined(joined(entry, {column}), index);
}

bool RowTable::holds(const snmp::Oid& oid) const { return oid.size() > entry.size() + 1 && startsWith(oid, entry); }

std::uint32_t RowTable::columnOf(const snmp::Oid& oid) const { return oid[entry.size()]; }

snmp::Oid RowTable::indexOf(const snmp::Oid& oid) const
{
    return snmp::Oid(oid.begin() + static_cast<std::ptrdiff_t>(entry.size() + 1), oid.end());
}

bool RowTable::exists(const MibStore& mib, const snmp::Oid& index) const
{
    return mib.find(cell(statusColumn, index)) != nullptr;
}

std::optional<std::int64_t> RowTable::status(const MibStore& mib, const snmp::Oid& index) const
{
    const MibEntry* entry = mib.find(cell(statusColumn, index));
    if (!entry)
        return std::nullopt;
    return entry->value.integer;
}

std::vector<snmp::Oid> RowTable::indices(const MibStore& mib) const
{
    std::vector<snmp::Oid> found;
    const snmp::Oid column = joined(entry, {statusColumn});
    snmp::Oid at = column;
    while (auto next = mib.nextUnder(column, at)) {
        found.push_back(snmp::Oid(next->oid.begin() + static_cast<std::ptrdiff_t>(column.size()), next->oid.end()));
        at = next->oid;
    }
    return found;
}

void RowTable::create(MibStore& mib, const snmp::Oid& index, std::int64_t rowStatus) const
{
    for (const auto& column : columns) {
        auto value = fromIndex ? fromIndex(column.column, index) : std::nullopt;
        mib.put(cell(column.column, index), value ? *value : column.initial,
                column.writable ? Access::ReadWrite : Access::ReadOnly);
    }
    mib.put(cell(statusColumn, index), integerValue(rowStatus), Access::ReadWrite);
}

void RowTable::destroy(MibStore& mib, const snmp::Oid& index) const
{
    for (const auto& column : columns)
        mib.erase(cell(column.column, index));
    mib.erase(cell(statusColumn, index));
}

int rowStatusCheck(const RowTable& table, const MibStore& mib, const snmp::Oid& index, std::int64_t requested)
{
    const bool exists = table.exists(mib, index);
    switch (requested) {
    case kActive:
    case kNotInService:
        return exists ? 0 : kInconsistentValue;
    case kCreateAndGo:
    case kCreateAndWait:
        if (exists)
            return kInconsistentValue;
        if (!table.validIndex(index))
            return kNoCreation;
        return table.indices(mib).size() < table.maxRows ? 0 : kResourceUnavailable;
    case kDestroy:
        return 0;
    default:
        return kWrongValue;
    }
}

bool isTextIndex(const snmp::Oid& index, std::size_t trailing)
{
    if (index.empty() || index[0] == 0 || index[0] > 64 || index.size() != index[0] + 1 + trailing)
        return false;
    return std::all_of(index.begin() + 1, index.begin() + 1 + index[0], [](std::uint32_t c) { return c >= 1 && c <= 255; });
}

std::string textFromIndex(const snmp::Oid& index)
{
    std::string text;
    for (std::size_t i = 1; i <= index[0] && i < index.size(); ++i)
        text.push_back(static_cast<char>(index[i]));
    return text;
}

bool isOctetIndex(const snmp::Oid& index, std::size_t count)
{
    return index.size() == count && std::all_of(index.begin(), index.end(), [](std::uint32_t arc) { return arc <= 255; });
}

} // namespace sim
