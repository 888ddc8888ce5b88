#pragma once

// The user's own settings, kept by the desktop (the Connect window stores
// its choices there). The module only reads them at start-up.
namespace app {

inline constexpr char kReadTablesInBulkKey[] = "readTablesInBulk";

// The user's "Read tables in bulk" choice; false when never made.
bool readTablesInBulk();

} // namespace app
