#include "harness.h"

#include "snmp/encodings.h"

#include <algorithm>
#include <charconv>

namespace fuzz {
namespace {

// The numbers of `text`, each after a separator; fails on anything else.
std::vector<unsigned> numbersOf(std::string_view text, char separator)
{
    std::vector<unsigned> numbers;
    while (!text.empty()) {
        require(text.front() == separator, "a separator before each number");
        text.remove_prefix(1);
        unsigned number = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
        require(error == std::errc(), "a decimal number");
        numbers.push_back(number);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
    }
    return numbers;
}

// Ascending ports from 1 to `last`, as many as counted.
std::vector<unsigned> portsOf(const snmp::PortList& list, std::size_t last)
{
    const std::vector<unsigned> ports = numbersOf(list.text.empty() ? "" : "," + list.text, ',');
    require(static_cast<int>(ports.size()) == list.count, "the count matches the list");
    require(std::adjacent_find(ports.begin(), ports.end(), std::greater_equal<>()) == ports.end(), "ports ascend");
    require(ports.empty() || (ports.front() >= 1 && ports.back() <= last), "ports within the value");
    return ports;
}

void bitmapRoundTrip(FuzzReader& in)
{
    const int portCount = static_cast<int>(in.upTo(99)) + 1;
    std::vector<int> flags(in.upTo(110));
    for (int& flag : flags)
        flag = in.flag() ? static_cast<int>(in.byte()) - 128 : 0;
    const snmp::PortBitmap bitmap = snmp::portFlagsToBitmap(flags, portCount);
    require(bitmap.octets.size() == static_cast<std::size_t>((portCount + 31) / 32 * 4), "whole 32-bit words");
    require(bitmap.hex.size() == 2 * bitmap.octets.size(), "two digits per octet");
    require(snmp::hexToOctets(bitmap.hex) == bitmap.octets, "hex text and octets agree");

    std::vector<unsigned> expected;
    std::vector<bool> bits;
    for (std::size_t i = 0; i < flags.size(); ++i) {
        bits.push_back(flags[i] != 0);
        if (flags[i] != 0 && i < static_cast<std::size_t>(portCount))
            expected.push_back(static_cast<unsigned>(i) + 1);
    }
    require(portsOf(snmp::bitmapToPortList(bitmap.octets, portCount), 8 * bitmap.octets.size()) == expected, "bitmap round trip");
    require(snmp::portFlagsToBitmap(bits, portCount).octets == bitmap.octets, "both flag forms agree");
}

void bitmapFromSwitch(FuzzReader& in)
{
    const int portCount = static_cast<int>(in.upTo(140)) - 20;
    const std::string octets = in.text(200);
    // Whole octets are decoded: on 28 ports the fourth octet may still name
    // ports 29 to 32, never more.
    const std::size_t decoded = portCount > 0 ? std::min((static_cast<std::size_t>(portCount) + 7) / 8, octets.size()) : 0;
    portsOf(snmp::bitmapToPortList(octets, portCount), 8 * decoded);
}

void nibbles(FuzzReader& in)
{
    const std::string hex = in.text(200);
    portsOf(snmp::hexNibblesToPortList(hex), 4 * hex.size());
}

void hexText(FuzzReader& in)
{
    const std::size_t capacity = in.upTo(300);
    const std::string hex = in.text(600);
    const std::string octets = snmp::hexToOctets(hex, capacity);
    require(octets.size() <= capacity && octets.size() <= (hex.size() + 1) / 2, "octets within the capacity");
}

void localText(FuzzReader& in)
{
    const std::size_t capacity = in.upTo(1100);
    const std::string text = in.text(1100);
    const std::string sent = snmp::localToUtf8(text, capacity);
    require(sent.size() + 1 <= std::max<std::size_t>(capacity, 1), "room for the terminator");
    require(sent.find('\0') == std::string::npos, "no zero byte sent");
    // What the switch holds comes back as sent, up to the decoder's 255 units.
    const std::string back = snmp::utf8ToLocal(sent);
    require(sent.starts_with(back) && (back.size() == sent.size() || back.size() >= 254), "text read back as sent");
    snmp::utf8ToLocal(text);
    snmp::utf8ToLocal(text.c_str());
}

void indexSuffix(FuzzReader& in)
{
    const std::size_t maxLength = in.upTo(300);
    const std::string text = in.text(400);
    const std::vector<unsigned> arcs = numbersOf(snmp::textToIndexSuffix(text, maxLength), '.');
    require(!arcs.empty() && arcs.front() == arcs.size() - 1, "the length arc counts the characters");
    require(arcs.size() - 1 <= maxLength && arcs.size() - 1 <= text.size(), "no more characters than allowed");
    for (std::size_t i = 1; i < arcs.size(); ++i)
        require(arcs[i] == static_cast<unsigned char>(text[i - 1]) && arcs[i] != 0, "each arc is its character");
}

void macText(FuzzReader& in)
{
    const std::string octets = in.text(300);
    const std::string colon = snmp::macToColonText(octets);
    require(colon.size() == (octets.size() >= 6 ? 17u : 0u) && snmp::macToDashText(octets).size() == colon.size(),
            "MAC text length");
}

} // namespace

int encodings(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    while (!in.empty()) {
        switch (in.byte() % 7) {
        case 0: bitmapRoundTrip(in); break;
        case 1: bitmapFromSwitch(in); break;
        case 2: nibbles(in); break;
        case 3: hexText(in); break;
        case 4: localText(in); break;
        case 5: indexSuffix(in); break;
        case 6: macText(in); break;
        }
    }
    return 0;
}

} // namespace fuzz
