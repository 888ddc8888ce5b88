#pragma once

#include "session_parameters_for.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// The rows the command-line snmpwalk prints for one column of a loopback
// agent, as (dotted OID without the leading dot, value text). The tool gets
// a private persistent directory and no MIB; every argument is ours.
inline std::string snmpwalkCommand(std::uint16_t port, const AgentUser& user, const std::string& column,
                                   const std::string& stateDirectory)
{
    static const char* const authNames[] = {"", "", "MD5", "SHA", "SHA-224", "SHA-256", "SHA-384", "SHA-512"};
    static const char* const levels[] = {"", "noAuthNoPriv", "authNoPriv", "authPriv"};
    std::string command = "SNMP_PERSISTENT_DIR=" + stateDirectory + " SNMPCONFPATH=" + stateDirectory
        + " MIBS= snmpwalk -On -Oq -Oa -Le " + (*user.name ? "" : "-v1 -c qevtal ");
    const int level = user.level[0] - '0';
    if (*user.name)
        command += "-v3 -u " + std::string(user.name) + " -l " + levels[level] + " ";
    if (*user.name && level >= 2)
        command += std::string("-a ") + authNames[user.auth[0] - '0'] + " -A authpass123 ";
    if (*user.name && level == 3)
        command += std::string("-x ") + (user.priv[0] == '2' ? "DES" : "AES") + " -X privpass123 ";
    return command + "127.0.0.1:" + std::to_string(port) + " " + column + " 2>/dev/null";
}

inline std::vector<std::pair<std::string, std::string>> parseSnmpwalkOutput(FILE* output)
{
    std::vector<std::pair<std::string, std::string>> rows;
    char line[4096];
    while (std::fgets(line, sizeof line, output)) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        const std::size_t blank = text.find(' ');
        std::string value = blank == std::string::npos ? std::string() : text.substr(blank + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        if (text.starts_with('.'))
            rows.emplace_back(text.substr(1, blank == std::string::npos ? blank : blank - 1), value);
    }
    return rows;
}

inline std::vector<std::pair<std::string, std::string>> snmpwalkRows(std::uint16_t port, const AgentUser& user,
                                                                     const std::string& column,
                                                                     const std::string& stateDirectory)
{
    std::unique_ptr<FILE, int (*)(FILE*)> output(popen(snmpwalkCommand(port, user, column, stateDirectory).c_str(), "r"),
                                                 &pclose);
    return output ? parseSnmpwalkOutput(output.get()) : std::vector<std::pair<std::string, std::string>>{};
}
