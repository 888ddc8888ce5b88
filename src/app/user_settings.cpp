#include "app/user_settings.h"

namespace app {

std::unique_ptr<QSettings> moduleSettings()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "qmx-module", "qmx-module");
}

bool readTablesInBulk(const QSettings& settings, bool unset)
{
    return settings.value(QLatin1String(kReadTablesInBulkKey), unset).toBool();
}

bool readTablesInBulk()
{
    return readTablesInBulk(*moduleSettings(), false);
}

void keepReadTablesInBulk(QSettings& settings, bool on)
{
    settings.setValue(QLatin1String(kReadTablesInBulkKey), on);
}

} // namespace app
