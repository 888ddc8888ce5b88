#include "harness.h"

#include "app/connect/device_description.h"
#include "platform/ini_file.h"

namespace fuzz {

int user_ini(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const platform::IniFile ini = platform::IniFile::parse(text);
    // The device description (below) reads its own section's keys; any line
    // of the file may name a section or key the reader is asked for.
    std::size_t begin = 0;
    for (int lines = 0; begin < text.size() && lines < 64; ++lines) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        const std::string_view line = text.substr(begin, end - begin);
        require(ini.readString(line, line, "default").size() <= std::max<std::size_t>(platform::IniFile::kMaxValueLength, 7),
                "value length");
        ini.readInt(line, line, 0);
        platform::parseProfileInt(line);
        begin = end + 1;
    }

    // The device description read from the same text as a file.
    const app::DeviceDescription description = app::readDeviceDescription(writeScratchFile("User.ini", text));
    require(description.portCount >= 1 && description.portCount <= app::DeviceDescription::kMaxPortCount,
            "port count within the port tables");
    require(description.deviceName == ini.readString("DeviceInfo", "DeviceName"), "file and text read alike");
    require(std::max(description.deviceName.size(), description.xmlName.size()) <= platform::IniFile::kMaxValueLength, "value length");
    const int combination = app::combinationPortCount(description.portCount);
    require(combination >= 0 && combination <= description.portCount, "combination ports among the ports");
    return 0;
}

} // namespace fuzz
