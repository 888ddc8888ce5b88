#pragma once

#include <QImage>
#include <string>

namespace art {

enum class PortKind { CopperUpper, CopperLower, FibreUpper, FibreLower };
// Status pictures in the panel file's order: link 100, link 10, disabled, enabled, empty.
enum class PortLook { Link100, Link10, Disabled, Enabled, Empty };

// File stem used in the panel files, e.g. "rj45u" or "sfpl".
std::string PortKindStem(PortKind kind);
std::string PortLookSuffix(PortLook look);

QImage DrawPort(PortKind kind, PortLook look);
// A lit status LED, 8 x 6.
QImage DrawGreenLed();

} // namespace art
