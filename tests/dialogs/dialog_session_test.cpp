#include "dialogs/dialog_session.h"
#include "dialogs/mib/table_view_rules.h"
#include "snmp/common_snmp.h"
#include "snmpd_agent.h"
#include "task_queue.h"

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

// One walk's rows and ends as they reached the owner's thread.
struct Collected {
    std::vector<WalkRow> rows;
    int ends = 0;
};

class DialogSessionAgainstSnmpd : public SnmpdAgent {
protected:
    // Starts a walk on `session`; its rows and ends reach `into` through `owner`.
    static void start(CDialogSession& session, const WalkRequest& request, TaskQueue& owner, Collected& into)
    {
        session.startWalk(request, owner.poster(), {[&into](const WalkRow& row) { into.rows.push_back(row); }, [&into] { ++into.ends; }});
    }
    // Runs a walk to its end and whatever the queue holds after it.
    Collected walk(const WalkRequest& request)
    {
        CDialogSession session("m_cCommonSNMP");
        Collected collected;
        start(session, request, m_owner, collected);
        EXPECT_TRUE(m_owner.runUntil([&] { return collected.ends > 0; }));
        m_owner.drain();
        return collected;
    }
    TaskQueue m_owner;
};

} // namespace

TEST_F(DialogSessionAgainstSnmpd, TableWalkDeliversEveryRowThenOneEnd)
{
    const auto indexes = walkColumn("1.3.6.1.2.1.2.2.1.1");
    const auto speeds = walkColumn("1.3.6.1.2.1.2.2.1.5");
    ASSERT_FALSE(indexes.empty());
    const Collected collected = walk(mib::interfaceTableView().walk);
    EXPECT_EQ(collected.ends, 1);
    ASSERT_EQ(collected.rows.size(), indexes.size());
    for (const WalkRow& row : collected.rows) {
        ASSERT_EQ(row.values.size(), 3u);
        const std::string index = row.suffix.substr(1);
        EXPECT_EQ(row.values[0], indexes.at(index));
        EXPECT_EQ(row.values[2], speeds.at(index));
    }
}

TEST_F(DialogSessionAgainstSnmpd, UnansweredWalkEndsWithoutRows)
{
    snmp::SessionParameters parameters = snmp::sessionParameters();
    parameters.readCommunity = "not-a-community";
    parameters.requestTimeout = "300";
    snmp::setSessionParameters(parameters);
    EXPECT_TRUE(walk(mib::udpServiceView().walk).rows.empty());
}

TEST_F(DialogSessionAgainstSnmpd, ClosedWalkDeliversNothingMore)
{
    for (int round = 0; round < 20; ++round) {
        TaskQueue owner; // a round's late tasks die with it, after the session
        CDialogSession session("m_cCommonSNMP");
        Collected collected;
        start(session, mib::interfaceTableView().walk, owner, collected);
        ASSERT_TRUE(owner.runUntil([&] { return !collected.rows.empty() || collected.ends > 0; }));
        session.close();
        const std::size_t rowsAtClose = collected.rows.size();
        const int endsAtClose = collected.ends;
        owner.drain();
        EXPECT_EQ(collected.rows.size(), rowsAtClose);
        EXPECT_EQ(collected.ends, endsAtClose);
        // The same session walks again after a new start.
        Collected again;
        start(session, mib::interfaceTableView().walk, owner, again);
        ASSERT_TRUE(owner.runUntil([&] { return again.ends > 0; }));
        EXPECT_FALSE(again.rows.empty());
    }
}
