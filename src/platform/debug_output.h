#pragma once

#include <string_view>

namespace platform {

// The module's diagnostic lines: one line each, no level, no time stamp.
// Off unless QMX_DEBUG is set in the environment (or a sink is installed).
// Never pass passwords or communities.
using DebugSink = void (*)(std::string_view line);

void debugOutput(std::string_view line);

// Replaces where the lines go (the application routes them into Qt's logging);
// nullptr restores the default. Install before any other thread starts.
void setDebugSink(DebugSink sink);

} // namespace platform
