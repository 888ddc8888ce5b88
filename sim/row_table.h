#pragma once

#include "sim/mib_store.h"

#include <functional>
#include <optional>
#include <vector>

// Tables whose rows a manager creates and destroys through a row-status
// column (RFC 2579): createAndWait 5 leaves the row at status 5 to be filled
// by later sets, createAndGo 4 makes it active at once, 6 destroys it.
namespace sim {

enum RowStatus : std::int64_t { kActive = 1, kNotInService = 2, kNotReady = 3, kCreateAndGo = 4,
                                kCreateAndWait = 5, kDestroy = 6 };

struct RowColumn {
    std::uint32_t column = 0;
    snmp::Value initial;
    bool writable = true;
};

struct RowTable {
    snmp::Oid entry;
    std::uint32_t statusColumn = 0;
    std::vector<RowColumn> columns; // without the status column
    std::size_t maxRows = 0;
    // Whether `index` names a row the table may hold.
    std::function<bool(const snmp::Oid& index)> validIndex;
    // Columns that repeat a part of the index (names, addresses).
    std::function<std::optional<snmp::Value>(std::uint32_t column, const snmp::Oid& index)> fromIndex;

    snmp::Oid cell(std::uint32_t column, const snmp::Oid& index) const;
    bool holds(const snmp::Oid& oid) const; // under a column of this table
    std::uint32_t columnOf(const snmp::Oid& oid) const;
    snmp::Oid indexOf(const snmp::Oid& oid) const;

    bool exists(const MibStore& mib, const snmp::Oid& index) const;
    std::optional<std::int64_t> status(const MibStore& mib, const snmp::Oid& index) const;
    std::vector<snmp::Oid> indices(const MibStore& mib) const;
    void create(MibStore& mib, const snmp::Oid& index, std::int64_t status) const;
    void destroy(MibStore& mib, const snmp::Oid& index) const;
};

// The error-status a status set gets, 0 when it may proceed: only existing
// rows change state, and a new row needs a valid index and room in the table.
int rowStatusCheck(const RowTable& table, const MibStore& mib, const snmp::Oid& index, std::int64_t requested);

// Index forms of the private tables.
bool isTextIndex(const snmp::Oid& index, std::size_t trailing); // length, characters, then `trailing` arcs
std::string textFromIndex(const snmp::Oid& index);            // the characters of a text index
bool isOctetIndex(const snmp::Oid& index, std::size_t count);  // `count` arcs of 0..255

} // namespace sim
