#pragma once

#include <string>
#include <string_view>

namespace app {

// The switch model as User.ini's DeviceInfo section describes it.
struct DeviceDescription {
    static constexpr int kDefaultPortCount = 28;
    // The main window keeps 100 port states; larger counts would overrun them.
    static constexpr int kMaxPortCount = 100;

    std::string deviceName;
    int portCount = kDefaultPortCount;
    std::string xmlName;
    bool allGiga = false;
    bool hasFan = false;
};

// "User.ini" in the model's folder (platform::modelFolder).
std::string userIniPath();

// DeviceName alone (start-up needs it before anything else); "" when absent.
std::string readDeviceName(const std::string& iniPath);

// Every key of DeviceInfo. A DevicePortNum outside 1..kMaxPortCount gives
// the default port count. The caller decides what an empty DeviceName or
// XMLName means.
DeviceDescription readDeviceDescription(const std::string& iniPath);

// The last ports that have a second (fibre) position: 4 for 16, 24, 28, 48
// and 52 ports, 2 for 10, 0 for any other count.
int combinationPortCount(int portCount);

// A model with power over Ethernet has "P" or "p" in its name.
bool isPoeModel(std::string_view deviceName);

// Process-wide copy, written once by the main window's initialisation before
// the polling thread starts, read-only afterwards.
const DeviceDescription& deviceDescription();
void setDeviceDescription(const DeviceDescription& description);

} // namespace app
