#include "dialogs/management/address_ends.h"

namespace dialogs::management {
namespace {

bool zeroOrBroadcast(std::string_view number)
{
    return number == "0" || number == "255";
}

} // namespace

bool zeroOrBroadcastEnd(std::string_view dotted)
{
    const auto lastDot = dotted.rfind('.');
    const std::string_view last = lastDot == std::string_view::npos ? dotted : dotted.substr(lastDot + 1);
    return zeroOrBroadcast(dotted.substr(0, dotted.find('.'))) || zeroOrBroadcast(last);
}

} // namespace dialogs::management
