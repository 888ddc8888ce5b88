#pragma once

#include "dialogs/dialog_session.h"

#include <cstddef>
#include <vector>

namespace dialogs {

// Shown when a read that guards a write did not reach its end.
inline constexpr const char* kSwitchUnread = "Could not read the switch.";

// The aggregated link member column: one port-list bitmap per link, indexed
// by the link id.
WalkRequest aggregatedLinkRead();

// Ports of one answered row get its link id (0 = no link). `linkIds` holds
// one entry per port, port 1 first; ports beyond it are ignored.
void addAggregatedLink(std::vector<int>& linkIds, const WalkRow& row, int portCount);

// The link id of every port, as read by one walk of the member column.
class AggregatedLinks {
public:
    explicit AggregatedLinks(int portCount);

    void add(const WalkRow& row);
    // 0 for no link and for ports outside 1..portCount.
    int linkOf(int port) const;
    int portCount() const { return static_cast<int>(m_linkIds.size()); }
    const std::vector<int>& linkIds() const { return m_linkIds; }

    // Before a new read.
    void clear();

    // True when every aggregated link's ports hold the same value; `perPort`
    // has one entry per port, port 1 first.
    template <typename T>
    bool treatsLinksAlike(const std::vector<T>& perPort) const
    {
        for (std::size_t a = 0; a < m_linkIds.size() && a < perPort.size(); ++a)
            for (std::size_t b = a + 1; b < m_linkIds.size() && b < perPort.size(); ++b)
                if (m_linkIds[a] != 0 && m_linkIds[a] == m_linkIds[b] && !(perPort[a] == perPort[b]))
                    return false;
        return true;
    }

private:
    std::vector<int> m_linkIds;
};

} // namespace dialogs
