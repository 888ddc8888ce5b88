#include "platform/ini_file.h"
#include "platform/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

using platform::IniFile;
using platform::parseProfileInt;

TEST(IniFile, SectionAndKeyNamesIgnoreCaseAndValuesAreTrimmed)
{
    const IniFile ini = IniFile::parse("[deviceINFO]\n  devicename  =  QMX-7720-ZA  \nXmlName=panel.xml\n");
    EXPECT_EQ(ini.readString("DeviceInfo", "DeviceName"), "QMX-7720-ZA");
    EXPECT_EQ(ini.readString("DEVICEINFO", "XMLNAME"), "panel.xml");
    EXPECT_EQ(ini.readString("Other", "DeviceName", "fallback"), "fallback");
    EXPECT_EQ(ini.readString("DeviceInfo", "Missing", "fallback"), "fallback");
}

TEST(IniFile, PresentButEmptyValueIsEmptyNotTheDefault)
{
    const IniFile ini = IniFile::parse("[S]\nA=\nB\n");
    EXPECT_EQ(ini.readString("S", "A", "def"), "");
    EXPECT_EQ(ini.readString("S", "B", "def"), "");
    EXPECT_EQ(ini.readInt("S", "A", 28), 28);
}

TEST(IniFile, OnlyTheFirstSectionOfANameAndTheFirstKeyCount)
{
    const IniFile ini = IniFile::parse("[S]\nA=1\nA=2\n[T]\nB=3\n[s]\nA=4\nC=5\n");
    EXPECT_EQ(ini.readString("S", "A"), "1");
    EXPECT_EQ(ini.readString("S", "C", "none"), "none");
    EXPECT_EQ(ini.readString("T", "B"), "3");
}

TEST(IniFile, KeysBeforeAnySectionAndCommentLinesAreIgnored)
{
    const IniFile ini = IniFile::parse("A=0\n; A=comment\n[S]\n;A=1\nA=2\n");
    EXPECT_EQ(ini.readString("S", "A"), "2");
    EXPECT_EQ(ini.readString("", "A", "none"), "none");
}

TEST(IniFile, MatchingQuotesAreStrippedOnce)
{
    const IniFile ini = IniFile::parse("[S]\nA=\"quoted value\"\nB='single'\nC=\"unbalanced\nD=\"\"inner\"\"\n");
    EXPECT_EQ(ini.readString("S", "A"), "quoted value");
    EXPECT_EQ(ini.readString("S", "B"), "single");
    EXPECT_EQ(ini.readString("S", "C"), "\"unbalanced");
    EXPECT_EQ(ini.readString("S", "D"), "\"inner\"");
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
    const std::string path = dir.write("User.ini", "\xEF\xBB\xBF[DeviceInfo]\r\nDeviceName=QMX-7720-ZA\r\nDevicePortNum=52\r\n");
    const IniFile ini = IniFile::load(path);
    EXPECT_EQ(ini.readString("DeviceInfo", "DeviceName"), "QMX-7720-ZA");
    EXPECT_EQ(ini.readInt("DeviceInfo", "DevicePortNum", 28), 52);

    const IniFile missing = IniFile::load((dir.path() / "absent.ini").string());
    EXPECT_EQ(missing.readString("DeviceInfo", "DeviceName", "d"), "d");
    EXPECT_EQ(missing.readInt("DeviceInfo", "DevicePortNum", 28), 28);
}

TEST(IniFile, IntegersParseLikeThePlatform)
{
    EXPECT_EQ(parseProfileInt("24"), 24);
    EXPECT_EQ(parseProfileInt("  \t24"), 24);
    EXPECT_EQ(parseProfileInt("+10"), 10);
    EXPECT_EQ(parseProfileInt("-5"), -5);
    EXPECT_EQ(parseProfileInt("28ports"), 28);
    EXPECT_EQ(parseProfileInt("0x1C"), 0);
    EXPECT_EQ(parseProfileInt("ports"), 0);
    EXPECT_EQ(parseProfileInt("- 5"), 0);
    EXPECT_EQ(parseProfileInt(""), 0);
    EXPECT_EQ(parseProfileInt("2147483647"), 2147483647);
    EXPECT_EQ(parseProfileInt("4294967297"), 1); // wraps as a 32-bit value
    EXPECT_EQ(parseProfileInt("4294967295"), -1);

    const IniFile ini = IniFile::parse("[S]\nN=  48 # comment\nX=abc\n");
    EXPECT_EQ(ini.readInt("S", "N", 28), 48);
    EXPECT_EQ(ini.readInt("S", "X", 28), 0);
    EXPECT_EQ(ini.readInt("S", "absent", 28), 28);
}
