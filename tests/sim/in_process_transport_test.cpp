// The switch behind the transport seam: answers, errors, silence, records.
#include "switch_fixture.h"

#include "sim/in_process_transport.h"

#include <future>

namespace {

using namespace sim;
using namespace sim::oids;
using namespace std::chrono_literals;
using snmp::PduType;
using snmp::TransportStatus;

struct Answer {
    TransportStatus status;
    snmp::Pdu pdu;
};

const snmp::Target kReader{.community = "qevtal"};
const snmp::Target kWriter{.community = "morvint"};
const snmp::Target kUser{.version = 3, .user = "simshaaes", .level = snmp::SecurityLevel::AuthPriv};

snmp::VarBind ask(snmp::Oid oid) { return {std::move(oid), snmp::Value{}}; }

class InProcess : public ::testing::Test {
protected:
    Answer exchange(const snmp::Target& target, PduType type, std::vector<snmp::VarBind> bindings)
    {
        std::promise<Answer> promise;
        transport.submit(target, {type, 0, 0, 0, std::move(bindings)}, [&promise](TransportStatus status, snmp::Pdu pdu) {
            promise.set_value({status, std::move(pdu)});
        });
        return promise.get_future().get();
    }

    ManualClock clock;
    InProcessTransport transport{
        SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.rebootTime = 5s, .scenario = false}, [this] { return clock.now; })};
};

TEST_F(InProcess, GetAndGetNextAnswerFromTheSwitch)
{
    const Answer got = exchange(kReader, PduType::Get, {ask(joined(kSysName, {0})), ask(joined(kIfEntry, {8, 1}))});
    ASSERT_EQ(got.status, TransportStatus::Ok);
    EXPECT_EQ(got.pdu.type, PduType::Response);
    EXPECT_EQ(got.pdu.errorStatus, 0);
    ASSERT_EQ(got.pdu.bindings.size(), 2u);
    EXPECT_EQ(got.pdu.bindings[0].value, octetValue("QMX-7720-ZA"));
    EXPECT_EQ(got.pdu.bindings[1].value, integerValue(1));
    const Answer next = exchange(kUser, PduType::GetNext, {ask(joined(kVlanEntry, {5}))});
    ASSERT_EQ(next.pdu.bindings.size(), 1u);
    EXPECT_EQ(next.pdu.bindings[0].oid, joined(kVlanEntry, {5, 1}));
}

TEST_F(InProcess, MissingObjectsAnswerPerVersion)
{
    const Answer v1 = exchange(kReader, PduType::Get, {ask(joined(kSysName, {0})), ask(joined(kVlanEntry, {5, 999}))});
    EXPECT_EQ(std::pair(v1.pdu.errorStatus, v1.pdu.errorIndex), std::pair(2, 2)); // noSuchName at the second
    const Answer v3 = exchange(kUser, PduType::Get, {ask(joined(kVlanEntry, {5, 999})), ask(joined(kPrivateConfig, {99, 0}))});
    EXPECT_EQ(v3.pdu.errorStatus, 0);
    EXPECT_EQ(v3.pdu.bindings.at(0).value.type, snmp::Asn::NoSuchInstance);
    EXPECT_EQ(v3.pdu.bindings.at(1).value.type, snmp::Asn::NoSuchObject);
    const Answer end = exchange(kUser, PduType::GetNext, {ask({1, 3, 6, 1, 4, 1, 32473, 11})});
    EXPECT_EQ(end.pdu.bindings.at(0).value.type, snmp::Asn::EndOfMibView);
}

TEST_F(InProcess, SetsNeedTheWriteCommunityAndMapErrorsForVersionOne)
{
    const snmp::VarBind name{joined(kSysName, {0}), octetValue("lab-2")};
    EXPECT_EQ(exchange(kReader, PduType::Set, {name}).pdu.errorStatus, 2);
    EXPECT_EQ(exchange({.community = "nobody"}, PduType::Get, {ask(joined(kSysName, {0}))}).status, TransportStatus::Timeout);
    const snmp::VarBind badSpeed{joined(kPortEntry, {2, 1}), integerValue(9)};
    const Answer v1 = exchange(kWriter, PduType::Set, {name, badSpeed});
    EXPECT_EQ(std::pair(v1.pdu.errorStatus, v1.pdu.errorIndex), std::pair(3, 2)); // badValue at the second
    EXPECT_EQ(exchange(kUser, PduType::Set, {badSpeed}).pdu.errorStatus, kWrongValue);
    // Bindings before the failing one took effect, as through snmpd.
    EXPECT_EQ(exchange(kUser, PduType::Get, {ask(joined(kSysName, {0}))}).pdu.bindings.at(0).value, octetValue("lab-2"));
}

TEST_F(InProcess, RecordsEachRequestWithItsBindingsInOrder)
{
    const std::vector<snmp::VarBind> vlan = {{joined(kVlanEntry, {5, 300}), integerValue(kCreateAndWait)}};
    const std::vector<snmp::VarBind> members = {{joined(kVlanEntry, {2, 300}), octetValue(std::string("\xf0\0\0\0", 4))},
                                                {joined(kVlanEntry, {1, 300}), octetValue("cams")}};
    exchange(kWriter, PduType::Set, vlan);
    exchange(kWriter, PduType::Set, members);
    const auto requests = transport.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].type, PduType::Set);
    EXPECT_EQ(requests[0].bindings, vlan);
    EXPECT_EQ(requests[1].bindings, members);
    EXPECT_NE(requests[0].requestId, requests[1].requestId);
    transport.clearRequests();
    EXPECT_TRUE(transport.requests().empty());
}

TEST_F(InProcess, RebootingSwitchTimesOutUntilItIsBack)
{
    EXPECT_EQ(exchange(kWriter, PduType::Set, {{joined(kReboot, {0}), integerValue(1)}}).status, TransportStatus::Ok);
    EXPECT_EQ(exchange(kUser, PduType::Get, {ask(joined(kSysName, {0}))}).status, TransportStatus::Timeout);
    transport.withSwitch([this](SimulatedSwitch&) { clock.advance(5s); });
    EXPECT_EQ(exchange(kUser, PduType::Get, {ask(joined(kSysName, {0}))}).status, TransportStatus::Ok);
}

} // namespace
