#pragma once

#include "drill_support.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// What the garbled-read drills do to an agent's answers, and how they tell a
// garbled value written back.
namespace drills {

enum class Garble { TextForInteger, IntegerForText, HugeText, NoSuchName, ShortAnswer };
// SendsNothing: Apply stays off, silently, until the values are read.
enum class Apply { Refused, SendsNothing, WritesNoGarbage };

inline const char* garbleName(Garble kind)
{
    static const char* const kNames[] = {"TextForInteger", "IntegerForText", "HugeText", "NoSuchName", "ShortAnswer"};
    return kNames[static_cast<int>(kind)];
}

inline constexpr const char* kTextForInteger = "77 garbled";
inline constexpr std::int64_t kIntegerForText = 42;
inline const std::string kHugeText(10000, '7');

// Values a garbled answer could turn into once shown and written back.
inline bool fromGarbledRead(std::string value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value == "77" || value == std::to_string(kIntegerForText) || value.find("7777") != std::string::npos
           || value.find("garbled") != std::string::npos;
}

// What a dialog reads, by the type the switch gives it (objects or whole
// columns); `huge` gets the long text.
struct Fields {
    std::vector<std::string> integers;
    std::vector<std::string> texts;
    std::string huge;
};

inline bool isOrUnder(const snmp::Oid& oid, const std::string& object)
{
    return oid == oidOf(object) || within(oid, object);
}

inline void garble(Garble kind, const Fields& fields, const snmp::Pdu& request, snmp::Pdu& answer)
{
    if (request.type == snmp::PduType::Set)
        return;
    const auto among = [](const snmp::Oid& oid, const std::vector<std::string>& objects) {
        return std::any_of(objects.begin(), objects.end(), [&](const std::string& o) { return isOrUnder(oid, o); });
    };
    bool hit = false;
    for (snmp::VarBind& binding : answer.bindings) {
        const bool integer = among(binding.oid, fields.integers);
        const bool text = among(binding.oid, fields.texts);
        hit = hit || integer || text;
        if (kind == Garble::TextForInteger && integer)
            binding.value = {.type = snmp::Asn::OctetString, .octets = kTextForInteger};
        else if (kind == Garble::IntegerForText && text)
            binding.value = {.type = snmp::Asn::Integer, .integer = kIntegerForText};
        else if (kind == Garble::HugeText && isOrUnder(binding.oid, fields.huge))
            binding.value = {.type = snmp::Asn::OctetString, .octets = kHugeText};
    }
    if (!hit)
        return;
    if (kind == Garble::NoSuchName) {
        answer.errorStatus = 2;
        answer.errorIndex = 1;
    } else if (kind == Garble::ShortAnswer) {
        answer.bindings.resize(answer.bindings.size() / 2);
    }
}

// The values of the sets in the switch's request log, in order.
inline std::vector<std::string> loggedSetValues(const std::string& logPath)
{
    std::vector<std::string> values;
    std::ifstream log(logPath);
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

// After Apply: nothing was sent unless the case writes, one message when it
// is refused, and no set carries what a garbled read said. `before` sets
// were logged before the dialog opened.
inline void expectNoGarbageWritten(const std::vector<std::string>& sets, std::size_t before, Apply expected,
                                   std::size_t messages)
{
    if (expected != Apply::WritesNoGarbage) {
        EXPECT_EQ(sets.size(), before);
        EXPECT_EQ(messages, expected == Apply::Refused ? 1u : 0u);
    }
    for (std::size_t i = before; i < sets.size(); ++i)
        EXPECT_FALSE(fromGarbledRead(sets[i])) << "written back: " << sets[i].substr(0, 40);
}

// A test name from the case's PrintTo.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info)
{
    std::ostringstream name;
    PrintTo(info.param, &name);
    return name.str();
}

} // namespace drills
