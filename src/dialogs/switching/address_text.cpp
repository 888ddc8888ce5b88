#include "dialogs/switching/address_text.h"

namespace dialogs::switching {

std::optional<std::array<std::uint8_t, 4>> dottedQuad(std::string_view text)
{
    std::array<std::uint8_t, 4> address{};
    std::size_t pos = 0;
    for (std::size_t part = 0; part < address.size(); ++part) {
        if (part > 0) {
            if (pos >= text.size() || text[pos] != '.')
                return std::nullopt;
            ++pos;
        }
        int value = 0;
        std::size_t digits = 0;
        for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 4; ++pos, ++digits)
            value = value * 10 + (text[pos] - '0');
        if (digits == 0 || digits > 3 || value > 255)
            return std::nullopt;
        address[part] = static_cast<std::uint8_t>(value);
    }
    if (pos != text.size())
        return std::nullopt;
    return address;
}

std::string addressSuffix(const std::array<std::uint8_t, 4>& address)
{
    std::string suffix;
    for (const std::uint8_t octet : address)
        suffix += "." + std::to_string(octet);
    return suffix;
}

} // namespace dialogs::switching
