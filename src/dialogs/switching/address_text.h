#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dialogs::switching {

// "a.b.c.d" with four decimal parts of 0..255 and nothing else.
std::optional<std::array<std::uint8_t, 4>> dottedQuad(std::string_view text);

// ".a.b.c.d", the index suffix of a table indexed by an address.
std::string addressSuffix(const std::array<std::uint8_t, 4>& address);

} // namespace dialogs::switching
