#pragma once

#include "drill_support.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// Answers garbled on their way from the switch, what a garbled read could
// turn into once written back, and the sets the switch's log holds.
namespace drills {

inline const char* garbleName(Garble garble)
{
    static const char* const kNames[] = {"TextForInteger", "IntegerForText", "HugeText", "NoSuchName", "ShortAnswer",
                                         "WideTimer"};
    return kNames[static_cast<int>(garble)];
}

// Values a garbled answer could turn into once shown and written back.
inline bool fromGarbledRead(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value == "77" || value == std::to_string(kGarbledInteger) || value.find("7777") != std::string::npos
           || value.find("garbled") != std::string::npos || value == std::to_string(kWideTimer / 10);
}

// What a dialog reads, by the type the switch gives it; `huge` gets the long text.
struct Fields {
    std::vector<std::string> integers;
    std::vector<std::string> texts;
    std::string huge;
};

inline void garble(Garble kind, const Fields& fields, const snmp::Pdu& request, snmp::Pdu& answer)
{
    const auto among = [](const snmp::Oid& oid, const std::vector<std::string>& oids) {
        return std::any_of(oids.begin(), oids.end(), [&](const std::string& text) { return oidOf(text) == oid; });
    };
    garbleAnswer(kind, request, answer, [&](const snmp::Oid& oid, Garble how) {
        const bool integer = among(oid, fields.integers);
        const bool text = among(oid, fields.texts);
        return how == Garble::TextForInteger || how == Garble::WideTimer ? integer
               : how == Garble::IntegerForText ? text
               : how == Garble::HugeText       ? oid == oidOf(fields.huge)
                                               : integer || text;
    });
}

// The values of the sets a switch's request log holds.
inline std::vector<std::string> loggedSetValues(const std::string& path)
{
    std::vector<std::string> values;
    std::ifstream log(path);
    for (std::string line; std::getline(log, line);) {
        std::istringstream fields(line);
        std::string time, kind, oid, type, value;
        fields >> time >> kind >> oid >> type;
        std::getline(fields >> std::ws, value);
        if (kind == "set")
            values.push_back(value);
    }
    return values;
}

} // namespace drills
