#include "../sim/run_command.h"
#include "../support/debug_lines.h"
#include "session_parameters_for.h"
#include "silent_agent.h"
#include "walk_recorder.h"

#include "sim/snmpd_process.h"
#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <sstream>
#include <thread>

using namespace snmp;
using namespace std::chrono_literals;

namespace {

constexpr const char* kSysContact = "1.3.6.1.2.1.1.4.0";
constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
// hrSWInstalledName: one row per installed package, stable during a test.
constexpr const char* kInstalledNames = "1.3.6.1.2.1.25.6.3.1.2";

using Rows = std::vector<WalkRecorder::Row>;

std::string hostName()
{
    char name[256] = {};
    gethostname(name, sizeof name - 1);
    return name;
}

// One request of `pduType` (a get, or a set of octet-string values); its
// status, and the response in `response`.
int exchange(CCommonSnmp& session, int pduType, std::initializer_list<std::pair<const char*, const char*>> bindings,
             std::unique_ptr<CSnmpResponse>& response)
{
    EXPECT_TRUE(session.Open(pduType));
    for (const auto& [oid, text] : bindings)
        EXPECT_EQ(session.addValue(oid, text ? kTypeOctetString : kTypeNull, text), 0) << oid;
    return session.send(response);
}

int getSysName(CCommonSnmp& session)
{
    std::unique_ptr<CSnmpResponse> response;
    const int status = exchange(session, kPduGet, {{kSysName, nullptr}}, response);
    EXPECT_EQ(status == kStatusOk, response != nullptr);
    return status;
}

class AgentSession : public ::testing::Test {
protected:
    // Asserted by each case: a suite set-up failure would only skip them.
    static void SetUpTestSuite() { daemon = sim::SnmpdProcess::start({}, &startError); }

    // Stop ends the process; the object's end, its private directory.
    static void TearDownTestSuite()
    {
        ASSERT_NE(daemon, nullptr);
        const pid_t pid = daemon->pid();
        const std::string directory = daemon->directory();
        EXPECT_EQ(access((directory + "/snmpd.conf").c_str(), F_OK), 0);
        EXPECT_TRUE(daemon->stop());
        EXPECT_NE(kill(pid, 0), 0) << "snmpd still runs after stop";
        daemon.reset();
        EXPECT_NE(access(directory.c_str(), F_OK), 0);
    }

    void SetUp() override
    {
        ASSERT_NE(daemon, nullptr) << startError;
        ASSERT_TRUE(snmpLayerInit());
    }

    static std::unique_ptr<CCommonSnmp> sessionFor(const AgentUser& user, int timeoutMs = 3000)
    {
        setSessionParameters(sessionParametersFor(daemon->port(), user, timeoutMs));
        return std::make_unique<CCommonSnmp>();
    }

    // The rows snmpwalk prints, as (OID without the leading dot, value text);
    // the tool gets the daemon's client directory and no MIB.
    static Rows snmpwalkInstalledNames()
    {
        const std::string client = daemon->directory() + "/client";
        std::istringstream output(runCommand(netSnmpTool(client, {"snmpwalk", "-On", "-Oq", "-Oa", "-v1", "-c", "qevtal",
                                                          "127.0.0.1:" + std::to_string(daemon->port()), kInstalledNames}))
                                      .output);
        Rows rows;
        for (std::string oid, value; output >> oid && std::getline(output >> std::ws, value);)
            if (oid.starts_with('.'))
                rows.emplace_back(oid.substr(1), value.starts_with('"') ? value.substr(1, value.size() - 2) : value);
        EXPECT_GT(rows.size(), 20u);
        return rows;
    }

    // Walks the installed names to the end and closes, as a dialog does before
    // its context goes; the walk must have seen `expected`, row by row, on a
    // thread of the session's own.
    static void walkInstalledNames(CCommonSnmp& session, const Rows& expected)
    {
        WalkRecorder walk(session);
        ASSERT_TRUE(session.Open(kPduGetNext));
        ASSERT_EQ(session.addValue(kInstalledNames, kTypeNull, nullptr), 0);
        walk.start();
        EXPECT_TRUE(walk.ended.waitFor(60s));
        session.Close();
        const Rows rows = walk.rowsSoFar();
        EXPECT_EQ(walk.endStatus, kStatusEnded);
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(walk.staleResults, 0);
        EXPECT_EQ(walk.callbackThreads.count(std::this_thread::get_id()), 0u);
        std::vector<std::string> suffixes;
        for (const auto& [oid, value] : expected)
            suffixes.push_back(oid.substr(std::string_view(kInstalledNames).size()));
        EXPECT_EQ(walk.suffixes, suffixes);
        EXPECT_TRUE(session.IsGetDone());
    }

    static inline std::unique_ptr<sim::SnmpdProcess> daemon;
    static inline std::string startError;
};

TEST_F(AgentSession, GetAnswersEveryUserAndMissingObjectsFollowTheVersion)
{
    for (const AgentUser& user : kAgentUsers) {
        SCOPED_TRACE(*user.name ? user.name : "version 1");
        auto session = sessionFor(user);
        std::unique_ptr<CSnmpResponse> response;
        const auto typed = [&response](int index) {
            int type = -1;
            std::string value = "stale", oid;
            EXPECT_TRUE(response->getValue(index, type, value) && response->getOid(index, oid));
            return std::tuple(oid, type, value);
        };
        // sysObjectID, sysUpTime, sysName.
        ASSERT_EQ(exchange(*session, kPduGet, {{"1.3.6.1.2.1.1.2.0", nullptr}, {"1.3.6.1.2.1.1.3.0", nullptr}, {kSysName, nullptr}}, response), kStatusOk);
        ASSERT_EQ(response->getValuesCount(), 3);
        EXPECT_EQ(typed(2), std::tuple(kSysName, int(kTypeOctetString), hostName()));
        const auto [objectOid, objectType, objectId] = typed(0);
        const auto [ticksOid, ticksType, ticks] = typed(1);
        EXPECT_TRUE(objectType == kTypeObjectId && objectId.starts_with("1.3.6.1.4.1.") && ticksType == kTypeTimeTicks
                    && ticks.find_first_not_of("0123456789") == std::string::npos) << objectId << " " << ticks;

        // A missing object reads empty in version 3; version 1's noSuchName
        // is an error status, with no response.
        const int missing = exchange(*session, kPduGet, {{kSysName, nullptr}, {"1.3.6.1.2.1.1.99.0", nullptr}}, response);
        if (!*user.name) {
            EXPECT_TRUE(missing == kStatusEnded && !response) << missing;
        } else {
            ASSERT_EQ(missing, kStatusOk);
            EXPECT_EQ(typed(1), std::tuple("1.3.6.1.2.1.1.99.0", int(kTypeEmpty), std::string()));
            EXPECT_EQ(response->getValue(0), hostName());
        }
    }
}

// Every exchange of every walk framed in the debug output, and no other
// line (so no secret).
TEST_F(AgentSession, SessionsOfEveryUserWalkAtOnceAndFrameEachExchange)
{
    const Rows expected = snmpwalkInstalledNames();
    std::vector<std::unique_ptr<CCommonSnmp>> sessions;
    for (const AgentUser& user : kAgentUsers)
        sessions.push_back(sessionFor(user));
    const DebugLines debug;
    std::vector<std::thread> threads;
    for (auto& session : sessions)
        threads.emplace_back([&session, &expected] { walkInstalledNames(*session, expected); });
    for (std::thread& thread : threads)
        thread.join();
    const std::vector<std::string> lines = debug.lines();
    const std::size_t exchanges = std::size(kAgentUsers) * (expected.size() + 1);
    EXPECT_EQ(std::pair(std::ranges::count(lines, "getNext begin"), std::ranges::count(lines, "getNext end")),
              std::pair(std::ptrdiff_t(exchanges), std::ptrdiff_t(exchanges)));
    EXPECT_EQ(lines.size(), 2 * exchanges);
}

TEST_F(AgentSession, SetWritesAndReadsBack)
{
    // Version 1's set and read-back is the MIB view dialog test's.
    std::unique_ptr<CSnmpResponse> response;
    const auto writer = sessionFor(kAgentUsers[4]);
    ASSERT_EQ(exchange(*writer, kPduSet, {{kSysContact, "ops desk"}}, response), kStatusOk);
    ASSERT_EQ(exchange(*writer, kPduGet, {{kSysContact, nullptr}}, response), kStatusOk);
    EXPECT_EQ(response->getValue(0), "ops desk");
    // A read-only object refuses: an error status, reported as such.
    auto session = sessionFor(kVersion1);
    ASSERT_TRUE(session->Open(kPduSet));
    ASSERT_EQ(session->addValue("1.3.6.1.2.1.1.1.0", kTypeOctetString, "nope"), 0); // sysDescr
    EXPECT_EQ(session->getNext(response, 4000), kStatusFailed);
}

TEST_F(AgentSession, WrongCredentialsGiveNoAnswer)
{
    // A session with the right pass phrase first, so the wrong ones cannot
    // ride on keys the process already holds for that user.
    auto right = sessionFor(kAgentUsers[5], 1000);
    ASSERT_EQ(getSysName(*right), kStatusOk);
    const std::tuple<const AgentUser&, std::string SessionParameters::*, const char*> wrongs[] = {
        {kVersion1, &SessionParameters::readCommunity, "wrongcommunity"},
        {kAgentUsers[5], &SessionParameters::authPassword, "wrongpass123"},
        {kAgentUsers[5], &SessionParameters::privPassword, "wrongpass123"},
        {kAgentUsers[5], &SessionParameters::userName, "nosuchuser"},
    };
    for (const auto& [user, field, wrong] : wrongs) {
        SessionParameters parameters = sessionParametersFor(daemon->port(), user, 1000);
        parameters.*field = wrong;
        setSessionParameters(parameters);
        CCommonSnmp session;
        EXPECT_EQ(getSysName(session), kStatusNoAnswer) << wrong;
    }
    // The right keys are back in use for the right session.
    EXPECT_EQ(getSysName(*right), kStatusOk);
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
    EXPECT_TRUE(session->IsGetDone() && !walk.inCallback);
    const std::size_t rowsAtClose = walk.rowsSoFar().size();
    ASSERT_TRUE(daemon->resume());
    // Whatever the agent still sends is dropped; no callback comes.
    ASSERT_EQ(getSysName(*session), kStatusOk);
    EXPECT_TRUE(walk.rowsSoFar().size() == rowsAtClose && !walk.ended.isSet());
}

TEST_F(AgentSession, EngineDiscoveryDoesNotHoldUpOtherSessions)
{
    SilentAgent silent;
    setSessionParameters(sessionParametersFor(silent.port(), kAgentUsers[5], 3000));
    CCommonSnmp undiscoverable;
    std::atomic<bool> discoveryOver{false};
    std::thread waiting([&] {
        EXPECT_EQ(getSysName(undiscoverable), kStatusNoAnswer);
        discoveryOver = true;
    });
    EXPECT_TRUE(silent.receivesWithin(2000ms)); // the probe is out
    for (const AgentUser& user : {kVersion1, kAgentUsers[6]})
        EXPECT_EQ(getSysName(*sessionFor(user)), kStatusOk);
    EXPECT_FALSE(discoveryOver);
    waiting.join();
}

} // namespace
