#include "platform/ini_file.h"

#include <cstdint>
#include <fstream>
#include <sstream>

namespace platform {
namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

std::string_view stripQuotes(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

} // namespace

IniFile IniFile::load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return IniFile{};
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

IniFile IniFile::parse(std::string_view text)
{
    IniFile file;
    if (text.substr(0, 3) == "\xEF\xBB\xBF")
        text.remove_prefix(3);

    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            std::size_t close = line.find(']');
            file.m_sections.emplace_back(trim(line.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
            continue;
        }
        if (file.m_sections.empty())
            continue;
        std::size_t equals = line.find('=');
        std::string_view key = trim(line.substr(0, equals));
        std::string_view value = equals == std::string_view::npos ? std::string_view{} : stripQuotes(trim(line.substr(equals + 1)));
        file.m_entries.push_back({file.m_sections.size() - 1, std::string(key), std::string(value.substr(0, kMaxValueLength))});
    }
    return file;
}

const IniFile::Entry* IniFile::find(std::string_view section, std::string_view key) const
{
    // Only the first section of that name is searched, as the platform does,
    // even when a later section of the same name holds the key.
    std::size_t first = 0;
    while (first < m_sections.size() && !equalsIgnoreCase(m_sections[first], section))
        ++first;
    for (const Entry& entry : m_entries) {
        if (entry.section == first && equalsIgnoreCase(entry.key, key))
            return &entry;
    }
    return nullptr;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue) const
{
    const Entry* entry = find(section, key);
    if (entry == nullptr)
        return std::string(defaultValue.substr(0, kMaxValueLength));
    return entry->value;
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const
{
    const Entry* entry = find(section, key);
    if (entry == nullptr || entry->value.empty())
        return defaultValue;
    return parseProfileInt(entry->value);
}

int parseProfileInt(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    if (negative)
        value = 0u - value;
    return static_cast<std::int32_t>(value);
}

} // namespace platform
