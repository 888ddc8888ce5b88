#pragma once

#include "dialogs/dialog_session.h"

#include <vector>

namespace dialogs {

// The aggregated link member column: one port-list bitmap per link, indexed
// by the link id.
WalkRequest aggregatedLinkRead();

// Ports of one answered row get its link id (0 = no link). `linkIds` holds
// one entry per port, port 1 first; ports beyond it are ignored.
void addAggregatedLink(std::vector<int>& linkIds, const WalkRow& row, int portCount);

} // namespace dialogs
