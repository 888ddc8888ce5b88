// The switch's own agent settings: engine ID length, trap objects by model,
// and the row limits of the agent's tables.
#include "switch_fixture.h"

namespace {

using namespace sim;
using namespace sim::oids;

using SwitchAgentMib = SwitchTest;

TEST_F(SwitchAgentMib, EngineIdTakesFiveToThirtyTwoOctets)
{
    for (const auto& [length, error] :
         std::initializer_list<std::pair<std::size_t, int>>{{4, kWrongLength}, {5, kNoError}, {32, kNoError}, {33, kWrongLength}})
        EXPECT_EQ(set(kSnmpAgent, {7, 0}, octetValue(std::string(length, '\0'))), error) << length;
    EXPECT_EQ(octets(kSnmpAgent, {7, 0}), std::string(32, '\0'));
}

TEST_F(SwitchAgentMib, NineTrapObjectsOnPoeModelsSixOtherwise)
{
    for (const auto& [model, count] : {std::pair<std::string, std::uint32_t>{"QMX-7720-ZA", 6}, {"QMX-7740-ZP", 9}}) {
        use(model);
        for (std::uint32_t trap = 1; trap <= 10; ++trap)
            EXPECT_EQ(device->get(joined(kSnmpAgent, {8, trap, 0})).has_value(), trap <= count) << model << " " << trap;
        EXPECT_EQ(set(kSnmpAgent, {8, count, 0}, integerValue(3)), kWrongValue);
    }
}

TEST_F(SwitchAgentMib, TablesRefuseCreationBeyondTheirLimits)
{
    // Rows the model seeds: 3 users, 3 groups, 3 views, 2 communities, no host.
    struct Table {
        Oid entry;
        std::uint32_t status;
        std::size_t room;
        std::vector<std::uint32_t> tail; // index arcs after the name
    };
    const Table tables[] = {{kSnmpUserEntry, 8, 47, {1}},
                            {kSnmpGroupEntry, 7, 47, {3, 3}},
                            {kSnmpViewEntry, 5, 47, {2, 1, 3}},
                            {kSnmpCommunityEntry, 3, 8, {}},
                            {kSnmpHostEntry, 4, 10, {}}};
    for (const Table& t : tables) {
        const auto index = [&](std::uint32_t n) {
            Oid arcs = t.entry == kSnmpHostEntry ? Oid{10, 0, n / 250, 1 + n % 250} : Oid{2, 120, 1 + n};
            arcs.insert(arcs.end(), t.tail.begin(), t.tail.end());
            return joined(joined(t.entry, {t.status}), arcs);
        };
        for (std::uint32_t n = 0; n < t.room; ++n)
            ASSERT_EQ(device->set(index(n), integerValue(kCreateAndWait)), kNoError) << dottedOid(index(n));
        EXPECT_EQ(device->set(index(static_cast<std::uint32_t>(t.room)), integerValue(kCreateAndWait)),
                  kResourceUnavailable)
            << dottedOid(t.entry);
        // Rows waiting for their columns are served as they are.
        EXPECT_EQ(integerOf(*device, index(0)), kCreateAndWait);
    }
}

} // namespace
