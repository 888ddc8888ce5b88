#pragma once

#include "dialogs/management/snmp_table_rules.h"

#include <array>

// The agent's view, community and host tables: checks, creation requests
// and row decoding.
namespace dialogs::management {

inline constexpr std::size_t kMaxViews = 50;
inline constexpr std::size_t kMaxCommunities = 10;
inline constexpr std::size_t kMaxHosts = 10;
inline constexpr const char* kSelectItemToDelete = "Please Selecte the Item you would delete";

// ---- SNMP View Table Configuration ----

const std::vector<std::string>& viewHeaders();
const std::vector<std::string>& viewTypes(); // "Included", "Excluded"

// The name and subtree of a row come from its index.
struct ViewRow {
    std::string name, subtree, mask, type;
    std::vector<std::string> texts() const { return {name, subtree, mask, type}; }
};
// An active row with a well-formed index; nothing otherwise.
std::optional<ViewRow> decodeViewRow(const WalkRow& row);
// The row index: name, sub-identifier count, subtree (view all, 1.3.6 gives .3.97.108.108.3.1.3.6).
std::string viewIndex(std::string_view name, std::string_view subtree);
// One octet per mask part: "0"/"00" give 0x00, "1"/"01" give 0x01.
std::string maskOctets(std::string_view mask);

struct ViewInput {
    std::string name, subtree, mask, type;
};
std::string checkView(const ViewInput& input, const std::vector<ViewRow>& listed);
SetRequests viewCreation(const ViewInput& input);
Bindings viewDeletion(const ViewRow& row);

// ---- SNMP Community Table Configuration ----

const std::vector<std::string>& communityHeaders();

struct CommunityRow {
    std::string name, user;
    std::vector<std::string> texts() const { return {name, user}; }
};
std::optional<CommunityRow> decodeCommunityRow(const WalkRow& row);
// The user-table row's name when the combo offers it (active, not version 3).
std::optional<std::string> viewPolicyUser(const WalkRow& userRow);

std::string checkCommunity(std::string_view name, const std::vector<CommunityRow>& listed);
SetRequests communityCreation(std::string_view name, std::string_view user);
Bindings communityDeletion(const CommunityRow& row);

// ---- SNMP Host Table ----

const std::vector<std::string>& hostHeaders();
const std::vector<std::string>& hostVersions(); // the five texts of versions 1..5

struct HostRow {
    std::string address, version, name;
    std::vector<std::string> texts() const { return {address, version, name}; }
};
std::optional<HostRow> decodeHostRow(const WalkRow& row);

// A class A, B or C address with a usable network and host part.
bool isClassfulHost(const std::array<int, 4>& octets);

struct HostInput {
    bool blankField = false;
    std::string address; // dotted
    int version = 0;     // combo position
    std::string name;
};
std::string checkHost(const HostInput& input, const std::vector<HostRow>& listed);
SetRequests hostCreation(const HostInput& input);
Bindings hostDeletion(const HostRow& row);

} // namespace dialogs::management
