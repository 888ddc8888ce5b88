#include "dialogs/management/snmp_agent_rules.h"

#include "dialogs/text_number.h"
#include "snmp/encodings.h"

#include <algorithm>
#include <cstdio>

namespace dialogs::management {

std::optional<bool> decodeGlobalState(std::string_view value)
{
    if (!isWholeNumber(value))
        return std::nullopt;
    return value == "1";
}

std::optional<std::string> decodeEngineId(std::string_view octets)
{
    if (octets.size() < 5 || octets.size() > 32)
        return std::nullopt;
    std::string text;
    for (unsigned char octet : octets) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02x", octet);
        text += pair;
    }
    return text;
}

std::string checkEngineId(std::string_view text)
{
    // Characters, not bytes: "é" is one character of two bytes.
    const auto characters = std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; });
    if (characters < 10 || characters > 64)
        return "ID length is 10-64";
    for (char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex)
            return "the accepted character is from 0 to F";
    }
    return {};
}

std::string engineIdOctets(std::string_view text)
{
    std::string even(text);
    if (even.size() % 2 != 0)
        even.insert(even.begin(), '0');
    return snmp::hexToOctets(even);
}

const std::vector<TrapObject>& trapObjects()
{
    static const std::vector<TrapObject> objects = {
        {"SNMP Authentication Traps", false},
        {"System Device Bootup", false},
        {"Fiber Port Link Up / Link Down", false},
        {"Twisted Pair Port Link Up / Link Down", false},
        {"RSTP Port State Change", false},
        {"Firmware Upgrade State", false},
        {"Trap notification if POE Power On / Off", true},
        {"Trap notification if POE Power Error ", true},
        {"Trap notification if over max power budget", true},
    };
    return objects;
}

std::size_t trapCount(bool poe)
{
    return poe ? 9 : 6;
}

bool isPoeModel(std::string_view deviceName)
{
    return deviceName.find_first_of("pP") != std::string_view::npos;
}

std::optional<std::vector<bool>> decodeTraps(const std::vector<std::string>& values, bool poe)
{
    const std::size_t count = trapCount(poe);
    if (values.size() < count)
        return std::nullopt;
    std::vector<bool> checked;
    for (std::size_t i = 0; i < count; ++i) {
        if (!isWholeNumber(values[i]))
            return std::nullopt;
        checked.push_back(values[i] == "1");
    }
    return checked;
}

} // namespace dialogs::management
