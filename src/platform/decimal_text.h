#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace platform {

// Decimal numbers as the C library reads and writes them in its "C" locale,
// whatever locale the desktop gave the process (Qt sets it from the
// environment, and a decimal comma would read "15.6" as 15).

// Leading blanks, an optional sign, then the longest decimal number; 0 when
// there is none. Like atof, the rest of the text is ignored.
inline double leadingDecimal(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i < text.size() && text[i] == '+')
        ++i;
    double value = 0.0;
    if (std::from_chars(text.data() + i, text.data() + text.size(), value).ec != std::errc())
        return 0.0;
    return value;
}

// `value` with `decimals` digits after the point, like "%.*f".
inline std::string fixedDecimal(double value, int decimals)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? std::string(text, result.ptr) : std::string();
}

} // namespace platform
