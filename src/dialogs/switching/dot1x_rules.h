#pragma once

#include "commands/management_path.h"
#include "dialogs/aggregated_links.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace dialogs::switching {

// ---- 802.1X Config Information ----

// State, RADIUS address and key, the six timers and ReAuthEnabled.
WalkRequest dot1xConfigRead();

inline constexpr int kDot1xKeyLength = 33;

struct Dot1xConfigTexts {
    bool enabled = false;
    std::string radiusAddress;
    std::string key;
    std::string quietPeriod, txPeriod, suppTimeout, serverTimeout, maxReq, reAuthPeriod;
    bool reAuthEnabled = false;
};

// The answered texts as they are, for Apply to refuse what is still odd; an
// address that is not dotted shows blank. Nothing for a short answer.
std::optional<Dot1xConfigTexts> decodeDot1xConfig(const WalkRow& row);

struct Dot1xConfigInput {
    bool enabled = false;
    bool addressHasBlankField = false;
    std::string radiusAddress; // dotted, blank fields as 0
    std::string key, confirmKey;
    std::string quietPeriod, txPeriod, suppTimeout, serverTimeout, maxReq, reAuthPeriod; // as typed
    bool reAuthEnabled = false;
};

// The first failing check's message, or "". Every field is checked before
// anything is sent; disabling checks nothing.
std::string checkDot1xConfig(const Dot1xConfigInput& input);

// The requests of Config Apply. Disabled: the state alone. Enabled: address
// and key, then the state, then the timers with ReAuthEnabled.
Bindings dot1xStateSet(bool enabled);
Bindings dot1xRadiusSet(const Dot1xConfigInput& input);
Bindings dot1xTimersSet(const Dot1xConfigInput& input);

// ---- 802.1X Port Configuration ----

// What the port list shows of the config dialog in every row.
struct Dot1xTimerTexts {
    std::string quietPeriod, txPeriod, suppTimeout, serverTimeout, maxReq, reAuthPeriod, reAuthEnabled;
};

const std::vector<std::string>& dot1xPortHeaders();
// "forceUnauthorized", "auto", "forceAuthorized": item index + 1 is the code.
const std::vector<std::string>& dot1xControlItems();

// Authorization status and access control, per port.
WalkRequest dot1xPortRead();

struct Dot1xPortRow {
    int port = 0;
    int control = 0; // 0 when the answer is no whole number
    std::vector<std::string> texts;
};
Dot1xPortRow decodeDot1xPort(const WalkRow& row, const Dot1xTimerTexts& timers);

// `controls`: the code of every port, port 1 first.
std::string checkDot1xPorts(int from, int to, int control, const std::vector<int>& controls,
                            const AggregatedLinks& links);

inline constexpr std::size_t kDot1xBatch = 30;
// Ports from..to set to `control`, kDot1xBatch bindings a request.
std::vector<Bindings> dot1xPortBatches(int from, int to, int control);
// What `batches` do to the path: "This sets the 802.1X port control of port
// N to auto." (or forceUnauthorized) when its code as read (`controls`) was
// another; "" otherwise and for an unknown path.
std::string dot1xPortPathCut(const commands::ManagementPath& path, const std::vector<Bindings>& batches,
                             const std::vector<int>& controls);

} // namespace dialogs::switching
