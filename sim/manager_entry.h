#pragma once

#include <string>
#include <string_view>

// Where the manager's frames arrive: a forwarding entry the simulated switch
// holds from the start, so a module can find its own way in over loopback.
namespace sim {

struct ManagerEntry {
    int port = 0; // 0: no entry
    // Six octets. A module on loopback sees its next hop as all zeros.
    std::string mac = std::string(6, '\0');

    bool operator==(const ManagerEntry&) const = default;
};

// "--manager-port" N (1-100) or "--manager-mac" MAC (six hex pairs split
// by ':' or '-'). False for another option or a malformed argument.
bool addManagerOption(std::string_view option, std::string_view argument, ManagerEntry& entry);
// The options that give `entry` again (" --manager-port 5 --manager-mac 00-..."); "" for none.
std::string managerOptions(const ManagerEntry& entry);

} // namespace sim
