#include "snmp/encodings.h"

#include <gtest/gtest.h>

#include <tuple>
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

std::pair<std::string, int> whole(const PortList& list) { return {list.text, list.count}; }

// U+007F, U+0080, U+07FF, U+0800, U+D7FF, U+E000, U+FFFF, U+10000, U+10FFFF:
// the first and last of each encoded length and around the surrogates.
const std::string kEdgeCharacters = "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF";
// Just past them: a stray continuation byte, over-long forms, the first and
// last surrogate, U+110000; each byte becomes U+FFFD.
const std::string kPastTheEdges = "\x80\xC1\xBF\xE0\x9F\xBF\xED\xA0\x80\xED\xBF\xBF\xF0\x8F\xBF\xBF\xF4\x90\x80\x80";

std::string replacements(int count)
{
    return count > 0 ? "\xEF\xBF\xBD" + replacements(count - 1) : "";
}

TEST(PortBitmap, PortOneIsTheTopBitAndTheValueFillsWholeWords)
{
    const auto ports52 = portFlagsToBitmap(flagsFor(52, {1, 52}), 52);
    EXPECT_EQ(std::pair(ports52.hex, ports52.octets), std::pair("8000000000001000"s, "\x80\x00\x00\x00\x00\x00\x10\x00"s));
    EXPECT_EQ(portFlagsToBitmap(flagsFor(28, {25, 26, 27, 28}), 28).octets, "\x00\x00\x00\xF0"s);
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>(12, 1), 10).hex, "ffc00000"); // flags past the last port count for nothing
    for (const auto& [ports, octets] : std::vector<std::pair<int, std::size_t>>{
             {10, 4}, {16, 4}, {24, 4}, {28, 4}, {32, 4}, {33, 8}, {48, 8}, {52, 8}, {65, 12}}) {
        const auto all = portFlagsToBitmap(std::vector<int>(static_cast<std::size_t>(ports), 1), ports);
        EXPECT_EQ(std::pair(all.octets.size(), all.hex.size()), std::pair(octets, 2 * octets)) << ports;
        EXPECT_EQ(bitmapToPortList(all.octets, ports).count, ports) << ports; // every port, nothing beyond
    }
}

TEST(PortBitmap, FlagsAreBooleansAndStopAtThePortCount)
{
    std::vector<int> flags(28, 0);
    flags[0] = 2; // must not spill into a neighbour's bit
    flags[3] = -1;
    EXPECT_EQ(portFlagsToBitmap(flags, 28).hex, "90000000");
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>(40, 1), 28).hex, "fffffff0");
    EXPECT_EQ(portFlagsToBitmap(std::vector<int>{1}, 16).hex, "80000000"); // missing flags are 0
    EXPECT_EQ(portFlagsToBitmap(std::vector<bool>{false, true, false, false, true}, 24).hex, "48000000");
}

TEST(PortList, DecodesOnlyTheOctetsThePortCountNeeds)
{
    // Bits past port 28 in the fourth octet still decode; a fifth octet does
    // not. A value shorter than the port count needs is read as far as it goes.
    for (const auto& [octets, ports, text, count] : std::vector<std::tuple<std::string, int, const char*, int>>{
             {"\xC8\x00\x00\x40"s, 28, "1,2,5,26", 4}, {"\x00\x00\x00\x00"s, 28, "", 0},
             {"\x00\x00\x00\x0F\xFF"s, 28, "29,30,31,32", 4}, {"\x80\x00\x00\x00\x00\x00\x10\x01"s, 52, "1,52", 2},
             {"\x01"s, 52, "8", 1}, {"\x01\x80"s, 8, "8", 1}})
        EXPECT_EQ(whole(bitmapToPortList(octets, ports)), std::pair(std::string(text), count)) << ports;
}

TEST(PortList, ReadValueCoversEveryPortWithWholeOctets)
{
    for (const auto& [octets, ports, covers] : std::vector<std::tuple<std::size_t, int, bool>>{
             {3, 24, true}, {3, 25, false}, {4, 32, true}, {4, 33, false}, {0, 0, true}, {0, 1, false}})
        EXPECT_EQ(coversPorts(std::string(octets, '\xFF'), ports), covers) << octets << " octets for " << ports;
}

TEST(PortList, HexNibblesCoverFourPortsEach)
{
    // A stray character holds no port but keeps its place.
    for (const auto& [hex, text, count] : std::vector<std::tuple<const char*, const char*, int>>{
             {"8000000000001", "1,52", 2}, {"F0a", "1,2,3,4,9,11", 6}, {"0000", "", 0}, {"g1", "8", 1}})
        EXPECT_EQ(whole(hexNibblesToPortList(hex)), std::pair(std::string(text), count)) << hex;
}

TEST(HexOctets, PairsOddLengthCapacityAndStrayCharacters)
{
    // A pair converts like a base-16 number parse: leading digits count.
    for (const auto& [hex, capacity, octets] : std::initializer_list<std::tuple<const char*, std::size_t, std::string>>{
             {"ABC", 99, "\xAB\xC0"s}, {"09fF7a", 99, "\x09\xFF\x7A"s}, {"0102030405", 2, "\x01\x02"s}, {"0102", 0, ""},
             {"1G", 99, "\x01"s}, {"zz12", 99, "\x00\x12"s}})
        EXPECT_EQ(hexToOctets(hex, capacity), octets) << hex;
    EXPECT_EQ(hexToOctets("0102030405"), "\x01\x02\x03\x04\x05"s); // no capacity given: no limit
}

TEST(IndexSuffix, LengthThenCharacterCodes)
{
    // Codes are never negative.
    for (const auto& [text, capacity, suffix] : std::initializer_list<std::tuple<std::string, std::size_t, const char*>>{
             {"abc", 32, ".3.97.98.99"}, {"", 32, ".0"}, {"abcdef", 2, ".2.97.98"}, {"ab\0cd"s, 32, ".2.97.98"},
             {"\xC3\xA9", 32, ".2.195.169"}})
        EXPECT_EQ(textToIndexSuffix(text, capacity), suffix) << text;
}

TEST(NameCheck, ForbiddenCharacters)
{
    EXPECT_TRUE(isValidName("Office floor_2"));
    EXPECT_TRUE(isValidName("a-b+c=(d)"));
    for (char c : std::string_view("~`!@#$%^&*{}[]|\\:;\"'<>,.?/"))
        EXPECT_FALSE(isValidName(std::string("na") + c + "me")) << c;
}

TEST(MacText, ColonAndDashFormats)
{
    const std::string mac = "\x00\x1a\x2B\xff\x04\x5e"s;
    EXPECT_EQ(macToColonText(mac), "00:1A:2B:FF:04:5E");
    EXPECT_EQ(macToDashText(mac + "\x77"), "00-1A-2B-FF-04-5E");
    EXPECT_EQ(macToColonText(mac.substr(0, 5)), "");
}

TEST(Utf8, EncoderWritesWhatFitsWithTheTerminatorAndReplacesBadBytes)
{
    // At most 256 UTF-16 units and never half a surrogate pair.
    for (const auto& [text, capacity, expected] : std::vector<std::tuple<std::string, std::size_t, std::string>>{
             {"Zürich 東京 cam 📷", 256, "Zürich 東京 cam 📷"}, {kEdgeCharacters, 256, kEdgeCharacters},
             {kPastTheEdges, 256, replacements(20)}, {"abcdef", 4, "abc"}, {"abc", 0, ""}, {"aé", 3, "a"},
             {"a📷b", 5, "a"}, {"a📷b", 7, "a📷b"},
             {"ab\0cd"s, 64, "ab"}, {std::string(300, 'x'), 1000, std::string(256, 'x')},
             {std::string(255, 'x') + "📷", 1000, std::string(255, 'x')},
             {"a\xFF" "b", 64, "a\xEF\xBF\xBD" "b"}, {"\xC3", 64, "\xEF\xBF\xBD"}})
        EXPECT_EQ(localToUtf8(text, capacity), expected) << text << " in " << capacity;
}

TEST(Utf8, DecoderTakesLeadBytesAsTheyComeAndStopsAtTheEndOrThe255thUnit)
{
    EXPECT_EQ(utf8ToLocal(static_cast<const char*>(nullptr)), "");
    EXPECT_EQ(utf8ToLocal("a\x80"), "a\xC2\x80"); // the zero-terminated overload
    // A stray continuation byte stands for itself, continuation bytes are not
    // checked, lone surrogates join up, an over-long zero ends the text.
    for (const auto& [bytes, expected] : std::vector<std::pair<std::string, std::string>>{
             {"", ""}, {"Zürich 東京 cam 📷", "Zürich 東京 cam 📷"}, {kEdgeCharacters, kEdgeCharacters},
             {"\xF8\x88\x80\x80\x80z", "\xEF\xBF\xBDz"}, {std::string(253, 'x') + "📷", std::string(253, 'x') + "📷"}, {"\xC3\x29", "\xC3\xA9"}, {"\xED\xA0\xBD\xED\xB3\xB7", "📷"},
             {"\xED\xA0\xBDx", "\xEF\xBF\xBDx"}, {"\xFC\x84\x80\x80\x80\x80z", "\xEF\xBF\xBDz"},
             {"ab\xC0\x80" "cd", "ab"}, {"ab\xE6\x9D", "ab\xEF\xBF\xBD"}, {"ab\xE6\0\x9D\xB1zz"s, "ab\xEF\xBF\xBD"},
             {"ab\xF0\x9F\x93\xB7"s.substr(0, 5), "ab\xEF\xBF\xBD"}, {"\xFC", "\xEF\xBF\xBD"}, {"ab\0cd"s, "ab"},
             {std::string(300, 'x'), std::string(255, 'x')}, {std::string(254, 'x') + "📷", std::string(254, 'x')}})
        EXPECT_EQ(utf8ToLocal(bytes), expected) << bytes;
}

} // namespace
