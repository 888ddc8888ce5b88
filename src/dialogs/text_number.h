#pragma once

#include <cstdint>
#include <string_view>

namespace dialogs {

// The value of a text as the platform's decimal parse reads it: leading
// blanks, an optional sign, then digits up to the first other character;
// 0 when there are none. Saturates instead of overflowing.
std::int64_t leadingNumber(std::string_view text);

// A whole INTEGER as an agent's answer shows it: an optional minus sign and
// one to ten digits, nothing else.
bool isWholeNumber(std::string_view text);

// A number the user typed: one to nine digits and nothing else, so no sign,
// blank, or group or decimal separator of any locale; -1 for any other text.
std::int64_t typedNumber(std::string_view text);

} // namespace dialogs
