#pragma once

#include "platform/debug_output.h"

#include <mutex>
#include <string>
#include <vector>

// Records the debug lines for its lifetime.
class DebugLines {
public:
    DebugLines()
    {
        std::lock_guard lock(mutex());
        lines().clear();
        platform::setDebugSink(&record);
    }
    ~DebugLines() { platform::setDebugSink(nullptr); }

    std::vector<std::string> taken() const
    {
        std::lock_guard lock(mutex());
        return lines();
    }

private:
    static void record(std::string_view line)
    {
        std::lock_guard lock(mutex());
        lines().emplace_back(line);
    }
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::vector<std::string>& lines()
    {
        static std::vector<std::string> l;
        return l;
    }
};
