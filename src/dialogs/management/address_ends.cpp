#include "dialogs/management/address_ends.h"

#include "dialogs/text_number.h"

#include <algorithm>

namespace dialogs::management {
namespace {

bool zeroOrBroadcast(std::string_view number)
{
    return number == "0" || number == "255";
}

} // namespace

bool isDottedAddress(std::string_view text)
{
    int parts = 0;
    for (std::size_t from = 0;; ++parts) {
        const std::size_t dot = text.find('.', from);
        const std::string_view part = text.substr(from, dot == std::string_view::npos ? dot : dot - from);
        const bool digits = std::all_of(part.begin(), part.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (part.empty() || part.size() > 3 || !digits || leadingNumber(part) > 255)
            return false;
        if (dot == std::string_view::npos)
            return parts == 3;
        from = dot + 1;
    }
}

bool zeroOrBroadcastEnd(std::string_view dotted)
{
    const auto lastDot = dotted.rfind('.');
    const std::string_view last = lastDot == std::string_view::npos ? dotted : dotted.substr(lastDot + 1);
    return zeroOrBroadcast(dotted.substr(0, dotted.find('.'))) || zeroOrBroadcast(last);
}

} // namespace dialogs::management
