#include "dialogs/mib/table_view_rules.h"
#include "snmpd_agent.h"
#include "task_queue.h"

#include <gtest/gtest.h>

using namespace dialogs;

class DialogSessionAgainstSnmpd : public SnmpdAgent {};

// A close cuts the walk off: nothing more reaches the owner.
TEST_F(DialogSessionAgainstSnmpd, ClosedWalkDeliversNothingMoreAndTheSessionWalksAgain)
{
    for (int round = 0; round < 20; ++round) {
        TaskQueue owner; // a round's late tasks die with it, after the session
        CDialogSession session("m_cCommonSNMP");
        int rows[2] = {}, ends[2] = {};
        const auto walk = [&](int n) {
            session.startWalk(mib::interfaceTableView().walk, owner.poster(), {[&, n](const WalkRow&) { ++rows[n]; }, [&, n] { ++ends[n]; }});
        };
        walk(0);
        ASSERT_TRUE(owner.runUntil([&] { return rows[0] > 0 || ends[0] > 0; }));
        session.close();
        const auto atClose = std::pair(rows[0], ends[0]);
        owner.drain();
        EXPECT_EQ(std::pair(rows[0], ends[0]), atClose);
        walk(1);
        ASSERT_TRUE(owner.runUntil([&] { return ends[1] > 0; }));
        EXPECT_GT(rows[1], 0);
    }
}
