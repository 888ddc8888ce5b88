#include "dialogs/text_number.h"

#include <limits>

namespace dialogs {

std::int64_t leadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > kLimit)
            return negative ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

} // namespace dialogs
