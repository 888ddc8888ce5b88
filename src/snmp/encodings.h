#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Value encodings shared by the dialogs. Octet buffers are std::string
// holding raw bytes, as CSnmpResponse hands OCTET STRING values out.
namespace snmp {

// Ports as a bit string: port 1 is the most significant bit of octet 0.
struct PortBitmap {
    std::string hex;    // two lower-case digits per octet
    std::string octets; // hex.size() / 2 octets, for addValue type 2
};

// A set of ports as "1,2,5,26" (ascending, no blanks) and its size.
struct PortList {
    std::string text;
    int count = 0;
};

// Flags of ports 1..portCount (non-zero = in the set; missing = 0) as a
// bitmap padded to whole 32-bit words: 4 octets up to 32 ports, 8 up to 64.
PortBitmap portFlagsToBitmap(std::span<const int> flags, int portCount);
PortBitmap portFlagsToBitmap(const std::vector<bool>& flags, int portCount);

// Decodes the first ceil(portCount / 8) octets (fewer when the value is
// shorter); later octets are ignored.
PortList bitmapToPortList(std::string_view octets, int portCount);
// Port `port` (1-based) is set in the bitmap; a port past its octets is not.
bool portInBitmap(std::string_view octets, int port);
// The bitmap has a bit for every port: it is at least ceil(portCount / 8) octets.
bool coversPorts(std::string_view octets, int portCount);

// One hexadecimal digit per 4 ports, digit k covering ports 4k+1..4k+4.
// A character that is no hexadecimal digit holds no port but keeps its place.
PortList hexNibblesToPortList(std::string_view hex);

// Two digits per octet (either case), an odd length completed by "0";
// pairs beyond `capacity` octets are dropped. A pair converts like a base-16
// number parse: its leading hexadecimal digits count, the rest ends it.
std::string hexToOctets(std::string_view hex, std::size_t capacity = static_cast<std::size_t>(-1));

// OID suffix of a text used as a table index: "." + length, then "." + the
// code (0..255) of each character; stops at maxLength or a zero character.
std::string textToIndexSuffix(std::string_view text, std::size_t maxLength);

// Characters a user-typed name must not contain.
inline constexpr std::string_view kForbiddenNameCharacters = "~`!@#$%^&*{}[]|\\:;\"'<>,.?/";
bool isValidName(std::string_view name);

// Local text (UTF-8 on this platform) to the UTF-8 sent to the switch,
// through at most 256 UTF-16 code units; a unit is written only when it and
// the terminating zero fit into `capacity` bytes, so the result is at most
// capacity - 1 bytes. Malformed input becomes U+FFFD.
std::string localToUtf8(std::string_view text, std::size_t capacity);

// UTF-8 from the switch to local text: stops at the first zero byte, the end
// of the buffer, or after 255 code units. Lead bytes below 0xC0 (stray
// continuation bytes included) stand for themselves; continuation bytes are
// not checked. A sequence cut off by the end gives U+FFFD. Empty input gives
// the empty text.
std::string utf8ToLocal(std::string_view bytes);
// A zero-terminated buffer; nullptr gives the empty text.
std::string utf8ToLocal(const char* bytes);

// Six octets as "00:1A:2B:3C:4D:5E" or "00-1A-2B-3C-4D-5E"; only the first
// six octets count, fewer than six give "".
std::string macToColonText(std::string_view octets);
std::string macToDashText(std::string_view octets);

} // namespace snmp
