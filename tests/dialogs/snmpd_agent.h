#pragma once

#include "../snmp/session_parameters_for.h"
#include "run_command.h"
#include "sim/snmpd_process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <sstream>
#include <string>

// The real snmpd with its stock MIB-II on loopback, and the session
// parameters that aim new sessions at it (version 1).
class SnmpdAgent : public ::testing::Test {
protected:
    // A failure here would only skip the cases (ctest counts a skip as a
    // pass), so each case asserts the start instead.
    static void SetUpTestSuite() { s_snmpd = sim::SnmpdProcess::start({}, &s_startError); }
    static void TearDownTestSuite() { s_snmpd.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_snmpd) << s_startError;
        snmp::setSessionParameters(sessionParametersFor(s_snmpd->port(), kVersion1, 2000));
    }

    static std::string agent() { return "127.0.0.1:" + std::to_string(s_snmpd->port()); }
    static std::vector<std::string> tool(std::vector<std::string> command)
    {
        return netSnmpTool(s_snmpd->directory() + "/client", std::move(command));
    }

    // snmpwalk's values of one column, by row index (numeric OIDs, bare values).
    static std::map<std::string, std::string> walkColumn(const std::string& column)
    {
        std::map<std::string, std::string> rows;
        std::istringstream lines(
            runCommand(tool({"snmpwalk", "-v1", "-c", "qevtal", "-On", "-Oqe", "-OU", "-Ot", "-t", "2", "-r", "1", agent(), column})).output);
        const std::string prefix = "." + column + ".";
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with(prefix))
                continue;
            const std::size_t blank = line.find(' ');
            std::string value = blank == std::string::npos ? std::string() : line.substr(blank + 1);
            if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
                value = value.substr(1, value.size() - 2);
            rows[line.substr(prefix.size(), blank - prefix.size())] = value;
        }
        return rows;
    }

    // An OCTET STRING's bytes (snmpget prints them in hexadecimal).
    static std::string get(const std::string& oid)
    {
        std::string output = runCommand(tool({"snmpget", "-v1", "-c", "qevtal", "-On", "-Oqvx", "-t", "2", "-r", "1", agent(), oid})).output;
        std::replace(output.begin(), output.end(), '"', ' ');
        std::istringstream digits(output);
        std::string bytes;
        for (std::string pair; digits >> pair;)
            bytes.push_back(static_cast<char>(std::stoi(pair, nullptr, 16)));
        return bytes;
    }

    static std::unique_ptr<sim::SnmpdProcess> s_snmpd;
    static inline std::string s_startError;
};

inline std::unique_ptr<sim::SnmpdProcess> SnmpdAgent::s_snmpd;
