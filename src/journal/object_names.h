#pragma once

#include <string_view>

// The names of the objects the module writes, for the journal's bindings.
namespace journal {

struct ObjectName {
    const char* prefix; // dotted; a binding's OID is this or lies under it
    const char* name;
    bool secret = false; // a key or pass phrase: its value is not recorded
    bool secretIndex = false; // the row index spells a community: the OID is recorded without it
};

// The most specific entry for `oid`; null when the module does not know it.
const ObjectName* findObject(std::string_view oid);

// What a secret object's value is recorded as.
inline constexpr char kSecretValue[] = "(not recorded)";

} // namespace journal
