#include "panel/panel_resources.h"

#include <QPixmap>

namespace panel {

QCursor PortCursor()
{
    // Hot spot: the tip of the pointing finger.
    return QCursor(QPixmap(QStringLiteral(":/qmx/cursor/398.xpm")), 6, 0);
}

QIcon ProgramIcon()
{
    return QIcon(QPixmap(QStringLiteral(":/qmx/icon/447.xpm")));
}

} // namespace panel
