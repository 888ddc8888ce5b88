// The switch behind the transport seam: answers, errors, silence, records.
#include "switch_fixture.h"

#include "sim/in_process_transport.h"

#include <future>
#include <set>

namespace {

using namespace sim;
using namespace sim::oids;
using namespace std::chrono_literals;
using snmp::PduType;
using snmp::TransportStatus;
using snmp::VarBind;

// Version 1 with a community, or version 3 as a user with privacy.
snmp::Target community(const char* name, const char* user = "")
{
    snmp::Target target;
    target.community = name;
    target.version = *user ? 3 : 1;
    target.user = user;
    target.level = *user ? snmp::SecurityLevel::AuthPriv : snmp::SecurityLevel::NoAuthNoPriv;
    return target;
}

VarBind ask(const Oid& entry, std::initializer_list<std::uint32_t> arcs) { return {joined(entry, arcs), snmp::Value{}}; }
VarBind answered(const Oid& entry, std::initializer_list<std::uint32_t> arcs, snmp::Value value) { return {joined(entry, arcs), std::move(value)}; }
snmp::Value exception(snmp::Asn type) { return {type, 0, 0, {}, {}}; }

// What came back: the status, the answer's type, error status and index, and bindings.
using Outcome = std::tuple<TransportStatus, PduType, int, int, std::vector<VarBind>>;

TEST(InProcess, AnswersErrorsAndSilenceAsAnAgentWouldAndRecordsEachRequest)
{
    ManualClock clock;
    SwitchFaults faults; // ifDescr.3 genErr, the whole ifAdminStatus column tooBig
    ASSERT_TRUE(addFault("--error-get", dottedOid(kIfEntry) + ".2.3", faults) && addFault("--error-get", dottedOid(kIfEntry) + ".7=tooBig", faults));
    InProcessTransport transport(SimulatedSwitch(loadedModel("QMX-7720-ZA"), {.rebootTime = 5s, .scenario = false, .faults = faults}, [&clock] { return clock.now; }));
    const auto exchange = [&transport](const snmp::Target& target, PduType type, std::vector<VarBind> bindings) {
        std::promise<Outcome> promise;
        transport.submit(target, {type, 0, 0, 0, std::move(bindings)}, [&promise](TransportStatus status, snmp::Pdu pdu) {
            promise.set_value({status, pdu.type, pdu.errorStatus, pdu.errorIndex, std::move(pdu.bindings)});
        });
        return promise.get_future().get();
    };
    const snmp::Target reader = community("qevtal"), writer = community("morvint"), user = community("", "simshaaes");
    const VarBind name = answered(kSysName, {0}, octetValue("lab-2")), badSpeed = answered(kPortEntry, {2, 1}, integerValue(9));
    const Outcome timedOut{TransportStatus::Timeout, PduType::Get, 0, 0, {}};
    const auto ok = [](std::vector<VarBind> bindings, int errorStatus = 0, int errorIndex = 0) {
        return Outcome{TransportStatus::Ok, PduType::Response, errorStatus, errorIndex, std::move(bindings)};
    };
    // A missing object is noSuchName at its index in version 1, an exception
    // in version 3; a set needs the write community; version 1 maps badValue.
    const std::tuple<snmp::Target, PduType, std::vector<VarBind>, Outcome> cases[] = {
        {reader, PduType::Get, {ask(kSysName, {0}), ask(kIfEntry, {8, 1})},
         ok({answered(kSysName, {0}, octetValue("QMX-7720-ZA")), answered(kIfEntry, {8, 1}, integerValue(1))})},
        {user, PduType::GetNext, {ask(kVlanEntry, {5})}, ok({answered(kVlanEntry, {5, 1}, integerValue(1))})},
        {reader, PduType::Get, {ask(kSysName, {0}), ask(kVlanEntry, {5, 999})}, ok({ask(kSysName, {0}), ask(kVlanEntry, {5, 999})}, 2, 2)},
        {user, PduType::Get, {ask(kVlanEntry, {5, 999}), ask(kPrivateConfig, {99, 0})},
         ok({answered(kVlanEntry, {5, 999}, exception(snmp::Asn::NoSuchInstance)),
             answered(kPrivateConfig, {99, 0}, exception(snmp::Asn::NoSuchObject))})},
        {user, PduType::GetNext, {ask({1, 3, 6, 1, 4, 1, 32473}, {11})},
         ok({answered({1, 3, 6, 1, 4, 1, 32473}, {11}, exception(snmp::Asn::EndOfMibView))})},
        {reader, PduType::Set, {name}, ok({name}, 2, 1)},
        // A read that reaches an --error-get OID: a get of it, a get-next onto it.
        {reader, PduType::Get, {ask(kSysName, {0}), ask(kIfEntry, {2, 3})}, ok({ask(kSysName, {0}), ask(kIfEntry, {2, 3})}, 5, 2)},
        {user, PduType::GetNext, {ask(kIfEntry, {2, 2})}, ok({ask(kIfEntry, {2, 2})}, 5, 1)},
        {reader, PduType::GetNext, {ask(kIfEntry, {7})}, ok({ask(kIfEntry, {7})}, 1, 1)},
        {community("nobody"), PduType::Get, {ask(kSysName, {0})}, timedOut},
        {writer, PduType::Set, {name, badSpeed}, ok({name, badSpeed}, 3, 2)},
        {user, PduType::Set, {badSpeed}, ok({badSpeed}, kWrongValue, 1)},
        // Bindings before the failing one took effect, as through snmpd.
        {user, PduType::Get, {ask(kSysName, {0})}, ok({name})},
        {writer, PduType::Set, {answered(kReboot, {0}, integerValue(1))}, ok({answered(kReboot, {0}, integerValue(1))})},
        {user, PduType::Get, {ask(kSysName, {0})}, timedOut}, // rebooting
    };
    std::vector<std::pair<PduType, std::vector<VarBind>>> submitted;
    for (const auto& [target, type, bindings, expected] : cases) {
        EXPECT_EQ(exchange(target, type, bindings), expected) << submitted.size();
        submitted.emplace_back(type, bindings);
    }
    transport.withSwitch([&clock](SimulatedSwitch&) { clock.advance(5s); });
    // Back, without the unsaved name.
    EXPECT_EQ(exchange(user, PduType::Get, {ask(kSysName, {0})}), ok({answered(kSysName, {0}, octetValue("QMX-7720-ZA"))}));
    submitted.emplace_back(PduType::Get, std::vector<VarBind>{ask(kSysName, {0})});

    std::vector<std::pair<PduType, std::vector<VarBind>>> recorded;
    std::set<std::int32_t> ids;
    for (const snmp::Pdu& request : transport.requests()) {
        recorded.emplace_back(request.type, request.bindings);
        ids.insert(request.requestId);
    }
    EXPECT_EQ(recorded, submitted);
    EXPECT_EQ(ids.size(), submitted.size());
}

} // namespace
