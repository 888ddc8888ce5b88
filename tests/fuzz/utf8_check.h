#pragma once

#include <string_view>

namespace fuzz {

// Well-formed UTF-8 as RFC 3629 defines it: shortest forms only, no
// surrogates, nothing above U+10FFFF.
bool isWellFormedUtf8(std::string_view text);

} // namespace fuzz
