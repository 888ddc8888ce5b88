#include "platform/ini_file.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using platform::IniFile;
using platform::parseProfileInt;

TEST(IniFile, LookUpLikeThePrivateProfileFunctions)
{
    const IniFile ini = IniFile::parse("A=0\n[deviceINFO]\n  devicename  =  QMX-7720-ZA  \n;XmlName=comment\nXmlName=\"panel file.xml\"\n"
                                       "Empty=\nBare\nXmlName=second\n[T]\nB='x'\n[DeviceInfo]\nLate=1\n");
    EXPECT_EQ(ini.readString("DeviceInfo", "DeviceName"), "QMX-7720-ZA");
    EXPECT_EQ(ini.readString("DEVICEINFO", "XMLNAME"), "panel file.xml"); // first key, quotes gone
    EXPECT_EQ(ini.readString("T", "B"), "x");
    EXPECT_EQ(ini.readString("DeviceInfo", "Empty", "def"), ""); // present: not the default
    EXPECT_EQ(ini.readString("DeviceInfo", "Bare", "def"), "");
    EXPECT_EQ(ini.readString("DeviceInfo", "Late", "def"), "def"); // only the first section of a name
    EXPECT_EQ(ini.readString("", "A", "def"), "def");              // keys before any section
    EXPECT_EQ(ini.readString("Other", "DeviceName", "def"), "def");
}

TEST(IniFile, QuotesAreStrippedOnlyWhenTheyMatch)
{
    const IniFile ini = IniFile::parse("[S]\nC=\"unbalanced\nD=\"\"inner\"\"\nE=\"\n");
    EXPECT_EQ(ini.readString("S", "C"), "\"unbalanced");
    EXPECT_EQ(ini.readString("S", "D"), "\"inner\"");
    EXPECT_EQ(ini.readString("S", "E"), "\"");
}

TEST(IniFile, ValuesAndDefaultsAreCutAt259Characters)
{
    const std::string longValue(300, 'v');
    const IniFile ini = IniFile::parse("[S]\nA=" + longValue + "\n");
    EXPECT_EQ(ini.readString("S", "A"), std::string(259, 'v'));
    EXPECT_EQ(ini.readString("S", "missing", longValue), std::string(259, 'v'));
}

TEST(IniFile, ReadsRealFilesWithByteOrderMarkAndCarriageReturns)
{
    TempDir dir;
    const IniFile ini = IniFile::load(dir.write("User.ini", "\xEF\xBB\xBF[DeviceInfo]\r\nDeviceName=QMX-7720-ZA\r\nDevicePortNum=52\r\n"));
    EXPECT_EQ(ini.readString("DeviceInfo", "DeviceName"), "QMX-7720-ZA");
    EXPECT_EQ(ini.readInt("DeviceInfo", "DevicePortNum", 28), 52);

    const IniFile missing = IniFile::load((dir.path() / "absent.ini").string());
    EXPECT_EQ(missing.readInt("DeviceInfo", "DevicePortNum", 28), 28);
}

TEST(IniFile, IntegersParseLikeThePlatform)
{
    EXPECT_EQ(parseProfileInt("  \t24"), 24);
    EXPECT_EQ(parseProfileInt("+10"), 10);
    EXPECT_EQ(parseProfileInt("-5"), -5);
    EXPECT_EQ(parseProfileInt("28ports"), 28);
    EXPECT_EQ(parseProfileInt("0x1C"), 0);
    EXPECT_EQ(parseProfileInt("- 5"), 0);
    EXPECT_EQ(parseProfileInt(""), 0);
    EXPECT_EQ(parseProfileInt("2147483647"), 2147483647);
    EXPECT_EQ(parseProfileInt("4294967297"), 1); // wraps as a 32-bit value
    EXPECT_EQ(parseProfileInt("4294967295"), -1);

    const IniFile ini = IniFile::parse("[S]\nN=  48 # comment\nX=abc\nE=\n");
    EXPECT_EQ(ini.readInt("S", "N", 28), 48);
    EXPECT_EQ(ini.readInt("S", "X", 28), 0);
    EXPECT_EQ(ini.readInt("S", "E", 28), 28);
    EXPECT_EQ(ini.readInt("S", "absent", 28), 28);
}
