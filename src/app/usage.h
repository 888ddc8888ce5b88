#pragma once

#include <optional>
#include <string>
#include <vector>

namespace app {

// What "--help" or "--version", given alone, prints; nothing for any other
// arguments, which are the console's line.
std::optional<std::string> informationRequest(const std::vector<std::string>& arguments);

} // namespace app
