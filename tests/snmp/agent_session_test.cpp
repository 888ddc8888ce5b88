#include "session_parameters_for.h"
#include "silent_agent.h"
#include "snmpwalk_rows.h"
#include "walk_recorder.h"

#include "platform/debug_output.h"
#include "sim/snmpd_process.h"
#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <mutex>
#include <thread>

using namespace snmp;
using namespace std::chrono_literals;

namespace {

constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";
constexpr const char* kSysObjectId = "1.3.6.1.2.1.1.2.0";
constexpr const char* kSysUpTime = "1.3.6.1.2.1.1.3.0";
constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";
constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
// hrSWInstalledName: one row per installed package, stable during a test.
constexpr const char* kInstalledNames = "1.3.6.1.2.1.25.6.3.1.2";

class AgentSession : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::string error;
        daemon = sim::SnmpdProcess::start({}, &error).release();
        ASSERT_NE(daemon, nullptr) << error;
        ASSERT_TRUE(snmpLayerInit());
    }

    static void TearDownTestSuite()
    {
        delete daemon;
        daemon = nullptr;
    }

    void SetUp() override { ASSERT_NE(daemon, nullptr); }

    static std::uint16_t port() { return daemon->port(); }
    static std::string clientStateDirectory() { return daemon->directory() + "/client"; }

    static std::unique_ptr<CCommonSnmp> sessionFor(const AgentUser& user, int timeoutMs = 3000)
    {
        setSessionParameters(sessionParametersFor(port(), user, timeoutMs));
        return std::make_unique<CCommonSnmp>();
    }

    static std::vector<WalkRecorder::Row> walkInstalledNames(CCommonSnmp& session, WalkRecorder& walk)
    {
        EXPECT_TRUE(session.Open(kPduGetNext));
        EXPECT_EQ(session.addValue(kInstalledNames, kTypeNull, nullptr), 0);
        walk.start();
        EXPECT_TRUE(walk.ended.waitFor(60s));
        session.Close(); // as a dialog does before its context goes
        return walk.rowsSoFar();
    }

    static sim::SnmpdProcess* daemon;
};

sim::SnmpdProcess* AgentSession::daemon = nullptr;

// Every debug line written during a test, for what it must and must not say.
std::mutex g_debugMutex;
std::vector<std::string> g_debugLines;

void collectDebugLine(std::string_view line)
{
    std::lock_guard lock(g_debugMutex);
    g_debugLines.emplace_back(line);
}

std::string hostName()
{
    std::array<char, 256> name{};
    gethostname(name.data(), name.size() - 1);
    return name.data();
}

TEST_F(AgentSession, GetAnswersForEveryVersionAndUser)
{
    for (const AgentUser& user : kAgentUsers) {
        SCOPED_TRACE(*user.name ? user.name : "version 1");
        auto session = sessionFor(user);
        ASSERT_TRUE(session->Open(kPduGet));
        for (const char* oid : {kSysDescr, kSysObjectId, kSysUpTime, kSysName})
            ASSERT_EQ(session->addValue(oid, kTypeNull, nullptr), 0);
        std::unique_ptr<CSnmpResponse> response;
        ASSERT_EQ(session->send(response), kStatusOk);
        ASSERT_NE(response, nullptr);
        ASSERT_EQ(response->getValuesCount(), 4);
        std::string oid;
        int type = -1;
        std::string value;
        ASSERT_TRUE(response->getOid(3, oid));
        EXPECT_EQ(oid, kSysName);
        ASSERT_TRUE(response->getValue(3, type, value));
        EXPECT_EQ(type, kTypeOctetString);
        EXPECT_EQ(value, hostName());
        ASSERT_TRUE(response->getValue(1, type, value));
        EXPECT_EQ(type, kTypeObjectId);
        EXPECT_EQ(value.rfind("1.3.6.1.4.1.", 0), 0u) << value;
        ASSERT_TRUE(response->getValue(2, type, value));
        EXPECT_EQ(type, kTypeTimeTicks);
        EXPECT_EQ(value.find_first_not_of("0123456789"), std::string::npos) << value;
    }
}

TEST_F(AgentSession, MissingObjectsReadEmptyOrEndTheExchange)
{
    const std::string missing = "1.3.6.1.2.1.1.99.0";
    auto v3 = sessionFor(kAgentUsers[3]);
    ASSERT_TRUE(v3->Open(kPduGet));
    ASSERT_EQ(v3->addValue(kSysName, kTypeNull, nullptr), 0);
    ASSERT_EQ(v3->addValue(missing, kTypeNull, nullptr), 0);
    std::unique_ptr<CSnmpResponse> response;
    ASSERT_EQ(v3->send(response), kStatusOk);
    int type = -1;
    std::string value = "x";
    ASSERT_TRUE(response->getValue(1, type, value));
    EXPECT_EQ(type, kTypeEmpty);
    EXPECT_EQ(value, "");
    EXPECT_EQ(response->getValue(0), hostName());

    // Version 1 answers noSuchName: an error status, no response.
    auto v1 = sessionFor(kVersion1);
    ASSERT_TRUE(v1->Open(kPduGet));
    ASSERT_EQ(v1->addValue(missing, kTypeNull, nullptr), 0);
    EXPECT_EQ(v1->send(response), kStatusEnded);
    EXPECT_EQ(response, nullptr);
}

TEST_F(AgentSession, WalkReturnsTheRowsSnmpwalkPrints)
{
    platform::setDebugSink(&collectDebugLine);
    for (const AgentUser& user : {kVersion1, kAgentUsers[5]}) {
        SCOPED_TRACE(*user.name ? user.name : "version 1");
        const auto expected = snmpwalkRows(port(), user, kInstalledNames, clientStateDirectory());
        ASSERT_GT(expected.size(), 20u);
        auto session = sessionFor(user);
        WalkRecorder walk(*session);
        const auto rows = walkInstalledNames(*session, walk);
        EXPECT_EQ(walk.endStatus, kStatusEnded);
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(walk.staleResults, 0);
        EXPECT_EQ(walk.callbackThreads.count(std::this_thread::get_id()), 0u);
        ASSERT_EQ(walk.suffixes.size(), rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i)
            ASSERT_EQ(std::string(kInstalledNames) + walk.suffixes[i], rows[i].first);
        EXPECT_TRUE(session->IsGetDone());
    }
    platform::setDebugSink(nullptr);
    // One framed exchange per row and one for the end, both walks; no secret.
    std::lock_guard lock(g_debugMutex);
    ASSERT_GT(g_debugLines.size(), 40u);
    for (std::size_t i = 0; i < g_debugLines.size(); ++i) {
        EXPECT_EQ(g_debugLines[i], i % 2 == 0 ? "getNext begin" : "getNext end");
        for (const char* secret : {"qevtal", "authpass123", "privpass123"})
            EXPECT_EQ(g_debugLines[i].find(secret), std::string::npos);
    }
}

TEST_F(AgentSession, SetWritesAndReadsBack)
{
    for (const AgentUser& user : {kVersion1, kAgentUsers[4]}) {
        SCOPED_TRACE(*user.name ? user.name : "version 1");
        const std::string contact = std::string("ops desk ") + (*user.name ? user.name : "v1");
        auto session = sessionFor(user);
        ASSERT_TRUE(session->Open(kPduSet));
        ASSERT_EQ(session->addValue(kSysContact, kTypeOctetString, contact.c_str()), 0);
        std::unique_ptr<CSnmpResponse> response;
        ASSERT_EQ(session->send(response), kStatusOk);

        ASSERT_TRUE(session->Open(kPduGet));
        ASSERT_EQ(session->addValue(kSysContact, kTypeNull, nullptr), 0);
        ASSERT_EQ(session->send(response), kStatusOk);
        EXPECT_EQ(response->getValue(0), contact);
    }
    // A read-only object refuses: an error status, reported as such.
    auto session = sessionFor(kVersion1);
    ASSERT_TRUE(session->Open(kPduSet));
    ASSERT_EQ(session->addValue(kSysDescr, kTypeOctetString, "nope"), 0);
    std::unique_ptr<CSnmpResponse> response;
    EXPECT_EQ(session->getNext(response, 4000), kStatusEnded);
}

TEST_F(AgentSession, WrongCredentialsGiveNoAnswer)
{
    auto checkNoAnswer = [](CCommonSnmp& session) {
        ASSERT_TRUE(session.Open(kPduGet));
        ASSERT_EQ(session.addValue(kSysName, kTypeNull, nullptr), 0);
        std::unique_ptr<CSnmpResponse> response;
        EXPECT_EQ(session.send(response), kStatusNoAnswer);
        EXPECT_EQ(response, nullptr);
    };
    SessionParameters parameters = sessionParametersFor(port(), kVersion1, 1000);
    parameters.readCommunity = "wrongcommunity";
    setSessionParameters(parameters);
    CCommonSnmp wrongCommunity;
    checkNoAnswer(wrongCommunity);

    // A session with the right pass phrase first, so the wrong one cannot
    // ride on keys the process already holds for that user.
    auto right = sessionFor(kAgentUsers[5], 1000);
    ASSERT_TRUE(right->Open(kPduGet));
    ASSERT_EQ(right->addValue(kSysName, kTypeNull, nullptr), 0);
    std::unique_ptr<CSnmpResponse> response;
    ASSERT_EQ(right->send(response), kStatusOk);
    for (bool wrongAuth : {true, false}) {
        parameters = sessionParametersFor(port(), kAgentUsers[5], 1000);
        (wrongAuth ? parameters.authPassword : parameters.privPassword) = "wrongpass123";
        setSessionParameters(parameters);
        CCommonSnmp wrongPassPhrase;
        checkNoAnswer(wrongPassPhrase);
    }
    parameters = sessionParametersFor(port(), kAgentUsers[5], 1000);
    parameters.userName = "nosuchuser";
    setSessionParameters(parameters);
    CCommonSnmp unknownUser;
    checkNoAnswer(unknownUser);
    // The right keys are back in use for the right session.
    ASSERT_EQ(right->send(response), kStatusOk);
}

TEST_F(AgentSession, CloseDuringAWalkWaitsForItAndDropsLateAnswers)
{
    auto session = sessionFor(kVersion1, 1000);
    WalkRecorder walk(*session);
    ASSERT_TRUE(session->Open(kPduGetNext));
    ASSERT_EQ(session->addValue(kInstalledNames, kTypeNull, nullptr), 0);
    walk.start();
    while (walk.rowsSoFar().size() < 5 && !walk.ended.isSet())
        std::this_thread::yield();
    ASSERT_FALSE(walk.ended.isSet());
    // The agent stops answering, so the walk's exchange is in flight.
    ASSERT_TRUE(daemon->pause());
    EXPECT_FALSE(session->IsGetDone());
    session->Close();
    EXPECT_TRUE(session->IsGetDone());
    EXPECT_FALSE(walk.inCallback);
    const std::size_t rowsAtClose = walk.rowsSoFar().size();
    ASSERT_TRUE(daemon->resume());
    // Whatever the agent still sends is dropped; no callback comes.
    std::unique_ptr<CSnmpResponse> response;
    ASSERT_TRUE(session->Open(kPduGet));
    ASSERT_EQ(session->addValue(kSysName, kTypeNull, nullptr), 0);
    ASSERT_EQ(session->send(response), kStatusOk);
    EXPECT_EQ(walk.rowsSoFar().size(), rowsAtClose);
    EXPECT_FALSE(walk.ended.isSet());
}

TEST_F(AgentSession, SixSessionsWalkAtOnce)
{
    const auto expected = snmpwalkRows(port(), kVersion1, kInstalledNames, clientStateDirectory());
    ASSERT_GT(expected.size(), 20u);
    std::vector<std::unique_ptr<CCommonSnmp>> sessions;
    for (std::size_t i = 0; i < 6; ++i)
        sessions.push_back(sessionFor(kAgentUsers[i + 1]));
    sessions[0] = sessionFor(kVersion1);
    std::vector<std::unique_ptr<WalkRecorder>> walks;
    for (auto& session : sessions)
        walks.push_back(std::make_unique<WalkRecorder>(*session));
    std::vector<std::vector<WalkRecorder::Row>> results(sessions.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < sessions.size(); ++i)
        threads.emplace_back([&, i] { results[i] = walkInstalledNames(*sessions[i], *walks[i]); });
    for (std::thread& thread : threads)
        thread.join();
    for (std::size_t i = 0; i < sessions.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(walks[i]->endStatus, kStatusEnded);
        EXPECT_EQ(results[i], expected);
    }
}

TEST_F(AgentSession, EngineDiscoveryDoesNotHoldUpOtherSessions)
{
    SilentAgent silent;
    SessionParameters parameters = sessionParametersFor(silent.port(), kAgentUsers[5], 3000);
    setSessionParameters(parameters);
    CCommonSnmp undiscoverable;
    ASSERT_TRUE(undiscoverable.Open(kPduGet));
    ASSERT_EQ(undiscoverable.addValue(kSysName, kTypeNull, nullptr), 0);
    std::atomic<bool> discoveryOver{false};
    std::thread waiting([&] {
        std::unique_ptr<CSnmpResponse> response;
        EXPECT_EQ(undiscoverable.send(response), kStatusNoAnswer);
        discoveryOver = true;
    });
    ASSERT_TRUE(silent.receivesWithin(2000ms)); // the probe is out
    for (const AgentUser& user : {kVersion1, kAgentUsers[6]}) {
        auto session = sessionFor(user);
        ASSERT_TRUE(session->Open(kPduGet));
        ASSERT_EQ(session->addValue(kSysName, kTypeNull, nullptr), 0);
        std::unique_ptr<CSnmpResponse> response;
        EXPECT_EQ(session->send(response), kStatusOk);
    }
    EXPECT_FALSE(discoveryOver);
    waiting.join();
}

} // namespace
