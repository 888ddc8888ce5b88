// The switch behind the transport seam: answers, errors, silence, records.
#include "switch_fixture.h"

#include "sim/in_process_transport.h"
#include "sim/mib_store.h"

#include <future>

namespace {

using namespace sim;
using namespace sim::oids;
using namespace std::chrono_literals;

struct Answer {
    snmp::TransportStatus status;
    snmp::Pdu pdu;
};

class InProcess : public ::testing::Test {
protected:
    Answer exchange(const snmp::Target& target, snmp::PduType type, std::vector<snmp::VarBind> bindings)
    {
        snmp::Pdu request;
        request.type = type;
        request.bindings = std::move(bindings);
        std::promise<Answer> promise;
        transport.submit(target, request, [&promise](snmp::TransportStatus status, snmp::Pdu pdu) {
            promise.set_value({status, std::move(pdu)});
        });
        return promise.get_future().get();
    }

    static snmp::Target v1(const std::string& community)
    {
        snmp::Target target;
        target.version = 1;
        target.community = community;
        return target;
    }

    static snmp::Target v3()
    {
        snmp::Target target;
        target.version = 3;
        target.user = "simshaaes";
        target.level = snmp::SecurityLevel::AuthPriv;
        return target;
    }

    static snmp::VarBind ask(snmp::Oid oid) { return {std::move(oid), snmp::Value{}}; }

    ManualClock clock;
    InProcessTransport transport{
        SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.rebootTime = 5s, .scenario = false}, [this] { return clock.now; })};
};

TEST_F(InProcess, GetAndGetNextAnswerFromTheSwitch)
{
    const Answer got = exchange(v1("qevtal"), snmp::PduType::Get, {ask(joined(kSysName, {0})), ask(joined(kIfEntry, {8, 1}))});
    ASSERT_EQ(got.status, snmp::TransportStatus::Ok);
    EXPECT_EQ(got.pdu.type, snmp::PduType::Response);
    EXPECT_EQ(got.pdu.errorStatus, 0);
    ASSERT_EQ(got.pdu.bindings.size(), 2u);
    EXPECT_EQ(got.pdu.bindings[0].value.octets, "QMX-7720-ZA");
    EXPECT_EQ(got.pdu.bindings[1].value.integer, 1);

    const Answer next = exchange(v3(), snmp::PduType::GetNext, {ask(joined(kVlanEntry, {5}))});
    ASSERT_EQ(next.pdu.bindings.size(), 1u);
    EXPECT_EQ(next.pdu.bindings[0].oid, joined(kVlanEntry, {5, 1}));
}

TEST_F(InProcess, MissingObjectsAnswerPerVersion)
{
    const Answer v1Missing = exchange(v1("qevtal"), snmp::PduType::Get,
                                      {ask(joined(kSysName, {0})), ask(joined(kVlanEntry, {5, 999}))});
    EXPECT_EQ(v1Missing.pdu.errorStatus, 2); // noSuchName
    EXPECT_EQ(v1Missing.pdu.errorIndex, 2);

    const Answer v3Missing = exchange(v3(), snmp::PduType::Get,
                                      {ask(joined(kVlanEntry, {5, 999})), ask(joined(kPrivateConfig, {99, 0}))});
    EXPECT_EQ(v3Missing.pdu.errorStatus, 0);
    EXPECT_EQ(v3Missing.pdu.bindings[0].value.type, snmp::Asn::NoSuchInstance);
    EXPECT_EQ(v3Missing.pdu.bindings[1].value.type, snmp::Asn::NoSuchObject);

    const Answer end = exchange(v3(), snmp::PduType::GetNext, {ask({1, 3, 6, 1, 4, 1, 32473, 11})});
    EXPECT_EQ(end.pdu.bindings[0].value.type, snmp::Asn::EndOfMibView);
}

TEST_F(InProcess, SetsNeedTheWriteCommunityAndMapErrorsForVersionOne)
{
    const snmp::VarBind name{joined(kSysName, {0}), octetValue("lab-2")};
    EXPECT_EQ(exchange(v1("qevtal"), snmp::PduType::Set, {name}).pdu.errorStatus, 2);
    EXPECT_EQ(exchange(v1("nobody"), snmp::PduType::Get, {ask(joined(kSysName, {0}))}).status,
              snmp::TransportStatus::Timeout);

    const snmp::VarBind badSpeed{joined(kPortEntry, {2, 1}), integerValue(9)};
    const Answer v1Bad = exchange(v1("morvint"), snmp::PduType::Set, {name, badSpeed});
    EXPECT_EQ(v1Bad.pdu.errorStatus, 3); // badValue
    EXPECT_EQ(v1Bad.pdu.errorIndex, 2);
    const Answer v3Bad = exchange(v3(), snmp::PduType::Set, {badSpeed});
    EXPECT_EQ(v3Bad.pdu.errorStatus, kWrongValue);

    // Bindings before the failing one took effect, as through snmpd.
    const Answer read = exchange(v3(), snmp::PduType::Get, {ask(joined(kSysName, {0}))});
    EXPECT_EQ(read.pdu.bindings[0].value.octets, "lab-2");
}

TEST_F(InProcess, RecordsEachRequestWithItsBindingsInOrder)
{
    const std::vector<snmp::VarBind> vlan = {
        {joined(kVlanEntry, {5, 300}), integerValue(kCreateAndWait)},
    };
    const std::vector<snmp::VarBind> members = {
        {joined(kVlanEntry, {2, 300}), octetValue(std::string("\xf0\0\0\0", 4))},
        {joined(kVlanEntry, {1, 300}), octetValue("cams")},
    };
    exchange(v1("morvint"), snmp::PduType::Set, vlan);
    exchange(v1("morvint"), snmp::PduType::Set, members);
    const auto requests = transport.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].type, snmp::PduType::Set);
    EXPECT_EQ(requests[0].bindings, vlan);
    EXPECT_EQ(requests[1].bindings, members);
    EXPECT_NE(requests[0].requestId, requests[1].requestId);
    transport.clearRequests();
    EXPECT_TRUE(transport.requests().empty());
}

TEST_F(InProcess, RebootingSwitchTimesOutUntilItIsBack)
{
    const Answer reboot = exchange(v1("morvint"), snmp::PduType::Set, {{joined(kReboot, {0}), integerValue(1)}});
    EXPECT_EQ(reboot.status, snmp::TransportStatus::Ok);
    EXPECT_EQ(exchange(v3(), snmp::PduType::Get, {ask(joined(kSysName, {0}))}).status, snmp::TransportStatus::Timeout);
    transport.withSwitch([this](SimulatedSwitch&) { clock.advance(5s); });
    EXPECT_EQ(exchange(v3(), snmp::PduType::Get, {ask(joined(kSysName, {0}))}).status, snmp::TransportStatus::Ok);
}

} // namespace
