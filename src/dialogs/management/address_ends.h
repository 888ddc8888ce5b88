#pragma once

#include <string_view>

namespace dialogs::management {

// Whether the first number of dotted text (up to the first ".") or its last
// (after the last ".") is "0" or "255": a network or broadcast address.
bool zeroOrBroadcastEnd(std::string_view dotted);

// Four numbers of 0 to 255, one to three digits each, joined by dots: what an
// address field may write, whatever flag its control gives.
bool isDottedAddress(std::string_view text);

} // namespace dialogs::management
