#pragma once

#include "fuzz_reader.h"

#include <chrono>
#include <thread>

namespace fuzz {

// Waits for `done` with short naps. Every answer of the fuzz agents is
// immediate, so something still pending after 20 s never ends: a finding.
template <typename Done>
void waitFor(Done done, const char* what)
{
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done()) {
        require(std::chrono::steady_clock::now() < limit, what);
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
}

} // namespace fuzz
