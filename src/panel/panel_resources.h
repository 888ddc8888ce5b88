#pragma once

#include <QCursor>
#include <QIcon>

namespace panel {

// The cursor shown over ports and sockets.
QCursor PortCursor();
// The program's icon.
QIcon ProgramIcon();

} // namespace panel
