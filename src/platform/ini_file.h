#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads an INI file the way the Windows private-profile functions do:
// section and key names compare case-insensitively, the first matching
// section and key win, values are trimmed, one pair of matching surrounding
// quotes is removed, and a value keeps at most kMaxValueLength characters.
// A missing or unreadable file behaves as an empty one.
class IniFile {
public:
    static constexpr std::size_t kMaxValueLength = 259;

    static IniFile load(const std::string& path);
    static IniFile parse(std::string_view text);

    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue = {}) const;
    // Absent key or empty value gives the default; otherwise leading blanks,
    // an optional sign and the decimal digits up to the first non-digit
    // (no digits at all gives 0). Overflow wraps as a 32-bit value.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

private:
    struct Entry {
        std::size_t section; // index into m_sections
        std::string key;
        std::string value;
    };
    const Entry* find(std::string_view section, std::string_view key) const;

    std::vector<std::string> m_sections;
    std::vector<Entry> m_entries;
};

// The integer rule of readInt applied to a text; no digits give 0.
int parseProfileInt(std::string_view text);

} // namespace platform
