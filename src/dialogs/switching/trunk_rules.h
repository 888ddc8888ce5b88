#pragma once

#include "commands/management_path.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs::switching {

// ---- Trunk Configuration ----

const std::vector<std::string>& trunkListHeaders();
// The combo's items: index 0, 1, 2.
const std::vector<std::string>& channelModeItems();

// Link aggregation as a whole.
Bindings trunkStateRead();
// The state from the answer: true/false, or nothing for a value that is no
// whole number (Apply then waits for a clean read).
std::optional<bool> decodeTrunkState(const std::string& value);
Bindings trunkStateSet(bool enabled);

// The link table: members and channel mode.
WalkRequest trunkTableRead();

struct TrunkRow {
    std::string id;      // "1"
    std::string mode;    // "LACP", "Static" or "Disable"
    std::string members; // "21,22"
    // The member list was answered shorter than the switch's ports: the
    // ports it lacks show as no members, and it is never written back.
    bool partial = false;
    bool operator==(const TrunkRow&) const = default;
};
// Nothing for a row whose mode is no whole number. Octets past the switch's
// ports are ignored.
std::optional<TrunkRow> decodeTrunkRow(const WalkRow& row, int portCount);
extern const char* const kPartialMembers;

// Mode Apply: "" for an empty or valid id.
std::string checkTrunkId(std::string_view idText);
Bindings trunkModeSet(std::string_view id, std::string_view modeText);

// What a state or mode set does to the path: "This puts port N into trunk
// G." or "This takes port N out of trunk G." when the link holding the path's
// port (`rows`, link aggregation `enabled` as read) aggregates it after `sent`
// and did not before, or the other way round; "" otherwise.
std::string trunkPathCut(const commands::ManagementPath& path, const std::vector<TrunkRow>& rows, bool enabled,
                         const Bindings& sent);

// "&PortMember": the refusal, or "" to open the member dialog.
std::string checkPortMemberOpen(std::string_view idText, std::string_view modeText);

// ---- Trunk member ----

struct WindowSize {
    int width = 0;
    int height = 0;
};
// The member window's size for the models that have one.
std::optional<WindowSize> trunkMemberWindowSize(int portCount);

// Port numbers of a "1,2,5" list within 1..portCount.
std::vector<int> memberPorts(std::string_view list, int portCount);
// The ticked ports' numbers, ascending.
std::vector<int> tickedPorts(const std::vector<bool>& flags);

// "" or the count limit's message.
std::string checkMemberCount(std::size_t ticked);

// The one set: members and mode of link `id`; nothing when the list has no
// octet ("Parameter Error !").
std::optional<Bindings> trunkMemberSet(std::string_view id, std::string_view modeText, const std::vector<bool>& flags,
                                       int portCount);

// What the member set does to the path: its port put into link `id` or
// taken out of it, against `before` (the members as listed); "" otherwise.
std::string trunkMemberPathCut(const commands::ManagementPath& path, std::string_view id,
                               const std::vector<int>& before, const Bindings& sent);

} // namespace dialogs::switching
