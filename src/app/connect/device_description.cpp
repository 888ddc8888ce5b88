#include "app/connect/device_description.h"

#include "platform/ini_file.h"
#include "platform/program_folder.h"

#include <filesystem>

namespace app {
namespace {

constexpr std::string_view kSection = "DeviceInfo";

DeviceDescription g_description;

bool isYes(const std::string& value)
{
    return value == "Y" || value == "y";
}

} // namespace

std::string userIniPath()
{
    const std::filesystem::path folder = platform::modelFolder();
    return folder.empty() ? "User.ini" : (folder / "User.ini").string();
}

std::string readDeviceName(const std::string& iniPath)
{
    return platform::IniFile::load(iniPath).readString(kSection, "DeviceName");
}

DeviceDescription readDeviceDescription(const std::string& iniPath)
{
    const platform::IniFile ini = platform::IniFile::load(iniPath);
    DeviceDescription d;
    d.deviceName = ini.readString(kSection, "DeviceName");
    const int ports = ini.readInt(kSection, "DevicePortNum", DeviceDescription::kDefaultPortCount);
    d.portCount = ports >= 1 && ports <= DeviceDescription::kMaxPortCount ? ports : DeviceDescription::kDefaultPortCount;
    d.xmlName = ini.readString(kSection, "XMLName");
    d.allGiga = isYes(ini.readString(kSection, "IsAllGiga"));
    d.hasFan = isYes(ini.readString(kSection, "IsHasFan"));
    return d;
}

int combinationPortCount(int portCount)
{
    switch (portCount) {
    case 16:
    case 24:
    case 28:
    case 48:
    case 52:
        return 4;
    case 10:
        return 2;
    default:
        return 0;
    }
}

bool isPoeModel(std::string_view deviceName)
{
    return deviceName.find_first_of("Pp") != std::string_view::npos;
}

const DeviceDescription& deviceDescription()
{
    return g_description;
}

void setDeviceDescription(const DeviceDescription& description)
{
    g_description = description;
}

} // namespace app
