#pragma once

#include <string>
#include <vector>

// Runs a program found on PATH (no shell) and collects what it printed.
// The two streams stay apart: tests compare standard output, and a tool's
// notes on standard error (a directory it created on its first run) vary.
struct CommandResult {
    int exitCode = -1;
    std::string output; // standard output
    std::string errors; // standard error
};

CommandResult runCommand(const std::vector<std::string>& args);

// `command`, a Net-SNMP tool, run with `directory` as its configuration and
// persistent folder and no MIB, so nothing of the host's ~/.snmp or
// /var/lib/snmp changes what it prints, and each run is a first run.
std::vector<std::string> netSnmpTool(const std::string& directory, std::vector<std::string> command);
