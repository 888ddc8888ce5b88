#include "snmp/encodings.h"

#include <cstdint>
#include <cstdio>

namespace snmp {
namespace {

constexpr char kLowerDigits[] = "0123456789abcdef";
constexpr std::size_t kMaxUnitsToSwitch = 256;
constexpr std::size_t kMaxUnitsFromSwitch = 255;
constexpr char32_t kReplacement = 0xFFFD;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

template <typename Flag>
PortBitmap flagsToBitmap(const Flag& flags, std::size_t flagCount, int portCount)
{
    const std::size_t ports = portCount > 0 ? static_cast<std::size_t>(portCount) : 0;
    auto flagAt = [&](std::size_t port) { return port < ports && port < flagCount && flags[port] ? 1 : 0; };

    PortBitmap bitmap;
    for (std::size_t first = 0; first < ports; first += 4) {
        const int digit = 8 * flagAt(first) + 4 * flagAt(first + 1) + 2 * flagAt(first + 2) + flagAt(first + 3);
        bitmap.hex += kLowerDigits[digit];
    }
    // Whole 32-bit words: 8 digits each.
    bitmap.hex.append((8 - bitmap.hex.size() % 8) % 8, '0');
    bitmap.octets = hexToOctets(bitmap.hex);
    return bitmap;
}

void appendPort(PortList& list, int port)
{
    if (list.count > 0)
        list.text += ',';
    list.text += std::to_string(port);
    ++list.count;
}

bool isHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Strict decode of well-formed UTF-8; anything else yields U+FFFD for one byte.
char32_t decodeStrict(std::string_view text, std::size_t& pos)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (text.size() - pos < length) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(pos + k) & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (byte(pos + k) & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return value;
}

std::string formatMac(std::string_view octets, char separator)
{
    if (octets.size() < 6)
        return {};
    char text[18];
    const auto o = [&](int i) { return static_cast<unsigned>(static_cast<unsigned char>(octets[static_cast<std::size_t>(i)])); };
    std::snprintf(text, sizeof text, "%02X%c%02X%c%02X%c%02X%c%02X%c%02X", o(0), separator, o(1), separator, o(2), separator, o(3),
                  separator, o(4), separator, o(5));
    return text;
}

} // namespace

PortBitmap portFlagsToBitmap(std::span<const int> flags, int portCount)
{
    return flagsToBitmap(flags, flags.size(), portCount);
}

PortBitmap portFlagsToBitmap(const std::vector<bool>& flags, int portCount)
{
    return flagsToBitmap(flags, flags.size(), portCount);
}

PortList bitmapToPortList(std::string_view octets, int portCount)
{
    PortList list;
    const std::size_t wanted = portCount > 0 ? (static_cast<std::size_t>(portCount) + 7) / 8 : 0;
    const std::size_t used = wanted < octets.size() ? wanted : octets.size();
    for (std::size_t i = 0; i < used; ++i) {
        const auto octet = static_cast<unsigned char>(octets[i]);
        for (int bit = 0; bit < 8; ++bit) {
            if (octet & (0x80 >> bit))
                appendPort(list, static_cast<int>(i) * 8 + bit + 1);
        }
    }
    return list;
}

bool portInBitmap(std::string_view octets, int port)
{
    if (port < 1 || static_cast<std::size_t>(port - 1) / 8 >= octets.size())
        return false;
    return (static_cast<unsigned char>(octets[static_cast<std::size_t>(port - 1) / 8]) & (0x80 >> ((port - 1) % 8))) != 0;
}

bool coversPorts(std::string_view octets, int portCount)
{
    return portCount <= 0 || octets.size() >= (static_cast<std::size_t>(portCount) + 7) / 8;
}

PortList hexNibblesToPortList(std::string_view hex)
{
    PortList list;
    for (std::size_t k = 0; k < hex.size(); ++k) {
        const int value = hexValue(hex[k]);
        if (value < 0)
            continue;
        for (int bit = 0; bit < 4; ++bit) {
            if (value & (8 >> bit))
                appendPort(list, static_cast<int>(k) * 4 + bit + 1);
        }
    }
    return list;
}

std::string hexToOctets(std::string_view hex, std::size_t capacity)
{
    std::string octets;
    for (std::size_t i = 0; i < hex.size() && octets.size() < capacity; i += 2) {
        const int high = hexValue(hex[i]);
        // The odd last digit is completed by "0".
        const int low = i + 1 < hex.size() ? hexValue(hex[i + 1]) : 0;
        int value = 0;
        if (high >= 0)
            value = low >= 0 ? high * 16 + low : high;
        octets += static_cast<char>(value);
    }
    return octets;
}

std::string textToIndexSuffix(std::string_view text, std::size_t maxLength)
{
    std::string codes;
    std::size_t taken = 0;
    for (; taken < text.size() && taken < maxLength && text[taken] != '\0'; ++taken)
        codes += '.' + std::to_string(static_cast<unsigned char>(text[taken]));
    return '.' + std::to_string(taken) + codes;
}

bool isValidName(std::string_view name)
{
    return name.find_first_of(kForbiddenNameCharacters) == std::string_view::npos;
}

std::string localToUtf8(std::string_view text, std::size_t capacity)
{
    std::u16string units;
    for (std::size_t pos = 0; pos < text.size() && text[pos] != '\0';) {
        const char32_t c = decodeStrict(text, pos);
        const std::size_t needed = c >= 0x10000 ? 2 : 1;
        if (units.size() + needed > kMaxUnitsToSwitch)
            break;
        if (needed == 2) {
            units += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(c);
        }
    }

    std::string out;
    for (std::size_t i = 0; i < units.size();) {
        char32_t c = units[i];
        std::size_t consumed = 1;
        // A surrogate pair is one character of four bytes, not two of three.
        if (isHighSurrogate(c) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            consumed = 2;
        }
        std::string bytes;
        appendUtf8(bytes, c);
        if (out.size() + bytes.size() >= capacity)
            break;
        out += bytes;
        i += consumed;
    }
    return out;
}

std::string utf8ToLocal(std::string_view bytes)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::u16string units;
    std::size_t pos = 0;
    while (pos < bytes.size() && byte(pos) != 0 && units.size() < kMaxUnitsFromSwitch) {
        const unsigned char lead = byte(pos);
        std::size_t length = 1;
        char32_t value = lead;
        if (lead >= 0xFC)
            length = 6, value = lead & 0x01;
        else if (lead >= 0xF8)
            length = 5, value = lead & 0x03;
        else if (lead >= 0xF0)
            length = 4, value = lead & 0x07;
        else if (lead >= 0xE0)
            length = 3, value = lead & 0x0F;
        else if (lead >= 0xC0)
            length = 2, value = lead & 0x1F;

        bool complete = true;
        for (std::size_t k = 1; k < length; ++k) {
            if (pos + k >= bytes.size() || byte(pos + k) == 0) {
                complete = false;
                break;
            }
            value = (value << 6) | (byte(pos + k) & 0x3F);
        }
        if (!complete) {
            units += static_cast<char16_t>(kReplacement);
            break;
        }
        pos += length;

        if (value == 0)
            break; // an over-long zero ends the text like a real one
        if (value <= 0xFFFF) {
            units += static_cast<char16_t>(value);
        } else if (value <= 0x10FFFF) {
            if (units.size() + 2 > kMaxUnitsFromSwitch)
                break;
            units += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
            units += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
        } else {
            units += static_cast<char16_t>(kReplacement);
        }
    }

    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (isHighSurrogate(c) && i + 1 < units.size() && isLowSurrogate(units[i + 1])) {
            c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            c = kReplacement;
        }
        appendUtf8(text, c);
    }
    return text;
}

std::string utf8ToLocal(const char* bytes)
{
    return bytes ? utf8ToLocal(std::string_view(bytes)) : std::string{};
}

std::string macToColonText(std::string_view octets)
{
    return formatMac(octets, ':');
}

std::string macToDashText(std::string_view octets)
{
    return formatMac(octets, '-');
}

} // namespace snmp
