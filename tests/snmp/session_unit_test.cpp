#include "../sim/switch_fixture.h"
#include "session_parameters_for.h"
#include "silent_agent.h"
#include "walk_recorder.h"

#include "sim/in_process_transport.h"
#include "snmp/agent_address.h"
#include "snmp/common_snmp.h"
#include "snmp/set_journal.h"
#include "snmp/snmp_layer.h"
#include "snmp/v3_security.h"
#include "snmp/value_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>

namespace fs = std::filesystem;
using namespace snmp;
using namespace std::chrono_literals;

namespace {

constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";

int addSysDescr(CCommonSnmp& session) { return session.addValue(kSysDescr, kTypeNull, nullptr); }
bool prepare(CCommonSnmp& session, int pduType) { return session.Open(pduType) && addSysDescr(session) == 0; }

// Counts its calls in the std::atomic<int> it is given.
constexpr WalkCallback neverCalled = [](std::unique_ptr<CSnmpResponse>, int, void* calls, int) -> unsigned {
    ++*static_cast<std::atomic<int>*>(calls);
    return 0;
};

class SessionWithoutAgent : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(snmpLayerInit() && agent.port() != 0); }

    void useVersion(const char* version, int timeoutMs = 300)
    {
        SessionParameters parameters = sessionParametersFor(agent.port(), kVersion1, timeoutMs);
        parameters.version = version;
        setSessionParameters(parameters);
    }

    bool sentNothing() const { return !agent.receivesWithin(200ms); }

    SilentAgent agent;
};

TEST_F(SessionWithoutAgent, RequestsThatCannotBeBuiltAreRefusedWithoutADatagram)
{
    const std::tuple<const char*, const char*, std::function<void(CCommonSnmp&)>> cases[] = {
        {"never opened", "1", [](CCommonSnmp& s) { EXPECT_EQ(addSysDescr(s), -1); }},
        {"unknown PDU type", "1", [](CCommonSnmp& s) { EXPECT_FALSE(s.Open(2)); EXPECT_EQ(addSysDescr(s), -1); }},
        {"unknown PDU type after a good one", "1",
         [](CCommonSnmp& s) { EXPECT_TRUE(prepare(s, kPduGet)); EXPECT_FALSE(s.Open(4)); EXPECT_EQ(addSysDescr(s), -1); }},
        {"unknown version", "2", [](CCommonSnmp& s) { EXPECT_FALSE(s.Open(kPduGet)); EXPECT_EQ(addSysDescr(s), -1); }},
        {"no binding", "1", [](CCommonSnmp& s) { EXPECT_TRUE(s.Open(kPduGet)); }},
        {"only unparsable bindings", "1", [](CCommonSnmp& s) {
             ASSERT_TRUE(s.Open(kPduSet));
             // A bad OID, a bad value, no value, a type without a code.
             for (const auto& [oid, type, value] : std::initializer_list<std::tuple<const char*, int, const char*>>{
                      {"1.3.6.x.1", kTypeInteger, "1"}, {kSysDescr, kTypeInteger, "12ab"}, {kSysDescr, kTypeInteger, nullptr},
                      {kSysDescr, 3, "1"}})
                 EXPECT_EQ(s.addValue(oid, type, value), -1) << oid << " " << type;
             EXPECT_EQ(s.addValue(kSysDescr, kTypeOctetString, nullptr, 4), -1);
         }},
    };
    for (const auto& [name, version, setUp] : cases) {
        SCOPED_TRACE(name);
        useVersion(version);
        CCommonSnmp session;
        setUp(session);
        std::unique_ptr<CSnmpResponse> sent, next;
        std::string suffix;
        std::atomic<int> calls{0};
        EXPECT_EQ(std::pair(session.send(sent), session.getNext(next)), std::pair(-1, -1));
        EXPECT_TRUE(!sent && !next);
        EXPECT_EQ(session.getNextAsync(neverCalled, &calls, 0), kStatusNoAnswer);
        EXPECT_EQ(session.getSuffix(0, CSnmpResponse(Pdu{}), suffix), -1);
        EXPECT_TRUE(session.IsGetDone());
        session.Close(); // idle: returns at once and stays signalled
        EXPECT_TRUE(session.IsGetDone());
        EXPECT_TRUE(sentNothing() && calls == 0);
    }
}

TEST_F(SessionWithoutAgent, LostRequestsAreSentAgainWithinTheTimeOut)
{
    for (const char* version : {"1", "3"}) {
        SCOPED_TRACE(version);
        useVersion(version, 900);
        CCommonSnmp session;
        std::unique_ptr<CSnmpResponse> response;
        ASSERT_TRUE(prepare(session, kPduGet));
        EXPECT_EQ(session.send(response), kStatusNoAnswer);
        EXPECT_EQ(response, nullptr);
        int datagrams = 0;
        while (agent.receivesWithin(100ms))
            ++datagrams;
        EXPECT_GE(datagrams, 2); // version 3: the engine probe, sent again
    }
}

// Close called inside the walk callback, then the re-arm: refused, and the
// refusal itself signals the walk's end while the worker is still running.
struct CloseInCallback {
    explicit CloseInCallback(CCommonSnmp& session) : session(session) {}
    CCommonSnmp& session;
    int rearmResult = 0;
    bool doneAfterRefusal = false;
    platform::Event finished;
};

unsigned closeThenRearm(std::unique_ptr<CSnmpResponse>, int, void* context, int)
{
    auto& state = *static_cast<CloseInCallback*>(context);
    state.session.Close();
    state.rearmResult = state.session.getNextAsync(&closeThenRearm, &state, 0);
    state.doneAfterRefusal = state.session.IsGetDone();
    state.finished.set();
    return 0;
}

TEST_F(SessionWithoutAgent, CloseRefusesWalksUntilOpenAgain)
{
    useVersion("1");
    CCommonSnmp session;
    // Closed while idle: a walk is refused at once and never calls back.
    std::atomic<int> calls{0};
    ASSERT_TRUE(prepare(session, kPduGetNext));
    session.Close();
    EXPECT_EQ(session.getNextAsync(neverCalled, &calls, 0), kStatusNoAnswer);
    EXPECT_TRUE(session.IsGetDone() && sentNothing() && calls == 0);
    // Closed in the callback: the re-arm is refused.
    CloseInCallback state{session};
    ASSERT_TRUE(prepare(session, kPduGetNext));
    ASSERT_EQ(session.getNextAsync(&closeThenRearm, &state, 0), kStatusOk);
    EXPECT_FALSE(session.IsGetDone());
    ASSERT_TRUE(state.finished.waitFor(5s));
    EXPECT_EQ(std::pair(state.rearmResult, state.doneAfterRefusal), std::pair(int(kStatusNoAnswer), true));
    // Open lifts the refusal.
    ASSERT_TRUE(prepare(session, kPduGetNext));
    WalkRecorder walk(session);
    EXPECT_EQ(walk.start(), kStatusOk);
    session.Close();
}

// A walk's first request is on the wire when getNextAsync returns: a get made
// next on another session reaches the switch after it.
TEST(SessionsOnOneSwitch, AWalkIsOnTheWireBeforeGetNextAsyncReturns)
{
    setSessionParameters({});
    const auto device = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(loadedModel("QMX-7720-ZA")));
    for (int round = 0; round < 20; ++round) {
        CCommonSnmp walkSession(device), getSession(device);
        WalkRecorder walk(walkSession);
        std::unique_ptr<CSnmpResponse> response;
        ASSERT_TRUE(prepare(walkSession, kPduGetNext) && prepare(getSession, kPduGet));
        device->clearRequests();
        walk.start();
        ASSERT_EQ(getSession.send(response), kStatusOk);
        const std::vector<Pdu> requests = device->requests();
        ASSERT_EQ(std::pair(requests.at(0).type, requests.at(1).type), std::pair(PduType::GetNext, PduType::Get)) << round;
        walkSession.Close(); // waits for the walk's end
    }
}

// Sessions on several threads send sets while the journal is turned off and on:
// every set told to an observer is completed on that observer.
TEST(SessionsOnOneSwitch, EverySetToldToTheJournalIsCompletedOnTheObserverItStartedWith)
{
    struct Counting final : SetObserver {
        std::mutex mutex;
        std::set<std::uint64_t> open;
        int completedCount = 0;
        std::uint64_t next = 0;
        std::uint64_t sending(SetRecord) override
        {
            const std::lock_guard lock(mutex);
            open.insert(++next);
            return next;
        }
        void completed(std::uint64_t id, SetOutcome outcome) override
        {
            const std::lock_guard lock(mutex);
            completedCount += open.erase(id) == 1 && outcome.kind == SetOutcome::Kind::Answered;
        }
    };
    setSessionParameters({});
    const auto device = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(loadedModel("QMX-7720-ZA")));
    const auto counting = std::make_shared<Counting>();
    const auto context = std::make_shared<JournalContext>("Sequence");
    std::atomic<bool> done{false};
    std::thread swapper([&] {
        for (bool on = false; !done; on = !on)
            setSetObserver(on ? counting : nullptr);
    });
    std::vector<std::thread> senders;
    for (int thread = 0; thread < 2; ++thread)
        senders.emplace_back([&] {
            CCommonSnmp session(device);
            session.setJournalContext(context);
            std::unique_ptr<CSnmpResponse> response;
            for (int round = 0; round < 50; ++round) {
                EXPECT_TRUE(session.Open(kPduGet) && session.addValue("1.3.6.1.2.1.1.6.0", kTypeNull, nullptr) == 0);
                EXPECT_EQ(session.send(response), kStatusOk);
                EXPECT_TRUE(session.Open(kPduSet) && session.addValue("1.3.6.1.2.1.1.6.0", kTypeOctetString, "rack") == 0);
                EXPECT_EQ(session.send(response), kStatusOk);
            }
        });
    for (std::thread& sender : senders)
        sender.join();
    done = true;
    swapper.join();
    setSetObserver(nullptr);
    EXPECT_TRUE(counting->open.empty());
    EXPECT_EQ(counting->completedCount, static_cast<int>(counting->next));
}

// An empty address names no agent (a resolver would take it for this host).
TEST(AgentAddress, EmptyResolvesToNothing)
{
    snmp::SessionParameters parameters;
    EXPECT_EQ(std::pair(snmp::resolveAgentAddress(parameters), snmp::numericAddress("")), std::pair(false, std::string()));
}

TEST(VersionThreeSecurity, MessageFlagsFollowLevelAndProtocolCodes)
{
    // (level, auth, priv) -> (flags, auth algorithm, priv algorithm). Level 2
    // never encrypts; an unknown privacy code gives authentication only;
    // without an authentication algorithm nothing applies.
    using Codes = std::tuple<const char*, const char*, const char*>;
    using Settings = std::tuple<int, int, int>;
    const std::pair<Codes, Settings> cases[] = {
        {{"1", "3", "2"}, {0, -1, -1}}, {{"2", "2", "1"}, {1, 0, -1}}, {{"2", "1", "1"}, {0, -1, -1}}, {{"2", "2", "2"}, {1, 0, -1}},
        {{"3", "3", "2"}, {3, 1, 0}},   {{"3", "3", "4"}, {3, 1, 1}},  {{"3", "3", "1"}, {1, 1, -1}},  {{"3", "1", "2"}, {0, -1, -1}},
        {{"3", "5", "4"}, {3, 3, 1}},   {{"2", "7", "1"}, {1, 5, -1}}, {{"2", "8", "1"}, {0, -1, -1}}, {{"3", "3", "3"}, {1, 1, -1}}};
    for (const auto& [codes, expected] : cases) {
        const auto [level, auth, priv] = codes;
        const V3SecuritySettings s = v3SecuritySettings(level, auth, priv);
        EXPECT_EQ(std::tuple(s.msgFlags, s.authArith, s.privArith), expected) << level << "/" << auth << "/" << priv;
    }
}

TEST(ValueText, TypedTextsAndObjectIdsBecomeValuesOrAreRefused)
{
    for (const auto& [code, text, expected] : std::initializer_list<std::tuple<int, std::string_view, Value>>{
             {kTypeInteger, "-17", {Asn::Integer, -17, 0, {}, {}}},
             {kTypeIpAddress, "192.0.2.10", {Asn::IpAddress, 0, 0, std::string("\xc0\x00\x02\x0a", 4), {}}},
             {kTypeUnsigned, "4294967295", {Asn::Gauge32, 0, 4294967295u, {}, {}}},
             {kTypeOctetString, std::string_view("a\0b", 3), {Asn::OctetString, 0, 0, std::string("a\0b", 3), {}}},
             {kTypeNull, "ignored", {}}}) {
        Value value;
        EXPECT_TRUE(valueFromText(code, text, value) && value == expected) << text;
    }
    for (const auto& [code, text] : std::initializer_list<std::pair<int, const char*>>{
             {kTypeInteger, "2147483648"}, {kTypeInteger, ""}, {kTypeInteger, "+1"}, {kTypeUnsigned, "-1"}, {kTypeUnsigned, "4294967296"},
             {kTypeIpAddress, "1.2.3"}, {kTypeIpAddress, ".1.2.3.4"}, {kTypeIpAddress, "1.2.3.4.5"}, {kTypeIpAddress, "10.1.1.256"}, {5, "1"}}) {
        Value value;
        EXPECT_FALSE(valueFromText(code, text, value)) << code << " " << text;
    }
    // Object ids: dotted decimal only.
    Oid oid;
    ASSERT_TRUE(oidFromText(".1.3.6.1", oid));
    EXPECT_EQ(oidToText(oid), "1.3.6.1");
    ASSERT_TRUE(oidFromText("1.3.4294967295", oid));
    EXPECT_EQ(oid, (Oid{1, 3, 4294967295u}));
    EXPECT_EQ(oidToText({}), "");
    for (const char* bad : {"", ".", "1..3", "1.3.", "1.-3", "1.+3", "1.3a", "iso.3", "1.4294967296", " 1.3"})
        EXPECT_FALSE(oidFromText(bad, oid)) << bad;
    EXPECT_EQ(oid.back(), 4294967295u); // untouched by a refusal
}

TEST(ValueText, ReceivedValuesReadAsCallersExpect)
{
    for (const auto& [value, text] : std::initializer_list<std::pair<Value, const char*>>{
             {{Asn::IpAddress, 0, 0, std::string("\x0a\x00\xff\x01", 4), {}}, "10.0.255.1"},
             {{Asn::Counter64, 0, 18446744073709551615ull, {}, {}}, "18446744073709551615"},
             {{Asn::Integer, -2147483648LL, 0, {}, {}}, "-2147483648"},
             {{Asn::ObjectId, 0, 0, {}, {1, 3, 6, 1, 4, 1, 32473}}, "1.3.6.1.4.1.32473"}})
        EXPECT_EQ(valueToText(value), text);
    for (Asn exception : {Asn::NoSuchObject, Asn::NoSuchInstance, Asn::EndOfMibView}) {
        EXPECT_EQ(valueToText(Value{exception, 0, 0, {}, {}}), "");
        EXPECT_EQ(valueTypeCode(Value{exception, 0, 0, {}, {}}), kTypeEmpty);
    }
    // A MAC address: six raw octets, zeros included.
    const std::string mac("\x00\x11\x22\x00\x44\x55", 6);
    const CSnmpResponse response(Pdu{PduType::Response, 1, 0, 0, {{{1, 3, 6, 1, 2, 1, 2, 2, 1, 6, 5}, {Asn::OctetString, 0, 0, mac, {}}}}, 0});
    int type = -1;
    std::string text;
    ASSERT_TRUE(response.getValue(0, type, text));
    EXPECT_EQ(std::pair(type, text), std::pair(int(kTypeOctetString), mac));
    EXPECT_FALSE(response.getValue(1, type, text) || response.getOid(-1, text));
}

// The first two walks of a fresh process, of two sessions at once, by a
// version 3 user: both go out (version 3 walks report -1 from getNextAsync),
// their ids are 1 and 2 (one process-wide counter), and an unanswered walk's
// id is no longer found.
bool firstWalksGoOutAsOneAndTwo()
{
    SilentAgent agent;
    setSessionParameters(sessionParametersFor(agent.port(), kAgentUsers[5], 100));
    if (!snmpLayerInit())
        return false;
    CCommonSnmp first, second;
    WalkRecorder firstWalk(first), secondWalk(second);
    bool started = true;
    for (CCommonSnmp* session : {&first, &second})
        started = started && session->Open(kPduGetNext) && session->addValue("1.3.6.1.2.1.1", kTypeNull, nullptr) == 0;
    started = started && firstWalk.start() == kStatusNoAnswer && secondWalk.start() == kStatusNoAnswer;
    const bool ended = firstWalk.ended.waitFor(5s) && secondWalk.ended.waitFor(5s) && agent.receivesWithin(1s);
    first.Close();
    second.Close();
    return started && ended && firstWalk.requestIds == std::vector<int>{1} && secondWalk.requestIds == std::vector<int>{2}
        && firstWalk.endStatus == kStatusNoAnswer && !first.FindRequestID(1);
}

// Net-SNMP would read a snmp.conf found on SNMPCONFPATH, create its
// certificate index under the persistent directory that file names, and save
// state under HOME or SNMP_PERSISTENT_DIR. The layer must do none of it.
TEST(SnmpLayer, ReadsNoConfigurationWritesNoFileAndCountsWalkIdsFromOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    // The death test re-runs this body in a new process: the parent's
    // folder name reaches the child through the environment.
    setenv("QMX_LAYER_TEST_ROOT", (fs::temp_directory_path() / ("qmx-layer-" + std::to_string(::getpid()))).c_str(), 0);
    const fs::path root = std::getenv("QMX_LAYER_TEST_ROOT");
    for (const char* folder : {"conf", "home", "state"})
        fs::create_directories(root / folder);
    std::ofstream(root / "conf" / "snmp.conf") << "persistentDir " << (root / "configured").string() << "\n";
    EXPECT_EXIT(
        {
            setenv("SNMPCONFPATH", (root / "conf").c_str(), 1);
            setenv("SNMP_PERSISTENT_DIR", (root / "state").c_str(), 1);
            setenv("HOME", (root / "home").c_str(), 1);
            std::exit(firstWalksGoOutAsOneAndTwo() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::error_code error;
    EXPECT_FALSE(fs::exists(root / "configured", error));
    EXPECT_TRUE(fs::is_empty(root / "home", error));
    EXPECT_TRUE(fs::is_empty(root / "state", error));
    fs::remove_all(root, error);
}

} // namespace
