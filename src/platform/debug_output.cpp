#include "platform/debug_output.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

std::atomic<DebugSink> g_sink{nullptr};

void stderrSink(std::string_view line)
{
    static const bool enabled = std::getenv("QMX_DEBUG") != nullptr;
    if (!enabled)
        return;
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

} // namespace

void debugOutput(std::string_view line)
{
    DebugSink sink = g_sink.load(std::memory_order_acquire);
    (sink ? sink : stderrSink)(line);
}

void setDebugSink(DebugSink sink)
{
    g_sink.store(sink, std::memory_order_release);
}

} // namespace platform
