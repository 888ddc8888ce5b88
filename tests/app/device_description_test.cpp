#include "app/device_description.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using app::readDeviceDescription;

TEST(DeviceDescription, ReadsEveryKeyOfDeviceInfo)
{
    TempDir dir;
    const std::string path = dir.write("User.ini", "[other]\nDeviceName=wrong\n[deviceinfo]\ndevicename=QMX-7720-ZA\n"
                                                   "DEVICEPORTNUM= 52\nXMLName=QMX-7720-ZA.xml\nIsAllGiga=y\nIsHasFan=Y\n");
    const auto d = readDeviceDescription(path);
    EXPECT_EQ(d.deviceName, "QMX-7720-ZA");
    EXPECT_EQ(d.portCount, 52);
    EXPECT_EQ(d.xmlName, "QMX-7720-ZA.xml");
    EXPECT_TRUE(d.allGiga);
    EXPECT_TRUE(d.hasFan);
    EXPECT_EQ(app::readDeviceName(path), "QMX-7720-ZA");
}

TEST(DeviceDescription, AbsentKeysAndFileGiveTheDefaults)
{
    TempDir dir;
    const auto d = readDeviceDescription(dir.write("User.ini", "[DeviceInfo]\nDeviceName=" + std::string(300, 'N') + "\nIsAllGiga=yes\nIsHasFan=N\n"));
    EXPECT_EQ(d.deviceName, std::string(259, 'N'));
    EXPECT_EQ(d.portCount, 28);
    EXPECT_EQ(d.xmlName, "");
    EXPECT_FALSE(d.allGiga); // only "Y" or "y"
    EXPECT_FALSE(d.hasFan);

    const std::string missing = (dir.path() / "missing.ini").string();
    EXPECT_EQ(readDeviceDescription(missing).portCount, 28);
    EXPECT_EQ(app::readDeviceName(missing), "");
}

TEST(DeviceDescription, PortCountOutsideWhatTheWindowHoldsFallsBackToTheDefault)
{
    TempDir dir;
    const auto portCountOf = [&](const std::string& value) {
        return readDeviceDescription(dir.write("User.ini", "[DeviceInfo]\nDevicePortNum=" + value + "\n")).portCount;
    };
    EXPECT_EQ(portCountOf("24 ports"), 24);
    EXPECT_EQ(portCountOf("+16"), 16);
    EXPECT_EQ(portCountOf("100"), 100);
    EXPECT_EQ(portCountOf(""), 28);
    EXPECT_EQ(portCountOf("abc"), 28); // parses as 0
    EXPECT_EQ(portCountOf("-8"), 28);
    EXPECT_EQ(portCountOf("101"), 28);
}

TEST(DeviceDescription, CombinationPortsAndPoeModels)
{
    for (int ports : {16, 24, 28, 48, 52})
        EXPECT_EQ(app::combinationPortCount(ports), 4) << ports;
    EXPECT_EQ(app::combinationPortCount(10), 2);
    for (int ports : {0, 8, 12, 26, 50, 100})
        EXPECT_EQ(app::combinationPortCount(ports), 0) << ports;

    EXPECT_TRUE(app::isPoeModel("QMX-7720-ZAP"));
    EXPECT_TRUE(app::isPoeModel("qmx-7720p-za"));
    EXPECT_FALSE(app::isPoeModel("QMX-7720-ZA"));
}

TEST(DeviceDescription, UserIniLiesBesideTheExecutable)
{
    const std::filesystem::path path = app::userIniPath();
    EXPECT_EQ(path.filename(), "User.ini");
    EXPECT_TRUE(std::filesystem::exists(path.parent_path() / "app_core_tests"));
}
