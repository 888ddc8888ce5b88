#pragma once

#include "snmp/session_parameters.h"

#include <string>
#include <string_view>
#include <vector>

namespace app {

// The command line as the console hands it over: "/" + letter + token 0,
// then "/" + letter + token for each further position, the letter before the
// agent address being "I". See parseCommandLine for the exact rules.
std::string joinArguments(const std::vector<std::string>& arguments);

// Fills the session parameters from the line; positions not reached keep
// their defaults. Never fails: whatever was read is kept.
//  - the first two characters are skipped unchecked;
//  - a token runs to the next "/" or the end; blanks inside it are dropped;
//  - between tokens the "/" and the letter after it are skipped;
//  - position 1 is read only when the line contains "/I";
//  - reading stops at the end of the line, after an empty position 1, and
//    after position 6 while the version is "1";
//  - a token longer than its field keeps its first capacity - 1 characters.
snmp::SessionParameters parseCommandLine(std::string_view line);

// The line as a start: its parameters, or why it starts nothing.
struct ConsoleStart {
    snmp::SessionParameters parameters;
    std::string refusal; // "" when the line may start a window
};

// parseCommandLine, then the address: a non-empty address token must be a
// dotted IPv4 address of four numbers as written, at most 15 characters.
// A cut or shorthand address would name another switch, so it is refused
// and the parameters keep no address.
ConsoleStart readConsoleLine(std::string_view line);

} // namespace app
