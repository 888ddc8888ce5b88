#pragma once

#include <string>
#include <vector>

// Runs a program found on PATH (no shell) and collects what it printed.
struct CommandResult {
    int exitCode = -1;
    std::string output; // stdout and stderr together
};

CommandResult runCommand(const std::vector<std::string>& args);
