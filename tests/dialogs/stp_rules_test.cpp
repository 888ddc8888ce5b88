#include "dialogs/mib/stp_rules.h"

#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::mib;

namespace {

const std::string kAgeRange = "Invalid Age Time value, the valid Age Time range is  (600-4000) ms !";
const std::string kDelayRange = "Invalid Forward Delay value, the valid Forward Delay range is (400-3000) ms !";
const std::string kHelloRange = "Invalid Hello Time value, the valid Hello Time range is (100-1000) ms !";
const std::string kHelloRelation = "To set the parameters Hello Time and Max Age the following relation is to be "
                                   "satisfied: \nMax Age >= (2*(Hello Time + 1.0))";
const std::string kDelayRelation = "To set the parameters Forward Delay and Max Age, the following relation is to be "
                                   "satisfied: \n2*(Forward Delay - 1) >= Max Age";
const std::string kRoot = std::string("\x80\x00\x00\x00\x5E\x00\x53\x01", 8);

} // namespace

TEST(StpRules, BridgeTimersRangesRelationsAndTheFirstFailingCheck)
{
    const std::string ok;
    // Max age, hello time, forward delay, message.
    const std::tuple<std::int64_t, std::int64_t, std::int64_t, const std::string&> cases[] = {
        {2000, 200, 1500, ok}, {600, 300, 1500, kHelloRelation}, {4000, 200, 2000, kDelayRelation}, {4000, 1000, 3000, ok},
        {4000, 1001, 3000, kHelloRange}, {599, 100, 400, kAgeRange}, {4001, 100, 400, kAgeRange}, {2000, 200, 399, kDelayRange},
        {2000, 200, 3001, kDelayRange}, {2000, 99, 1500, kHelloRange},
        // Boundaries of both relations are inclusive.
        {600, 200, 400, ok}, {600, 201, 1000, kHelloRelation}, {2800, 200, 1500, ok}, {2801, 200, 1500, kDelayRelation},
        // Age range first, then delay range, then hello range, then the relations.
        {0, 0, 0, kAgeRange}, {2000, 0, 0, kDelayRange}, {700, 300, 400, kHelloRelation},
    };
    for (const auto& [maxAge, helloTime, forwardDelay, message] : cases) {
        StpBridgeSettings s;
        std::tie(s.maxAge, s.helloTime, s.forwardDelay) = std::tie(maxAge, helloTime, forwardDelay);
        EXPECT_EQ(checkStpBridge(s), message) << maxAge << " " << helloTime << " " << forwardDelay;
    }
}

TEST(StpRules, BridgeSetEncodesVersionAndStateAndTheReadDecodes)
{
    StpBridgeSettings s;
    s.rstp = true;
    s.enabled = false;
    const Bindings sent = stpBridgeSet(s);
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[4].value + sent[5].value, "22");

    // Root, max age, current delay, state, version (0 keep, 1 RSTP, 2 STP compatible); "none": nothing shown.
    const auto shown = [](std::vector<std::string> values) {
        const auto t = decodeStpBridge({values, {}});
        return t ? t->designatedRoot + " " + t->maxAge + " " + t->currentForwardDelay + (t->enabled ? " on " : " off ") +
                       std::to_string(static_cast<int>(t->version))
                 : "none";
    };
    const std::vector<std::string> row{"32768", "1234", "3", kRoot, "0", "2000", "200", "1500", "200", "100", "1500"};
    const auto with = [&](std::vector<std::string> tail) {
        tail.insert(tail.begin(), row.begin(), row.end());
        return tail;
    };
    const std::string root = "80:00:00:00:5E:00:53:01 2000 1500";
    EXPECT_EQ(shown(with({"2", "0"})), root + " off 2");
    EXPECT_EQ(shown(with({"1", "2"})), root + " on 1");
    EXPECT_EQ(shown(with({"1", "1"})), root + " on 0");
    EXPECT_EQ(shown(row), root + " off 0"); // eleven values suffice: protocol off
    EXPECT_EQ(shown({row.begin(), row.end() - 1}), "none");
    EXPECT_EQ(shown({"", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}), "none");
    EXPECT_EQ(bridgeIdText("short"), "short");
    // Each column lands in its own field.
    const auto t = decodeStpBridge({{"1", "2", "3", kRoot, "5", "6", "7", "8", "9", "10", "11"}, {}});
    ASSERT_TRUE(t);
    EXPECT_EQ((std::vector<std::string>{t->priority, t->timeSinceTopologyChange, t->topologyChanges, t->rootPort, t->maxAge,
                                        t->helloTime, t->forwardDelay, t->currentHelloTime, t->holdTime, t->currentForwardDelay}),
              (std::vector<std::string>{"1", "2", "3", "5", "6", "7", "8", "9", "10", "11"}));
}

TEST(StpRules, PortTableRow)
{
    const WalkRow row{{"3", "128", "200000", "1", "5", kRoot, "4", std::string("\x80\x00\x00\x00\x5E\x00\x53\x02", 8),
                       std::string("\x80\x03", 2), "7"},
                      ".3"};
    EXPECT_EQ(stpPortRowTexts(row), (std::vector<std::string>{"3", "128", "200000", "Y", "Forward", "80:00:00:00:5E:00:53:01", "4",
                                                              "80:00:00:00:5E:00:53:02", "80 03", "7"}));
    const std::vector<std::string> other = stpPortRowTexts({{"3", "128", "0", "2", "9", "", "", "", "", ""}, ""});
    EXPECT_EQ(other[3] + other[4], "N9");
    EXPECT_EQ(stpPortHeaders().size(), stpPortTableRead().oids.size());
}

TEST(StpRules, TrunkMemberKeepsItsRowValues)
{
    const std::string refused = "Cannot add ports with different STP configurations to an aggregated link.";
    const std::string badCost = "Invalid Path Cost(1-200000000)";
    const StpPortRow shown = stpPortRow({"4", "128", "20000", "Y"});
    // Outside a link any change goes; 0 is the automatic cost; the cost range is checked first.
    for (const auto& [settings, link, message] : std::initializer_list<std::tuple<StpPortSettings, int, std::string>>{
             {{128, 20000, true}, 2, ""}, {{144, 20000, true}, 2, refused}, {{128, 20001, true}, 2, refused},
             {{128, 20000, false}, 2, refused}, {{144, 1, false}, 0, ""}, {{128, 0, true}, 0, ""},
             {{128, 200000000, true}, 0, ""}, {{128, -1, true}, 0, badCost}, {{128, 200000001, true}, 2, badCost}})
        EXPECT_EQ(checkStpPort(settings, link, shown), message)
            << settings.priority << " " << settings.pathCost << " " << settings.enabled << " link " << link;
}
