#pragma once

#include <QSettings>

#include <memory>

// The user's own settings, kept by the desktop: the Connect window stores its
// choices there, and both starts read them.
namespace app {

inline constexpr char kReadTablesInBulkKey[] = "readTablesInBulk";

// QSettings(NativeFormat, UserScope, "qmx-module", "qmx-module").
std::unique_ptr<QSettings> moduleSettings();

// The user's "Read tables in bulk" choice; `unset` when never made (a console
// start sends what it always sent, the Connect window reads in bulk).
bool readTablesInBulk(const QSettings& settings, bool unset);
bool readTablesInBulk(); // the user's settings, false when never made
void keepReadTablesInBulk(QSettings& settings, bool on);

} // namespace app
