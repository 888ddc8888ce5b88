#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <optional>
#include <string>
#include <string_view>

namespace dialogs::mib {

inline constexpr int kSystemNameMaxLength = 20;
inline constexpr int kSystemLocationMaxLength = 20;
// The hidden contact is never written, so Apply does not check its length.
inline constexpr int kSystemContactMaxLength = 32;

// sysDescr, sysObjectID, sysUpTime, sysContact, sysName, sysLocation.
WalkRequest systemInformationRead();

struct SystemInformationTexts {
    std::string description;
    std::string objectId;
    std::optional<std::string> runtime; // empty uptime: the shown text stays
    std::string contact;
    std::string name;     // local text
    std::string location; // local text
};

// Fewer than six values: nothing to show.
std::optional<SystemInformationTexts> decodeSystemInformation(const WalkRow& row);

// Hundredths of a second as "H Hour M Min".
std::string uptimeText(std::string_view ticks);

// The first failing check's message, or "" when name and location may be sent.
std::string checkSystemInformation(std::string_view name, std::string_view location);

// sysName and sysLocation as UTF-8 OCTET STRINGs.
Bindings systemInformationSet(std::string_view name, std::string_view location);

} // namespace dialogs::mib

namespace dialogs::mib {
// The data exchange's refusal of a text longer than its edit allows, or "".
std::string checkEditLength(std::string_view text, int maxLength);
} // namespace dialogs::mib
