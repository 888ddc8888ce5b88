#pragma once

#include "monitor/panel_state.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Turning the rows of the link and PoE walks into port states, medium types
// and port element statuses. Pure: no session, no thread, no window.
namespace monitor {

// One row of the link walk, values as the agent sent them.
struct LinkRow {
    int interfaceIndex = 0;
    std::string speed;
    std::string adminStatus;
    std::string operStatus;
    std::string mediumType;
};

// One row of the PoE walk.
struct PoeRow {
    int portIndex = 0;
    std::string statusText;
};

struct DeviceTraits {
    int portCount = 28;
    bool allGigabit = false;
};

// A status for the port element number `element` (0-based among the root's
// direct CPort children). Applied in order: a later entry may overwrite one.
struct ElementStatus {
    int element = 0;
    int status = 0;
    bool operator==(const ElementStatus&) const = default;
};

// The window's per-port data as one result, before it is published.
struct PortTable {
    std::array<std::uint8_t, kMaxPorts> states{};
    std::array<int, kMaxPorts> mediumTypes{};
};

struct PanelUpdate {
    PortTable ports;
    std::vector<ElementStatus> elements;
};

// The port table as it stands in the shared state (states and medium types).
PortTable snapshot(const PanelState& state);
void publish(const PortTable& ports, PanelState& state);
void resetPortStates(PanelState& state);

// The port element that shows port `port` (1-based) while its medium type
// is `mediumType`: a combination port on fibre shows on its fibre position.
int portElement(int port, int mediumType, const DeviceTraits& device);

int linkPortState(const LinkRow& row, const DeviceTraits& device);
int poePortState(const std::string& statusText);

// `before` supplies the medium types of ports that no row mentions.
PanelUpdate applyLinkResults(const std::vector<LinkRow>& rows, const DeviceTraits& device, const PortTable& before);
PanelUpdate applyPoeResults(const std::vector<PoeRow>& rows, const DeviceTraits& device, const PortTable& before);

// The first dotted component of a getSuffix text (".5.1" gives 5); 0 when none.
int firstSuffixComponent(const std::string& suffix);
// The power-budget value read as a decimal number: true when at most 7.0.
bool powerBudgetNearlyExhausted(const std::string& value);

} // namespace monitor
