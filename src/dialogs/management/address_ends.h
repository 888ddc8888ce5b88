#pragma once

#include <string_view>

namespace dialogs::management {

// Whether the first number of dotted text (up to the first ".") or its last
// (after the last ".") is "0" or "255": a network or broadcast address.
bool zeroOrBroadcastEnd(std::string_view dotted);

} // namespace dialogs::management
