#pragma once

#include <QLoggingCategory>

namespace platform {

// Category "qmx.debug" carrying platform::debugOutput's lines. Its debug
// level is on when QMX_DEBUG is set in the environment; Qt's own logging
// rules (QT_LOGGING_RULES="qmx.debug.debug=true") switch it as well.
const QLoggingCategory& qmxDebugCategory();

// Routes platform::debugOutput into qmxDebugCategory(). Call once at start-up,
// before any other thread runs.
void installQtDebugSink();

} // namespace platform
