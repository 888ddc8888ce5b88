#pragma once

#include <array>
#include <atomic>
#include <cstdint>

// Front-panel data shared by the polling thread, the walk callbacks (session
// threads) and the window that paints it. Every field is atomic: the window
// reads while the callbacks write, and plain ints would be a data race.
namespace monitor {

inline constexpr int kMaxPorts = 100;

// Port states as the window draws them.
enum PortState : std::uint8_t {
    kPortLowerSpeed = 0, // amber on blink phase 1 (PoE: any other status text)
    kPortFullSpeed = 1,  // green on blink phase 0 (PoE: "POWER ON")
    kPortDisabled = 2,   // off picture (PoE: "POWER OFF", "Time-based OFF")
    kPortNoLink = 3,     // nothing beyond the off picture; also before any answer
};

struct PanelState {
    PanelState()
    {
        for (auto& state : portStates)
            state.store(kPortNoLink, std::memory_order_relaxed);
        for (auto& medium : mediumTypes)
            medium.store(0, std::memory_order_relaxed);
    }

    std::array<std::atomic<std::uint8_t>, kMaxPorts> portStates;
    std::array<std::atomic<int>, kMaxPorts> mediumTypes;
    std::atomic<int> ledMode{1};      // 1 link mode, 0 PoE mode
    std::atomic<int> powerMax{0};     // m_BIsPowMax: PoE budget nearly exhausted
    std::atomic<char> fanState{'1'};  // '1' normal, '2' fault
    std::atomic<bool> dialogOpen{false};
    std::atomic<bool> poeBusy{false};
};

} // namespace monitor
