#include "entries.h"
#include "fuzz_reader.h"
#include "utf8_check.h"

#include "snmp/encodings.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <string>
#include <vector>

namespace fuzz {
namespace {

// The numbers of a "1,2,5" text; fails on anything else.
std::vector<int> portsOf(const snmp::PortList& list)
{
    std::vector<int> ports;
    std::string_view text = list.text;
    while (!text.empty()) {
        int port = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
        require(error == std::errc(), "a port number in the list");
        ports.push_back(port);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        if (!text.empty()) {
            require(text.front() == ',' && text.size() > 1, "a comma between ports");
            text.remove_prefix(1);
        }
    }
    require(static_cast<int>(ports.size()) == list.count, "the count matches the list");
    for (std::size_t i = 1; i < ports.size(); ++i)
        require(ports[i - 1] < ports[i], "ports ascend");
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

    std::vector<int> expected;
    for (int port = 1; port <= portCount && port <= static_cast<int>(flags.size()); ++port)
        if (flags[static_cast<std::size_t>(port - 1)] != 0)
            expected.push_back(port);
    require(portsOf(snmp::bitmapToPortList(bitmap.octets, portCount)) == expected, "bitmap round trip");

    std::vector<bool> bits(flags.size());
    for (std::size_t i = 0; i < flags.size(); ++i)
        bits[i] = flags[i] != 0;
    require(snmp::portFlagsToBitmap(bits, portCount).octets == bitmap.octets, "both flag forms agree");
}

void bitmapFromSwitch(FuzzReader& in)
{
    const int portCount = static_cast<int>(in.upTo(140)) - 20;
    const std::string octets = in.text(200);
    const std::vector<int> ports = portsOf(snmp::bitmapToPortList(octets, portCount));
    // Whole octets are decoded: on 28 ports a bit of the fourth octet may
    // still name ports 29 to 32, never more.
    const int decoded = portCount > 0 ? std::min<int>((portCount + 7) / 8, static_cast<int>(octets.size())) : 0;
    std::size_t set = 0;
    for (int octet = 0; octet < decoded; ++octet)
        set += static_cast<std::size_t>(std::popcount(static_cast<unsigned char>(octets[static_cast<std::size_t>(octet)])));
    require(ports.size() == set, "one port per set bit");
    for (int port : ports)
        require(port >= 1 && port <= 8 * decoded, "ports within the decoded octets");
}

void nibbles(FuzzReader& in)
{
    const std::string hex = in.text(200);
    const std::vector<int> ports = portsOf(snmp::hexNibblesToPortList(hex));
    for (int port : ports)
        require(port >= 1 && static_cast<std::size_t>(port) <= 4 * hex.size(), "ports within the digits");
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
    require(isWellFormedUtf8(sent), "the switch receives well-formed UTF-8");
    require(sent.find('\0') == std::string::npos, "no zero byte sent");
    // Well-formed text comes back from the switch as it was sent.
    const std::string back = snmp::utf8ToLocal(sent);
    if (snmp::localToUtf8(back, 4096) == sent)
        require(isWellFormedUtf8(back), "well-formed text read back");
    snmp::utf8ToLocal(text);
    snmp::utf8ToLocal(text.c_str());
}

void indexSuffix(FuzzReader& in)
{
    const std::size_t maxLength = in.upTo(300);
    const std::string text = in.text(400);
    const std::string suffix = snmp::textToIndexSuffix(text, maxLength);
    std::vector<unsigned> arcs;
    std::string_view rest = suffix;
    while (!rest.empty()) {
        require(rest.front() == '.', "arcs start with a dot");
        rest.remove_prefix(1);
        unsigned arc = 0;
        const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), arc);
        require(error == std::errc(), "a decimal arc");
        arcs.push_back(arc);
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
    }
    require(!arcs.empty() && arcs.front() == arcs.size() - 1, "the length arc counts the characters");
    require(arcs.size() - 1 <= maxLength && arcs.size() - 1 <= text.size(), "no more characters than allowed");
    for (std::size_t i = 1; i < arcs.size(); ++i)
        require(arcs[i] == static_cast<unsigned char>(text[i - 1]) && arcs[i] != 0, "each arc is its character");
}

void nameAndMac(FuzzReader& in)
{
    const std::string name = in.text(300);
    require(snmp::isValidName(name) == (name.find_first_of(snmp::kForbiddenNameCharacters) == std::string::npos),
            "the name check");
    const std::string colon = snmp::macToColonText(name);
    const std::string dash = snmp::macToDashText(name);
    require(colon.size() == (name.size() >= 6 ? 17u : 0u) && dash.size() == colon.size(), "MAC text length");
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
        case 6: nameAndMac(in); break;
        }
    }
    return 0;
}

} // namespace fuzz
