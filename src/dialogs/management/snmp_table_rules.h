#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The agent's row tables: row indexes, the row-status writer, and the user
// and group tables' checks, creation requests and row decoding.
namespace dialogs::management {

inline const std::string kAgentRoot = "1.3.6.1.4.1.32473.10.75.7.25";
inline const std::string kUserEntry = kAgentRoot + ".2.1.1";
inline const std::string kGroupEntry = kAgentRoot + ".3.1.1";
inline const std::string kViewEntry = kAgentRoot + ".4.1.1";
inline const std::string kCommunityEntry = kAgentRoot + ".5.1.1";
inline const std::string kHostEntry = kAgentRoot + ".6.1.1";

// "<entry>.<column>"
std::string columnOid(const std::string& entry, int column);

// A walk of columns 1..`last` of `entry` (the view table skips column 2).
WalkRequest tableWalk(const std::string& entry, const std::vector<int>& columns);

// ---- Row index ----

// ".<length>" then ".<code>" per character (ab gives .2.97.98).
std::string nameIndex(std::string_view name);
// ".1" for v1/V1, ".2" for v2c/V2c, ".3" for v3/V3, "" otherwise.
std::string modelIndex(std::string_view version);
// ".1" NoAuthNoPriv, ".2" AuthNoPriv, ".3" anything else.
std::string levelIndex(std::string_view level);
std::string userIndex(std::string_view name, std::string_view version);
std::string groupIndex(std::string_view name, std::string_view model, std::string_view level);

// The set of one row status: 1 active, 5 createAndWait, 6 destroy; nothing
// for another value.
std::optional<Bindings> rowStatusSet(const std::string& statusColumn, const std::string& index, int value);

// A row's creation: one set request per element, in order.
using SetRequests = std::vector<Bindings>;

inline constexpr std::size_t kMaxUsers = 50;
inline constexpr std::size_t kMaxGroups = 50;
inline constexpr const char* kSelectToDelete = "Please select the item would be delete!\n";

// ---- SNMP User Table ----

const std::vector<std::string>& userHeaders();
const std::vector<std::string>& userVersions();       // "V1", "V2c", "V3"
const std::vector<std::string>& authProtocols();      // "MD5", "SHA"
const std::vector<std::string>& privProtocols();      // "DES", "None"

// A listed user: the texts of the list's columns.
struct UserRow {
    std::string name, group, version, auth, priv;
    std::vector<std::string> texts() const { return {name, group, version, auth, priv}; }
};
// An active row whose name and version match its index; nothing otherwise.
std::optional<UserRow> decodeUserRow(const WalkRow& row);

// Which input controls are enabled.
struct UserControls {
    bool encrypted = false;
    bool protocols = false;
    bool authPassword = false;
    bool privPassword = false;
};
UserControls userControls(std::string_view version, bool encrypted, std::string_view privProtocol);

struct UserInput {
    std::string name, group, version;
    bool encrypted = false;
    std::string authProtocol, authPassword, privProtocol, privPassword;
};
// The failing check's message and the password edit to focus, if any.
struct UserCheck {
    enum class Focus { None, AuthPassword, PrivPassword };
    std::string message;
    Focus focus = Focus::None;
};
UserCheck checkUser(const UserInput& input, const std::vector<UserRow>& listed);
SetRequests userCreation(const UserInput& input);
Bindings userDeletion(const UserRow& row);

// ---- SNMP Group Table Info ----

const std::vector<std::string>& groupHeaders();
const std::vector<std::string>& securityModels(); // "v1", "v2c", "v3"
const std::vector<std::string>& securityLevels(); // "NoAuthNoPriv", "AuthNoPriv", "AuthPriv"

struct GroupRow {
    std::string name, readView, writeView, notifyView, model, level;
    std::vector<std::string> texts() const { return {name, readView, writeView, notifyView, model, level}; }
};
std::optional<GroupRow> decodeGroupRow(const WalkRow& row);

struct GroupInput {
    std::string name, readView, writeView, notifyView, model, level;
};
std::string checkGroup(const GroupInput& input, const std::vector<GroupRow>& listed);
SetRequests groupCreation(const GroupInput& input);
Bindings groupDeletion(const GroupRow& row);

// Text sent into an OCTET STRING name column, and read back.
std::string nameToSwitch(std::string_view text);
std::string nameFromSwitch(std::string_view octets);

} // namespace dialogs::management
