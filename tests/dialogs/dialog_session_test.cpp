#include "dialogs/dialog_session.h"
#include "dialogs/mib/system_information_rules.h"
#include "dialogs/mib/table_view_rules.h"
#include "snmpd_agent.h"
#include "snmp/common_snmp.h"
#include "task_queue.h"

#include <gtest/gtest.h>

using namespace dialogs;

namespace {

struct Collected {
    std::vector<WalkRow> rows;
    int ends = 0;
};

WalkSinks collectInto(Collected& collected)
{
    return {[&collected](const WalkRow& row) { collected.rows.push_back(row); }, [&collected] { ++collected.ends; }};
}

using DialogSessionAgainstSnmpd = SnmpdAgent;

} // namespace

TEST_F(DialogSessionAgainstSnmpd, TableWalkDeliversEveryRowThenOneEnd)
{
    const auto indexes = walkColumn("1.3.6.1.2.1.2.2.1.1");
    const auto speeds = walkColumn("1.3.6.1.2.1.2.2.1.5");
    ASSERT_FALSE(indexes.empty());

    CDialogSession session("m_cCommonSNMP");
    TaskQueue owner;
    Collected collected;
    session.startWalk(mib::interfaceTableView().walk, owner.poster(), collectInto(collected));
    ASSERT_TRUE(owner.runUntil([&] { return collected.ends > 0; }));
    owner.drain();

    EXPECT_EQ(collected.ends, 1);
    ASSERT_EQ(collected.rows.size(), indexes.size());
    for (const WalkRow& row : collected.rows) {
        ASSERT_EQ(row.values.size(), 3u);
        const std::string index = row.suffix.substr(1);
        EXPECT_EQ(row.values[0], indexes.at(index));
        EXPECT_EQ(row.values[2], speeds.at(index));
    }
}

TEST_F(DialogSessionAgainstSnmpd, SingleGetGivesOneRowAndEnds)
{
    CDialogSession session("m_cCommonSNMP");
    TaskQueue owner;
    Collected collected;
    session.startWalk(mib::systemInformationRead(), owner.poster(), collectInto(collected));
    ASSERT_TRUE(owner.runUntil([&] { return collected.ends > 0; }));
    owner.drain();
    ASSERT_EQ(collected.rows.size(), 1u);
    ASSERT_EQ(collected.rows[0].values.size(), 6u);
    EXPECT_EQ(collected.rows[0].values[0], get("1.3.6.1.2.1.1.1.0"));
    EXPECT_EQ(collected.ends, 1);
}

TEST_F(DialogSessionAgainstSnmpd, UnansweredWalkEndsWithoutRows)
{
    snmp::SessionParameters parameters = snmp::sessionParameters();
    parameters.readCommunity = "not-a-community";
    parameters.requestTimeout = "300";
    snmp::setSessionParameters(parameters);

    CDialogSession session("m_cCommonSNMP");
    TaskQueue owner;
    Collected collected;
    session.startWalk(mib::udpServiceView().walk, owner.poster(), collectInto(collected));
    ASSERT_TRUE(owner.runUntil([&] { return collected.ends > 0; }));
    EXPECT_TRUE(collected.rows.empty());
}

TEST_F(DialogSessionAgainstSnmpd, ClosedWalkDeliversNothingMore)
{
    for (int round = 0; round < 20; ++round) {
        CDialogSession session("m_cCommonSNMP");
        TaskQueue owner;
        Collected collected;
        session.startWalk(mib::interfaceTableView().walk, owner.poster(), collectInto(collected));
        ASSERT_TRUE(owner.runUntil([&] { return !collected.rows.empty() || collected.ends > 0; }));
        session.close();
        const std::size_t rowsAtClose = collected.rows.size();
        const int endsAtClose = collected.ends;
        owner.drain();
        EXPECT_EQ(collected.rows.size(), rowsAtClose);
        EXPECT_EQ(collected.ends, endsAtClose);
        // The same session walks again after a new start.
        Collected again;
        session.startWalk(mib::interfaceTableView().walk, owner.poster(), collectInto(again));
        ASSERT_TRUE(owner.runUntil([&] { return again.ends > 0; }));
        EXPECT_FALSE(again.rows.empty());
    }
}
