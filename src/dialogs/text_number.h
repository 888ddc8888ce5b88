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

} // namespace dialogs
