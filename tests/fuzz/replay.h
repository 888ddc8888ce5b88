#pragma once

#include "entries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// Every committed input of one target, seeds and findings, through its entry.
// An input that breaks an invariant or trips a sanitizer ends the test binary.
namespace fuzz {

inline void replayInputs(const std::string& target, Entry entry)
{
    std::size_t replayed = 0;
    for (const char* folder : {"corpus", "regressions"}) {
        const std::filesystem::path directory = std::filesystem::path(QMX_FUZZ_INPUTS) / folder / target;
        if (!std::filesystem::is_directory(directory))
            continue;
        for (const auto& file : std::filesystem::directory_iterator(directory)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            SCOPED_TRACE(file.path().string());
            EXPECT_EQ(entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u) << "no committed input for " << target;
}

} // namespace fuzz
