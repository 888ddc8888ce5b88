#pragma once

#include "platform/debug_output.h"

#include <mutex>
#include <string>
#include <vector>

// Records the "=====" banner lines of the debug output for its lifetime.
class DebugLines {
public:
    DebugLines() { platform::setDebugSink(&record); }
    ~DebugLines()
    {
        platform::setDebugSink(nullptr);
        std::lock_guard lock(s_mutex);
        s_banners.clear();
    }

    std::vector<std::string> banners() const
    {
        std::lock_guard lock(s_mutex);
        return s_banners;
    }

private:
    static void record(std::string_view line)
    {
        std::lock_guard lock(s_mutex);
        if (line.starts_with("====="))
            s_banners.emplace_back(line);
    }
    static inline std::mutex s_mutex;
    static inline std::vector<std::string> s_banners;
};
