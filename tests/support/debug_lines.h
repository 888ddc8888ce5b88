#pragma once

#include "platform/debug_output.h"

#include <mutex>
#include <string>
#include <vector>

// Records the debug output for its lifetime (from any thread).
class DebugLines {
public:
    DebugLines()
    {
        std::lock_guard lock(s_mutex);
        s_lines.clear();
        platform::setDebugSink(&record);
    }
    ~DebugLines() { platform::setDebugSink(nullptr); }

    std::vector<std::string> lines() const
    {
        std::lock_guard lock(s_mutex);
        return s_lines;
    }
    // The "=====" banner lines only.
    std::vector<std::string> banners() const
    {
        std::vector<std::string> out;
        for (std::string& line : lines())
            if (line.starts_with("====="))
                out.push_back(std::move(line));
        return out;
    }

private:
    static void record(std::string_view line)
    {
        std::lock_guard lock(s_mutex);
        s_lines.emplace_back(line);
    }
    static inline std::mutex s_mutex;
    static inline std::vector<std::string> s_lines;
};
