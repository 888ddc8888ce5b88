#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The path by which this computer reaches the switch: the switch port its
// frames arrive on and the VLAN they arrive in. Qt-free, so dialog rules and
// tests use it directly.
namespace commands {

struct ManagementPath {
    bool known = false;
    int port = 0;   // 1-based switch port of this computer's next hop
    int vlan = 0;   // the VLAN of its forwarding entry (the frames arrive untagged in it)
    int pvid = 0;   // that port's PVID as read
    bool untagged = true; // the port leaves `vlan` untagged, as read
    std::string mac;      // the next hop's MAC, "00-00-00-00-00-00"
    std::string unknownWhy; // when !known: why, for the status line
};

// Reads the path on a session of its own, off the UI thread.
class ManagementPathSource {
public:
    virtual ~ManagementPathSource() = default;
    // A fresh read; `done` runs later on the thread that asked (never from
    // inside this call), unless that thread's receiver is gone.
    virtual void read(std::function<void(const ManagementPath&)> done) = 0;
    // The last read's result (unknown before the first one ended).
    virtual ManagementPath last() const = 0;
};

// The source dialogs use; null while none (nothing is then asked).
void setManagementPathSource(std::shared_ptr<ManagementPathSource> source);
std::shared_ptr<ManagementPathSource> managementPathSource();

} // namespace commands
