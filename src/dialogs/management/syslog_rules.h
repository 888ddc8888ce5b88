#pragma once

#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dialogs::management {

// Address, port, facility, severity, state: one get.
WalkRequest syslogRead();

std::vector<std::string> facilityItems(); // local0 .. local7
std::vector<std::string> severityItems(); // warning, info, all

// What an answer shows; an empty optional leaves its control as it is.
struct SyslogTexts {
    std::optional<std::string> address; // dotted, four octets
    std::optional<std::string> port;    // at most five digits
    int facilityIndex = 0;
    std::optional<int> severityIndex;
    bool enabled = false;
};
SyslogTexts decodeSyslog(const WalkRow& row);

// addressText: the address control's dotted text (blank fields read as 0).
// The first failing check's message, or "".
std::string checkSyslogServer(std::string_view addressText, bool blankField, std::int64_t port);

Bindings syslogServerSet(std::string_view addressText, std::int64_t port, int severityIndex, int facilityIndex);
Bindings syslogStateSet(bool enabled);

} // namespace dialogs::management
