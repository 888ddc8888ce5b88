#include "app/connect/device_description.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using app::readDeviceDescription;

TEST(DeviceDescription, ReadsEveryKeyOfDeviceInfoAndAbsentKeysAndFileGiveTheDefaults)
{
    TempDir dir;
    const std::string path = dir.write("User.ini", "[other]\nDeviceName=wrong\n[deviceinfo]\ndevicename=QMX-7720-ZA\n"
                                                   "DEVICEPORTNUM= 52\nXMLName=QMX-7720-ZA.xml\nIsAllGiga=y\nIsHasFan=Y\n");
    const auto d = readDeviceDescription(path);
    EXPECT_EQ(std::tuple(d.deviceName, d.xmlName, d.portCount, d.allGiga, d.hasFan), std::tuple("QMX-7720-ZA", "QMX-7720-ZA.xml", 52, true, true));

    // Only "Y" or "y" is on.
    const auto e = readDeviceDescription(dir.write("User.ini", "[DeviceInfo]\nDeviceName=" + std::string(300, 'N') + "\nIsAllGiga=yes\nIsHasFan=N\n"));
    EXPECT_EQ(std::tuple(e.deviceName, e.xmlName, e.portCount, e.allGiga, e.hasFan), std::tuple(std::string(259, 'N'), "", 28, false, false));
    EXPECT_EQ(readDeviceDescription((dir.path() / "missing.ini").string()).portCount, 28); // the application object's test reads the name
}

TEST(DeviceDescription, PortCountOutsideWhatTheWindowHoldsFallsBackToTheDefault)
{
    TempDir dir;
    // "abc" parses as 0.
    for (const auto& [value, count] : {std::pair<const char*, int>{"1", 1}, {"+16", 16}, {"100", 100}, {"", 28},
                                       {"abc", 28}, {"-8", 28}, {"101", 28}})
        EXPECT_EQ(readDeviceDescription(dir.write("User.ini", std::string("[DeviceInfo]\nDevicePortNum=") + value + "\n")).portCount,
                  count) << value;
}

TEST(DeviceDescription, CombinationPortsAndPoeModels)
{
    for (const auto& [ports, combos] : {std::pair{16, 4}, {24, 4}, {28, 4}, {48, 4}, {52, 4}, {10, 2}, {0, 0}, {8, 0},
                                        {12, 0}, {26, 0}, {50, 0}, {100, 0}})
        EXPECT_EQ(app::combinationPortCount(ports), combos) << ports;
    EXPECT_EQ((std::vector{app::isPoeModel("QMX-7720-ZAP"), app::isPoeModel("qmx-7720p-za"), app::isPoeModel("QMX-7720-ZA")}),
              (std::vector{true, true, false}));
}
