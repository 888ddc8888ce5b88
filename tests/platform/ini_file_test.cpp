#include "platform/ini_file.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using platform::IniFile;
using platform::parseProfileInt;

namespace {

TEST(IniFile, LookUpLikeThePrivateProfileFunctions)
{
    const IniFile ini = IniFile::parse("A=0\n[deviceINFO]\n  devicename  =  QMX-7720-ZA  \n;XmlName=comment\nXmlName=\"panel file.xml\"\n"
                                       "Empty=\nBare\nXmlName=second\n[T]\nB='x'\n[DeviceInfo]\nLate=1\n"
                                       "[S]\nC=\"unbalanced\nD=\"\"inner\"\"\nE=\"\n");
    // Section and key ignore case; the first key and the first section of a
    // name count; a present empty key is not the default; quotes go only in
    // matching pairs; keys before any section belong to none.
    const std::tuple<const char*, const char*, const char*> cases[] = { // section, key, value
        {"DeviceInfo", "DeviceName", "QMX-7720-ZA"}, {"DEVICEINFO", "XMLNAME", "panel file.xml"}, {"T", "B", "x"},
        {"DeviceInfo", "Empty", ""}, {"DeviceInfo", "Bare", ""}, {"DeviceInfo", "Late", "def"}, {"", "A", "def"},
        {"Other", "DeviceName", "def"}, {"S", "C", "\"unbalanced"}, {"S", "D", "\"inner\""}, {"S", "E", "\""},
    };
    for (const auto& [section, key, value] : cases)
        EXPECT_EQ(ini.readString(section, key, "def"), value) << section << "/" << key;
}

TEST(IniFile, ReadsRealFilesWithByteOrderMarkAndCarriageReturnsCuttingValuesAndDefaultsAt259Characters)
{
    TempDir dir;
    const std::string longValue(300, 'v');
    const IniFile ini = IniFile::load(dir.write("User.ini", "\xEF\xBB\xBF[DeviceInfo]\r\nDeviceName=QMX-7720-ZA\r\nDevicePortNum=52\r\nA=" + longValue + "\r\n"));
    EXPECT_EQ(std::tuple(ini.readString("DeviceInfo", "DeviceName"), ini.readInt("DeviceInfo", "DevicePortNum", 28), ini.readString("DeviceInfo", "A"),
                         ini.readString("DeviceInfo", "missing", longValue)),
              std::tuple("QMX-7720-ZA", 52, std::string(259, 'v'), std::string(259, 'v')));
}

TEST(IniFile, IntegersParseLikeThePlatform)
{
    // Leading blanks and one sign, digits up to the first other character,
    // wrapping as a 32-bit value.
    for (const auto& [text, value] : std::initializer_list<std::pair<const char*, int>>{
             {"  \t24", 24}, {"+10", 10}, {"-5", -5}, {"28ports", 28}, {"0x1C", 0}, {"- 5", 0}, {"", 0},
             {"2147483647", 2147483647}, {"4294967297", 1}, {"4294967295", -1}})
        EXPECT_EQ(parseProfileInt(text), value) << text;
    // A key that is absent or empty gives the default; any other text parses.
    const IniFile ini = IniFile::parse("[S]\nN=  48 # comment\nX=abc\nE=\n");
    for (const auto& [key, value] : std::initializer_list<std::pair<const char*, int>>{{"N", 48}, {"X", 0}, {"E", 28}, {"absent", 28}})
        EXPECT_EQ(ini.readInt("S", key, 28), value) << key;
}

} // namespace
