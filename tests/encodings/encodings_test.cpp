#include "snmp/encodings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace snmp;
using namespace std::string_literals;

namespace {

std::vector<int> flagsFor(int portCount, std::initializer_list<int> ports)
{
    std::vector<int> flags(static_cast<std::size_t>(portCount), 0);
    for (int port : ports)
        flags[static_cast<std::size_t>(port - 1)] = 1;
    return flags;
}

} // namespace

TEST(PortBitmap, FiftyTwoPortsFillTwoWords)
{
    const auto bitmap = portFlagsToBitmap(flagsFor(52, {1, 52}), 52);
    EXPECT_EQ(bitmap.hex, "8000000000001000");
    EXPECT_EQ(bitmap.octets, "\x80\x00\x00\x00\x00\x00\x10\x00"s);
}

TEST(PortBitmap, TwentyEightPortsWithTheLastFourSet)
{
    const auto bitmap = portFlagsToBitmap(flagsFor(28, {25, 26, 27, 28}), 28);
    EXPECT_EQ(bitmap.hex, "000000f0");
    EXPECT_EQ(bitmap.octets, "\x00\x00\x00\xF0"s);
}

TEST(PortBitmap, LengthByPortCount)
{
    const std::vector<std::pair<int, std::size_t>> octetsByPorts = {{10, 4}, {16, 4}, {24, 4}, {28, 4}, {48, 8}, {52, 8}, {8, 4}, {33, 8}, {64, 8}, {65, 12}};
    for (const auto& [ports, octets] : octetsByPorts) {
        const auto bitmap = portFlagsToBitmap(std::vector<int>(static_cast<std::size_t>(ports), 1), ports);
        EXPECT_EQ(bitmap.octets.size(), octets) << ports;
        EXPECT_EQ(bitmap.hex.size(), 2 * octets) << ports;
        // Every port and nothing beyond it.
        const auto back = bitmapToPortList(bitmap.octets, ports);
        EXPECT_EQ(back.count, ports) << ports;
    }
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>(10, 1), 10).hex, "ffc00000");
}

TEST(PortBitmap, FlagsAreTakenAsBooleansAndOnlyUpToThePortCount)
{
    // A flag of 2 must not spill into a neighbour's bit.
    std::vector<int> flags(28, 0);
    flags[0] = 2;
    flags[3] = -1;
    EXPECT_EQ(portFlagsToBitmap(flags, 28).hex, "90000000");
    // Flags beyond the port count are not ports.
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>(40, 1), 28).hex, "fffffff0");
    // Missing flags count as zero.
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>{1}, 16).hex, "80000000");
    EXPECT_EQ(portFlagsToBitmap(std::vector<bool>{false, true, false, false, true}, 24).hex, "48000000");
}

TEST(PortList, BitmapDecodesMostSignificantBitFirst)
{
    const auto list = bitmapToPortList("\xC8\x00\x00\x40"s, 28);
    EXPECT_EQ(list.text, "1,2,5,26");
    EXPECT_EQ(list.count, 4);

    const auto none = bitmapToPortList("\x00\x00\x00\x00"s, 28);
    EXPECT_EQ(none.text, "");
    EXPECT_EQ(none.count, 0);
}

TEST(PortList, OnlyTheOctetsThePortCountNeedsAreDecoded)
{
    // Bits beyond port 28 in the fourth octet still decode as 29 to 32.
    EXPECT_EQ(bitmapToPortList("\x00\x00\x00\x0F\xFF\xFF"s, 28).text, "29,30,31,32");
    EXPECT_EQ(bitmapToPortList("\x80\x00\x00\x00\x00\x00\x10\x01"s, 52).text, "1,52");
    // A value shorter than the port count needs is read only as far as it goes.
    const auto shortValue = bitmapToPortList("\x01"s, 52);
    EXPECT_EQ(shortValue.text, "8");
    EXPECT_EQ(shortValue.count, 1);
    EXPECT_EQ(bitmapToPortList("", 28).count, 0);
}

TEST(PortList, HexNibblesCoverFourPortsEach)
{
    const auto list = hexNibblesToPortList("8000000000001");
    EXPECT_EQ(list.text, "1,52");
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(hexNibblesToPortList("F0a").text, "1,2,3,4,9,11");
    EXPECT_EQ(hexNibblesToPortList("0000").count, 0);
    EXPECT_EQ(hexNibblesToPortList("").text, "");
    // A stray character keeps its place but holds no port.
    EXPECT_EQ(hexNibblesToPortList("g1").text, "8");
}

TEST(HexOctets, PairsConvertAndOddLengthIsCompleted)
{
    EXPECT_EQ(hexToOctets("ABC"), "\xAB\xC0"s);
    EXPECT_EQ(hexToOctets("00ff7F"), "\x00\xFF\x7F"s);
    EXPECT_EQ(hexToOctets(""), "");
    EXPECT_EQ(hexToOctets("1"), "\x10"s);
}

TEST(HexOctets, CapacityBoundsTheOutput)
{
    EXPECT_EQ(hexToOctets("0102030405", 2), "\x01\x02"s);
    EXPECT_EQ(hexToOctets("0102", 0), "");
    EXPECT_EQ(hexToOctets("0102", 8), "\x01\x02"s);
}

TEST(HexOctets, NonDigitsEndAPairLikeANumberParse)
{
    EXPECT_EQ(hexToOctets("1G"), "\x01"s);
    EXPECT_EQ(hexToOctets("G1"), "\x00"s);
    EXPECT_EQ(hexToOctets("zz12"), "\x00\x12"s);
}

TEST(IndexSuffix, LengthThenCharacterCodes)
{
    EXPECT_EQ(textToIndexSuffix("abc", 32), ".3.97.98.99");
    EXPECT_EQ(textToIndexSuffix("", 32), ".0");
    EXPECT_EQ(textToIndexSuffix("abcdef", 2), ".2.97.98");
    EXPECT_EQ(textToIndexSuffix("ab\0cd"s, 32), ".2.97.98");
    // Bytes above 127 are sub-identifiers 128..255, never negative.
    EXPECT_EQ(textToIndexSuffix("\xC3\xA9", 32), ".2.195.169");
}

TEST(NameCheck, ForbiddenCharacters)
{
    EXPECT_TRUE(isValidName("Office floor_2"));
    EXPECT_TRUE(isValidName("a-b+c=(d)"));
    EXPECT_TRUE(isValidName(""));
    EXPECT_FALSE(isValidName("a,b"));
    EXPECT_FALSE(isValidName("v1.2"));
    EXPECT_EQ(kForbiddenNameCharacters.size(), 26u);
    for (char c : kForbiddenNameCharacters)
        EXPECT_FALSE(isValidName(std::string("name") + c)) << c;
}

TEST(MacText, ColonAndDashFormats)
{
    const std::string mac = "\x00\x1a\x2B\xff\x04\x5e"s;
    EXPECT_EQ(macToColonText(mac), "00:1A:2B:FF:04:5E");
    EXPECT_EQ(macToDashText(mac), "00-1A-2B-FF-04-5E");
    EXPECT_EQ(macToDashText(mac + "\x77"), "00-1A-2B-FF-04-5E");
    EXPECT_EQ(macToColonText("\x00\x01\x02\x03\x04"s), "");
}

TEST(Utf8, LocalTextRoundTripsThroughTheSwitchEncoding)
{
    for (const std::string& text : {"Office 2"s, "Zürich Büro"s, "東京 ルーム"s, "cam 📷 1"s}) {
        const std::string wire = localToUtf8(text, 256);
        EXPECT_EQ(wire, text); // local text is already UTF-8 here
        EXPECT_EQ(utf8ToLocal(wire), text);
    }
}

TEST(Utf8, CapacityKeepsWholeCharactersAndRoomForTheTerminator)
{
    EXPECT_EQ(localToUtf8("abcdef", 4), "abc");
    EXPECT_EQ(localToUtf8("abc", 4), "abc");
    EXPECT_EQ(localToUtf8("abc", 0), "");
    EXPECT_EQ(localToUtf8("aé", 3), "a");     // é needs two bytes: 1 + 2 is not below 3
    EXPECT_EQ(localToUtf8("aé", 4), "aé");
    EXPECT_EQ(localToUtf8("a📷b", 5), "a");    // the four-byte character is not split
    EXPECT_EQ(localToUtf8("a📷b", 7), "a📷b");
    const std::string name(200, 'n');
    EXPECT_EQ(localToUtf8(name, 128).size(), 127u);
}

TEST(Utf8, EncoderStopsAtZeroAndAfter256Units)
{
    EXPECT_EQ(localToUtf8("ab\0cd"s, 64), "ab");
    EXPECT_EQ(localToUtf8(std::string(300, 'x'), 1000), std::string(256, 'x'));
    // A character needing two units is not split at the limit.
    EXPECT_EQ(localToUtf8(std::string(255, 'x') + "📷", 1000), std::string(255, 'x'));
    // Bytes that are not UTF-8 go out as U+FFFD, never as raw bytes.
    EXPECT_EQ(localToUtf8("a\xFF" "b", 64), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(localToUtf8("\xC3", 64), "\xEF\xBF\xBD");
}

TEST(Utf8, DecoderTakesLeadBytesAsTheyCome)
{
    EXPECT_EQ(utf8ToLocal(""), "");
    EXPECT_EQ(utf8ToLocal(static_cast<const char*>(nullptr)), "");
    // A stray continuation byte stands for itself (U+0080..U+00BF).
    EXPECT_EQ(utf8ToLocal("a\x80"), "a\xC2\x80");
    // Continuation bytes are not checked, only their low six bits count.
    EXPECT_EQ(utf8ToLocal("\xC3\x29"), "\xC3\xA9"); // 0x29 & 0x3F = 0x29 -> U+00E9
    // Surrogates written one per three bytes join up again.
    EXPECT_EQ(utf8ToLocal("\xED\xA0\xBD\xED\xB3\xB7"), "📷");
    // A lone surrogate cannot be local text.
    EXPECT_EQ(utf8ToLocal("\xED\xA0\xBDx"), "\xEF\xBF\xBDx");
    // Five- and six-byte forms beyond Unicode give U+FFFD.
    EXPECT_EQ(utf8ToLocal("\xF8\x88\x80\x80\x80z"), "\xEF\xBF\xBDz");
    EXPECT_EQ(utf8ToLocal("\xFC\x84\x80\x80\x80\x80z"), "\xEF\xBF\xBDz");
    // An over-long zero ends the text like a real one.
    EXPECT_EQ(utf8ToLocal("ab\xC0\x80" "cd"), "ab");
}

TEST(Utf8, DecoderNeverReadsPastTheEnd)
{
    // Cut short by the terminating zero or by the end of the buffer: the
    // characters before stay, the broken one becomes U+FFFD, nothing after.
    EXPECT_EQ(utf8ToLocal("ab\xE6\x9D"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal("ab\xE6\0\x9D\xB1zz"s), "ab\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal(std::string_view("ab\xF0\x9F\x93\xB7", 5)), "ab\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal("\xFC"), "\xEF\xBF\xBD");
    // Embedded zero ends the value.
    EXPECT_EQ(utf8ToLocal("ab\0cd"s), "ab");
}

TEST(Utf8, DecoderStopsAfter255Units)
{
    EXPECT_EQ(utf8ToLocal(std::string(300, 'x')), std::string(255, 'x'));
    EXPECT_EQ(utf8ToLocal(std::string(254, 'x') + "📷"), std::string(254, 'x'));
    std::string wide;
    for (int i = 0; i < 300; ++i)
        wide += "é";
    EXPECT_EQ(utf8ToLocal(wide).size(), 255u * 2);
}
