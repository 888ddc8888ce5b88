#include "session_parameters_for.h"
#include "silent_agent.h"
#include "walk_recorder.h"

#include "snmp/common_snmp.h"
#include "snmp/snmp_layer.h"
#include "snmp/v3_security.h"
#include "snmp/value_text.h"

#include <gtest/gtest.h>

using namespace snmp;
using namespace std::chrono_literals;

namespace {

constexpr const char* kSysDescr = "1.3.6.1.2.1.1.1.0";

class SessionWithoutAgent : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(snmpLayerInit());
        ASSERT_NE(agent.port(), 0);
        useVersion("1");
    }

    void useVersion(const char* version, int timeoutMs = 300)
    {
        SessionParameters parameters = sessionParametersFor(agent.port(), kVersion1, timeoutMs);
        parameters.version = version;
        setSessionParameters(parameters);
    }

    SilentAgent agent;
};

unsigned neverCalled(std::unique_ptr<CSnmpResponse>, int, void* context, int)
{
    ++*static_cast<std::atomic<int>*>(context);
    return 0;
}

TEST_F(SessionWithoutAgent, EveryOperationRefusesBeforeOpen)
{
    CCommonSnmp session;
    std::unique_ptr<CSnmpResponse> response;
    std::string suffix;
    std::atomic<int> calls{0};
    EXPECT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), -1);
    EXPECT_EQ(session.send(response), kStatusNoAnswer);
    EXPECT_EQ(session.getNext(response), kStatusNoAnswer);
    EXPECT_EQ(session.getNextAsync(&neverCalled, &calls, 0), kStatusNoAnswer);
    EXPECT_EQ(session.getSuffix(0, CSnmpResponse(Pdu{}), suffix), -1);
    EXPECT_TRUE(session.IsGetDone());
    EXPECT_FALSE(agent.receivesWithin(200ms));
    EXPECT_EQ(calls, 0);
}

TEST_F(SessionWithoutAgent, UnknownVersionOrPduTypeLeavesNoRequestObject)
{
    std::unique_ptr<CSnmpResponse> response;
    {
        CCommonSnmp session;
        EXPECT_FALSE(session.Open(2));
        EXPECT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), -1);
        EXPECT_EQ(session.send(response), kStatusNoAnswer);
        EXPECT_TRUE(session.Open(kPduGet));
        EXPECT_FALSE(session.Open(4));
        EXPECT_EQ(session.send(response), kStatusNoAnswer);
    }
    useVersion("2");
    CCommonSnmp session;
    EXPECT_FALSE(session.Open(kPduGet));
    EXPECT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), -1);
    EXPECT_FALSE(agent.receivesWithin(200ms));
}

TEST_F(SessionWithoutAgent, NothingToSendSendsNoDatagram)
{
    CCommonSnmp session;
    std::unique_ptr<CSnmpResponse> response;
    std::string suffix;
    ASSERT_TRUE(session.Open(kPduGet));
    EXPECT_EQ(session.send(response), kStatusNoAnswer);
    EXPECT_EQ(session.getNext(response), kStatusNoAnswer);
    EXPECT_EQ(session.getSuffix(0, CSnmpResponse(Pdu{}), suffix), -1);
    EXPECT_FALSE(agent.receivesWithin(200ms));
    // The same session does reach the port once it has a binding.
    ASSERT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), 0);
    EXPECT_EQ(session.send(response), kStatusNoAnswer);
    EXPECT_TRUE(agent.receivesWithin(200ms));
    EXPECT_EQ(response, nullptr);
}

TEST_F(SessionWithoutAgent, LostRequestsAreSentAgainWithinTheTimeOut)
{
    for (const char* version : {"1", "3"}) {
        SCOPED_TRACE(version);
        useVersion(version, 900);
        CCommonSnmp session;
        ASSERT_TRUE(session.Open(kPduGet));
        ASSERT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), 0);
        std::unique_ptr<CSnmpResponse> response;
        EXPECT_EQ(session.send(response), kStatusNoAnswer);
        int datagrams = 0;
        while (agent.receivesWithin(100ms))
            ++datagrams;
        EXPECT_GE(datagrams, 2); // version 3: the engine probe, sent again
    }
}

TEST_F(SessionWithoutAgent, UnparsableBindingsAreRefused)
{
    CCommonSnmp session;
    ASSERT_TRUE(session.Open(kPduSet));
    EXPECT_EQ(session.addValue("1.3.6.x.1", kTypeInteger, "1"), -1);
    EXPECT_EQ(session.addValue("", kTypeInteger, "1"), -1);
    EXPECT_EQ(session.addValue("1.3.6.1.2.1.1.4.0", kTypeInteger, "12ab"), -1);
    EXPECT_EQ(session.addValue("1.3.6.1.2.1.1.4.0", kTypeInteger, nullptr), -1);
    EXPECT_EQ(session.addValue("1.3.6.1.2.1.1.4.0", kTypeIpAddress, "10.1.1.256"), -1);
    EXPECT_EQ(session.addValue("1.3.6.1.2.1.1.4.0", 3, "1"), -1);
    EXPECT_EQ(session.addValue("1.3.6.1.2.1.1.4.0", kTypeOctetString, nullptr, 4), -1);
    std::unique_ptr<CSnmpResponse> response;
    EXPECT_EQ(session.send(response), kStatusNoAnswer);
    EXPECT_FALSE(agent.receivesWithin(200ms));
}

TEST_F(SessionWithoutAgent, WalkAfterCloseIsRefusedAndNeverCallsBack)
{
    CCommonSnmp session;
    std::atomic<int> calls{0};
    ASSERT_TRUE(session.Open(kPduGetNext));
    ASSERT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), 0);
    session.Close(); // idle: returns at once
    EXPECT_EQ(session.getNextAsync(&neverCalled, &calls, 0), kStatusNoAnswer);
    EXPECT_TRUE(session.IsGetDone());
    EXPECT_FALSE(agent.receivesWithin(200ms));
    EXPECT_EQ(calls, 0);
    // Open lifts the refusal.
    ASSERT_TRUE(session.Open(kPduGetNext));
    ASSERT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), 0);
    WalkRecorder walk(session);
    EXPECT_EQ(walk.start(), kStatusOk);
    ASSERT_TRUE(walk.ended.waitFor(5s));
    EXPECT_EQ(walk.endStatus, kStatusNoAnswer);
    session.Close();
}

// Close called inside the walk callback, then the re-arm: refused, and the
// refusal itself signals the walk's end while the worker is still running.
struct CloseInCallback {
    CCommonSnmp* session = nullptr;
    int rearmResult = 0;
    bool doneAfterRefusal = false;
    platform::Event finished;
};

unsigned closeThenRearm(std::unique_ptr<CSnmpResponse>, int, void* context, int)
{
    auto* state = static_cast<CloseInCallback*>(context);
    state->session->Close();
    state->rearmResult = state->session->getNextAsync(&closeThenRearm, state, 0);
    state->doneAfterRefusal = state->session->IsGetDone();
    state->finished.set();
    return 0;
}

TEST_F(SessionWithoutAgent, RefusedRearmSignalsTheWalkEnd)
{
    CCommonSnmp session;
    CloseInCallback state;
    state.session = &session;
    ASSERT_TRUE(session.Open(kPduGetNext));
    ASSERT_EQ(session.addValue(kSysDescr, kTypeNull, nullptr), 0);
    ASSERT_EQ(session.getNextAsync(&closeThenRearm, &state, 0), kStatusOk);
    EXPECT_FALSE(session.IsGetDone());
    ASSERT_TRUE(state.finished.waitFor(5s));
    EXPECT_EQ(state.rearmResult, kStatusNoAnswer);
    EXPECT_TRUE(state.doneAfterRefusal);
    session.Close();
}

TEST_F(SessionWithoutAgent, WalkIdsComeFromOneCounterAcrossSessions)
{
    useVersion("3", 150); // version 3 walks report -1 from getNextAsync
    CCommonSnmp first;
    CCommonSnmp second;
    WalkRecorder firstWalk(first);
    WalkRecorder secondWalk(second);
    for (CCommonSnmp* session : {&first, &second}) {
        ASSERT_TRUE(session->Open(kPduGetNext));
        ASSERT_EQ(session->addValue(kSysDescr, kTypeNull, nullptr), 0);
    }
    EXPECT_EQ(firstWalk.start(), kStatusNoAnswer);
    EXPECT_EQ(secondWalk.start(), kStatusNoAnswer);
    ASSERT_TRUE(firstWalk.ended.waitFor(5s));
    ASSERT_TRUE(secondWalk.ended.waitFor(5s));
    first.Close();
    second.Close();
    ASSERT_EQ(firstWalk.requestIds.size(), 1u);
    ASSERT_EQ(secondWalk.requestIds.size(), 1u);
    EXPECT_GE(firstWalk.requestIds[0], 1);
    EXPECT_EQ(secondWalk.requestIds[0], firstWalk.requestIds[0] + 1);
    // The walk ended without an answer, on the session's own thread.
    EXPECT_EQ(firstWalk.endStatus, kStatusNoAnswer);
    EXPECT_EQ(firstWalk.callbackThreads.count(std::this_thread::get_id()), 0u);
    // A stale id is found once at most.
    EXPECT_FALSE(first.FindRequestID(firstWalk.requestIds[0]));
}

TEST_F(SessionWithoutAgent, CloseOnAnIdleSessionLeavesItSignalled)
{
    CCommonSnmp session;
    EXPECT_TRUE(session.IsGetDone());
    session.Close();
    EXPECT_TRUE(session.IsGetDone());
}

TEST(VersionThreeSecurity, MessageFlagsFollowLevelAndProtocolCodes)
{
    struct Case {
        const char* level;
        const char* auth;
        const char* priv;
        int flags;
        int authArith;
        int privArith;
    };
    const Case cases[] = {
        {"1", "3", "2", 0, -1, -1}, // no authentication whatever the codes
        {"2", "2", "1", 1, 0, -1},
        {"2", "3", "1", 1, 1, -1},
        {"2", "1", "1", 0, -1, -1},
        {"2", "2", "2", 1, 0, -1}, // level 2 never encrypts
        {"3", "3", "2", 3, 1, 0},
        {"3", "3", "4", 3, 1, 1},
        {"3", "3", "1", 1, 1, -1}, // privacy code unknown: authentication only
        {"3", "1", "2", 0, -1, -1}, // no authentication algorithm, nothing applies
        {"3", "1", "1", 0, -1, -1},
        {"2", "4", "1", 1, 2, -1},
        {"3", "5", "4", 3, 3, 1},
        {"2", "7", "1", 1, 5, -1},
        {"2", "8", "1", 0, -1, -1},
        {"3", "3", "3", 1, 1, -1},
        {"", "3", "2", 0, -1, -1},
    };
    for (const Case& c : cases) {
        const V3SecuritySettings settings = v3SecuritySettings(c.level, c.auth, c.priv);
        SCOPED_TRACE(std::string(c.level) + "/" + c.auth + "/" + c.priv);
        EXPECT_EQ(settings.msgFlags, c.flags);
        EXPECT_EQ(settings.authArith, c.authArith);
        EXPECT_EQ(settings.privArith, c.privArith);
    }
}

TEST(ValueText, TypedTextsBecomeValuesOrAreRefused)
{
    Value value;
    ASSERT_TRUE(valueFromText(kTypeInteger, "-17", value));
    EXPECT_EQ(value.type, Asn::Integer);
    EXPECT_EQ(value.integer, -17);
    ASSERT_TRUE(valueFromText(kTypeIpAddress, "192.0.2.10", value));
    EXPECT_EQ(value.octets, std::string("\xc0\x00\x02\x0a", 4));
    ASSERT_TRUE(valueFromText(kTypeUnsigned, "4294967295", value));
    EXPECT_EQ(value.type, Asn::Gauge32);
    ASSERT_TRUE(valueFromText(kTypeOctetString, std::string_view("a\0b", 3), value));
    EXPECT_EQ(value.octets.size(), 3u);
    ASSERT_TRUE(valueFromText(kTypeNull, "ignored", value));
    EXPECT_EQ(value.type, Asn::Null);

    EXPECT_FALSE(valueFromText(kTypeInteger, "2147483648", value));
    EXPECT_FALSE(valueFromText(kTypeInteger, "", value));
    EXPECT_FALSE(valueFromText(kTypeInteger, "+1", value));
    EXPECT_FALSE(valueFromText(kTypeUnsigned, "-1", value));
    EXPECT_FALSE(valueFromText(kTypeUnsigned, "4294967296", value));
    EXPECT_FALSE(valueFromText(kTypeIpAddress, "1.2.3", value));
    EXPECT_FALSE(valueFromText(kTypeIpAddress, ".1.2.3.4", value));
    EXPECT_FALSE(valueFromText(kTypeIpAddress, "1.2.3.4.5", value));
    EXPECT_FALSE(valueFromText(5, "1", value));
}

TEST(ValueText, ReceivedValuesReadAsCallersExpect)
{
    Value address{Asn::IpAddress, 0, 0, std::string("\x0a\x00\xff\x01", 4), {}};
    EXPECT_EQ(valueToText(address), "10.0.255.1");
    EXPECT_EQ(valueToText(Value{Asn::Counter64, 0, 18446744073709551615ull, {}, {}}), "18446744073709551615");
    EXPECT_EQ(valueToText(Value{Asn::Integer, -2147483648LL, 0, {}, {}}), "-2147483648");
    EXPECT_EQ(valueToText(Value{Asn::ObjectId, 0, 0, {}, {1, 3, 6, 1, 4, 1, 32473}}), "1.3.6.1.4.1.32473");
    for (Asn exception : {Asn::NoSuchObject, Asn::NoSuchInstance, Asn::EndOfMibView}) {
        EXPECT_EQ(valueToText(Value{exception, 0, 0, {}, {}}), "");
        EXPECT_EQ(valueTypeCode(Value{exception, 0, 0, {}, {}}), kTypeEmpty);
    }
    // A MAC address: six raw octets, zeros included.
    Pdu pdu;
    pdu.bindings.push_back({{1, 3, 6, 1, 2, 1, 2, 2, 1, 6, 5}, Value{Asn::OctetString, 0, 0, std::string("\x00\x11\x22\x00\x44\x55", 6), {}}});
    const CSnmpResponse response(pdu);
    int type = -1;
    std::string text;
    ASSERT_TRUE(response.getValue(0, type, text));
    EXPECT_EQ(type, kTypeOctetString);
    EXPECT_EQ(text, std::string("\x00\x11\x22\x00\x44\x55", 6));
    EXPECT_FALSE(response.getValue(1, type, text));
    EXPECT_FALSE(response.getOid(-1, text));
}

TEST(OidText, DottedDecimalOnly)
{
    Oid oid;
    ASSERT_TRUE(oidFromText(".1.3.6.1", oid));
    EXPECT_EQ(oid, (Oid{1, 3, 6, 1}));
    EXPECT_EQ(oidToText(oid), "1.3.6.1");
    ASSERT_TRUE(oidFromText("1.3.4294967295", oid));
    EXPECT_EQ(oid.back(), 4294967295u);
    EXPECT_EQ(oidToText({}), "");
    for (const char* bad : {"", ".", "1..3", "1.3.", "1.-3", "1.+3", "1.3a", "iso.3", "1.4294967296", " 1.3"})
        EXPECT_FALSE(oidFromText(bad, oid)) << bad;
    EXPECT_EQ(oid.back(), 4294967295u); // untouched by a refusal
}

} // namespace
