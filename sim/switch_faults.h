#pragma once

#include "snmp/pdu.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Faults a tester asks of the simulated switch, to try a manager's failure
// paths: sets it refuses, requests it leaves unanswered, values it makes up.
namespace sim {

struct SwitchFaults {
    struct RefusedSet {
        snmp::Oid oid;
        std::optional<std::string> value; // as typed; none: any value
    };
    struct Answer {
        snmp::Oid oid;
        std::string value; // as typed, read in the object's own type
    };
    std::vector<RefusedSet> refusedSets;
    std::vector<snmp::Oid> silentGets;
    std::vector<Answer> answers;
    struct ErrorGet {
        snmp::Oid oid;
        int status; // the error status answered
    };
    std::vector<ErrorGet> errorGets;

    bool refuses(const snmp::Oid& oid, const snmp::Value& value) const;
    bool silent(const snmp::Oid& asked) const;
    // What a read of `oid` shows instead of `held` (null when it does not exist).
    std::optional<snmp::Value> answerFor(const snmp::Oid& oid, const snmp::Value* held) const;
    // The error status a read answered with `reached` (the object a get asks
    // for, or the one a get-next would return) gets instead: 0 for none.
    // It reaches a fault's OID when it is that OID or lies under it.
    int errorFor(const snmp::Oid& reached) const;
};

// One option of the command line: "--refuse-set" OID[=VALUE], "--silent-get"
// OID, "--answer" OID=VALUE or "--error-get" OID[=STATUS] (genErr when absent;
// a name such as tooBig or a number). False for another option or a
// malformed argument.
bool addFault(std::string_view option, std::string_view argument, SwitchFaults& faults);
// The options that give `faults` again, each argument with every character
// but letters, digits and ".=-_" written %XX: a command line split at blanks
// keeps them whole.
std::string faultOptions(const SwitchFaults& faults);
std::string percentDecoded(std::string_view text);

// Text as a value of `type`: decimal numbers, dotted addresses and object
// ids; an OCTET STRING is the text itself, or the octets of "0x" and hex
// digits. A text that is no value of `type` gives an OCTET STRING of it.
snmp::Value valueFromText(std::string_view text, snmp::Asn type);

} // namespace sim
