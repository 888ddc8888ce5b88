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

TEST(PortBitmap, PortOneIsTheTopBitAndTheValueFillsWholeWords)
{
    const auto ports52 = portFlagsToBitmap(flagsFor(52, {1, 52}), 52);
    EXPECT_EQ(ports52.hex, "8000000000001000");
    EXPECT_EQ(ports52.octets, "\x80\x00\x00\x00\x00\x00\x10\x00"s);
    EXPECT_EQ(portFlagsToBitmap(flagsFor(28, {25, 26, 27, 28}), 28).octets, "\x00\x00\x00\xF0"s);
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>(10, 1), 10).hex, "ffc00000");

    const std::vector<std::pair<int, std::size_t>> octetsByPorts = {{10, 4}, {16, 4}, {24, 4}, {28, 4}, {48, 8}, {52, 8}, {33, 8}, {65, 12}};
    for (const auto& [ports, octets] : octetsByPorts) {
        const auto all = portFlagsToBitmap(std::vector<int>(static_cast<std::size_t>(ports), 1), ports);
        EXPECT_EQ(all.octets.size(), octets) << ports;
        EXPECT_EQ(all.hex.size(), 2 * octets) << ports;
        EXPECT_EQ(bitmapToPortList(all.octets, ports).count, ports) << ports; // every port, nothing beyond
    }
}

TEST(PortBitmap, FlagsAreBooleansAndStopAtThePortCount)
{
    std::vector<int> flags(28, 0);
    flags[0] = 2;  // must not spill into a neighbour's bit
    flags[3] = -1;
    EXPECT_EQ(portFlagsToBitmap(flags, 28).hex, "90000000");
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>(40, 1), 28).hex, "fffffff0");
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>{1}, 16).hex, "80000000"); // missing flags are 0
    EXPECT_EQ(portFlagsToBitmap(std::vector<bool>{false, true, false, false, true}, 24).hex, "48000000");
}

TEST(PortList, DecodesOnlyTheOctetsThePortCountNeeds)
{
    const auto list = bitmapToPortList("\xC8\x00\x00\x40"s, 28);
    EXPECT_EQ(list.text, "1,2,5,26");
    EXPECT_EQ(list.count, 4);
    const auto none = bitmapToPortList("\x00\x00\x00\x00"s, 28);
    EXPECT_EQ(none.text + std::to_string(none.count), "0");
    // Bits past port 28 in the fourth octet still decode; a fifth octet does not.
    EXPECT_EQ(bitmapToPortList("\x00\x00\x00\x0F\xFF"s, 28).text, "29,30,31,32");
    EXPECT_EQ(bitmapToPortList("\x80\x00\x00\x00\x00\x00\x10\x01"s, 52).text, "1,52");
    // A value shorter than the port count needs is read only as far as it goes.
    EXPECT_EQ(bitmapToPortList("\x01"s, 52).text, "8");
}

TEST(PortList, HexNibblesCoverFourPortsEach)
{
    const auto list = hexNibblesToPortList("8000000000001");
    EXPECT_EQ(list.text, "1,52");
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(hexNibblesToPortList("F0a").text, "1,2,3,4,9,11");
    EXPECT_EQ(hexNibblesToPortList("0000").count, 0);
    EXPECT_EQ(hexNibblesToPortList("g1").text, "8"); // a stray character keeps its place
}

TEST(HexOctets, PairsOddLengthCapacityAndStrayCharacters)
{
    EXPECT_EQ(hexToOctets("ABC"), "\xAB\xC0"s);
    EXPECT_EQ(hexToOctets("00ff7F"), "\x00\xFF\x7F"s);
    EXPECT_EQ(hexToOctets("0102030405", 2), "\x01\x02"s);
    EXPECT_EQ(hexToOctets("0102", 0), "");
    // A pair converts like a base-16 number parse: leading digits count.
    EXPECT_EQ(hexToOctets("1G"), "\x01"s);
    EXPECT_EQ(hexToOctets("zz12"), "\x00\x12"s);
}

TEST(IndexSuffix, LengthThenCharacterCodes)
{
    EXPECT_EQ(textToIndexSuffix("abc", 32), ".3.97.98.99");
    EXPECT_EQ(textToIndexSuffix("", 32), ".0");
    EXPECT_EQ(textToIndexSuffix("abcdef", 2), ".2.97.98");
    EXPECT_EQ(textToIndexSuffix("ab\0cd"s, 32), ".2.97.98");
    EXPECT_EQ(textToIndexSuffix("\xC3\xA9", 32), ".2.195.169"); // never negative
}

TEST(NameCheck, ForbiddenCharacters)
{
    EXPECT_TRUE(isValidName("Office floor_2"));
    EXPECT_TRUE(isValidName("a-b+c=(d)"));
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
    EXPECT_EQ(macToDashText(mac + "\x77"), "00-1A-2B-FF-04-5E");
    EXPECT_EQ(macToColonText(mac.substr(0, 5)), "");
}

TEST(Utf8, LocalTextRoundTripsWithinTheCapacity)
{
    for (const std::string& text : {"Office 2"s, "Zürich Büro"s, "東京 ルーム"s, "cam 📷 1"s}) {
        EXPECT_EQ(localToUtf8(text, 256), text); // local text is UTF-8 here
        EXPECT_EQ(utf8ToLocal(text), text);
    }
    // A character is written only when it and the terminator fit.
    EXPECT_EQ(localToUtf8("abcdef", 4), "abc");
    EXPECT_EQ(localToUtf8("abc", 0), "");
    EXPECT_EQ(localToUtf8("aé", 3), "a");
    EXPECT_EQ(localToUtf8("a📷b", 5), "a");
    EXPECT_EQ(localToUtf8("a📷b", 7), "a📷b");
}

TEST(Utf8, EncoderLimits)
{
    EXPECT_EQ(localToUtf8("ab\0cd"s, 64), "ab");
    EXPECT_EQ(localToUtf8(std::string(300, 'x'), 1000), std::string(256, 'x'));
    EXPECT_EQ(localToUtf8(std::string(255, 'x') + "📷", 1000), std::string(255, 'x')); // no half pair
    EXPECT_EQ(localToUtf8("a\xFF" "b", 64), "a\xEF\xBF\xBD" "b");
    EXPECT_EQ(localToUtf8("\xC3", 64), "\xEF\xBF\xBD");
}

TEST(Utf8, DecoderTakesLeadBytesAsTheyCome)
{
    EXPECT_EQ(utf8ToLocal(""), "");
    EXPECT_EQ(utf8ToLocal(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(utf8ToLocal("a\x80"), "a\xC2\x80");  // a stray continuation byte stands for itself
    EXPECT_EQ(utf8ToLocal("\xC3\x29"), "\xC3\xA9"); // continuation bytes are not checked
    EXPECT_EQ(utf8ToLocal("\xED\xA0\xBD\xED\xB3\xB7"), "📷"); // surrogates one by one join up
    EXPECT_EQ(utf8ToLocal("\xED\xA0\xBDx"), "\xEF\xBF\xBDx");
    EXPECT_EQ(utf8ToLocal("\xFC\x84\x80\x80\x80\x80z"), "\xEF\xBF\xBDz"); // beyond Unicode
    EXPECT_EQ(utf8ToLocal("ab\xC0\x80" "cd"), "ab"); // an over-long zero ends the text
}

TEST(Utf8, DecoderNeverReadsPastTheEndOrThe255thUnit)
{
    EXPECT_EQ(utf8ToLocal("ab\xE6\x9D"), "ab\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal("ab\xE6\0\x9D\xB1zz"s), "ab\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal(std::string_view("ab\xF0\x9F\x93\xB7", 5)), "ab\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal("\xFC"), "\xEF\xBF\xBD");
    EXPECT_EQ(utf8ToLocal("ab\0cd"s), "ab");
    EXPECT_EQ(utf8ToLocal(std::string(300, 'x')), std::string(255, 'x'));
    EXPECT_EQ(utf8ToLocal(std::string(254, 'x') + "📷"), std::string(254, 'x'));
}
