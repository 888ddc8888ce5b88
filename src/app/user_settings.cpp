#include "app/user_settings.h"

#include <QSettings>

namespace app {

bool readTablesInBulk()
{
    const QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("qmx-module"),
                             QStringLiteral("qmx-module"));
    return settings.value(QLatin1String(kReadTablesInBulkKey), false).toBool();
}

} // namespace app
