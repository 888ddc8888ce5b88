#include "session_parameters_for.h"

#include "snmp/common_snmp.h"
#include "snmp/transport.h"

#include <gtest/gtest.h>

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

using namespace snmp;

namespace {

// An agent that answers each request with the next prepared response, on a
// thread of its own: the faulty and edge-case agents a real daemon will not
// imitate on demand. Records what it was asked.
class PreparedAgent final : public Transport {
public:
    explicit PreparedAgent(std::vector<Pdu> answers) : m_answers(answers.begin(), answers.end()) {}
    ~PreparedAgent() override
    {
        for (std::thread& thread : m_threads)
            thread.join();
    }

    void submit(const Target&, Pdu request, TransportDone done) override
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        if (m_answers.empty()) {
            m_threads.emplace_back([done = std::move(done)] { done(TransportStatus::Timeout, Pdu{}); });
            return;
        }
        Pdu answer = std::move(m_answers.front());
        m_answers.pop_front();
        answer.type = PduType::Response;
        answer.requestId = request.requestId;
        m_threads.emplace_back([done = std::move(done), answer = std::move(answer)] { done(TransportStatus::Ok, answer); });
    }

    std::vector<Pdu> requests()
    {
        std::lock_guard lock(m_mutex);
        return m_requests;
    }

private:
    std::mutex m_mutex;
    std::deque<Pdu> m_answers;
    std::vector<Pdu> m_requests;
    std::vector<std::thread> m_threads;
};

Value text(const char* octets)
{
    Value value;
    value.type = Asn::OctetString;
    value.octets = octets;
    return value;
}

Pdu answer(std::vector<VarBind> bindings, int errorStatus = 0)
{
    Pdu pdu;
    pdu.errorStatus = errorStatus;
    pdu.bindings = std::move(bindings);
    return pdu;
}

const Oid kColumn{1, 3, 6, 1, 2, 1, 2, 2, 1, 2};

Oid row(std::uint32_t index)
{
    Oid oid = kColumn;
    oid.push_back(index);
    return oid;
}

struct WalkOutcome {
    std::vector<int> statuses;
    std::vector<std::string> suffixes;
};

// Walks the column with synchronous get-next until a non-zero status.
WalkOutcome walkColumn(std::vector<Pdu> answers, std::vector<Pdu>* asked = nullptr)
{
    setSessionParameters(sessionParametersFor(161, kVersion1));
    auto agent = std::make_shared<PreparedAgent>(std::move(answers));
    CCommonSnmp session(agent);
    WalkOutcome outcome;
    EXPECT_TRUE(session.Open(kPduGetNext));
    EXPECT_EQ(session.addValue(oidToText(kColumn), kTypeNull, nullptr), 0);
    for (int i = 0; i < 10; ++i) {
        std::unique_ptr<CSnmpResponse> response;
        const int status = session.getNext(response);
        outcome.statuses.push_back(status);
        if (status != kStatusOk)
            break;
        std::string suffix;
        EXPECT_EQ(session.getSuffix(0, *response, suffix), 0);
        outcome.suffixes.push_back(suffix);
    }
    if (asked)
        *asked = agent->requests();
    return outcome;
}

TEST(WalkEnd, ContinuesFromEachReturnedRowUntilTheColumnEnds)
{
    std::vector<Pdu> asked;
    const WalkOutcome outcome = walkColumn({answer({{row(1), text("lo")}}), answer({{row(3), text("eth0")}}),
                                            answer({{{1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 1}, text("next column")}})},
                                           &asked);
    EXPECT_EQ(outcome.statuses, (std::vector<int>{kStatusOk, kStatusOk, kStatusEnded}));
    EXPECT_EQ(outcome.suffixes, (std::vector<std::string>{".1", ".3"}));
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].type, PduType::GetNext);
    EXPECT_EQ(asked[0].bindings[0].oid, kColumn);
    EXPECT_EQ(asked[1].bindings[0].oid, row(1));
    EXPECT_EQ(asked[2].bindings[0].oid, row(3));
}

TEST(WalkEnd, AnAgentThatDoesNotAdvanceEndsTheWalk)
{
    // Same row again, then an earlier one: either would loop forever.
    EXPECT_EQ(walkColumn({answer({{row(4), text("a")}}), answer({{row(4), text("a")}})}).statuses,
              (std::vector<int>{kStatusOk, kStatusEnded}));
    EXPECT_EQ(walkColumn({answer({{row(4), text("a")}}), answer({{row(2), text("b")}})}).statuses,
              (std::vector<int>{kStatusOk, kStatusEnded}));
}

TEST(WalkEnd, ExceptionsErrorsAndSilenceEndIt)
{
    Value endOfView;
    endOfView.type = Asn::EndOfMibView;
    EXPECT_EQ(walkColumn({answer({{row(9), endOfView}})}).statuses, (std::vector<int>{kStatusEnded}));
    EXPECT_EQ(walkColumn({answer({{row(1), text("x")}}, 2)}).statuses, (std::vector<int>{kStatusEnded}));
    EXPECT_EQ(walkColumn({answer({})}).statuses, (std::vector<int>{kStatusEnded}));
    EXPECT_EQ(walkColumn({}).statuses, (std::vector<int>{kStatusNoAnswer}));
}

TEST(WalkEnd, SuffixOutsideTheRequestedColumnIsRefused)
{
    setSessionParameters(sessionParametersFor(161, kVersion1));
    auto agent = std::make_shared<PreparedAgent>(std::vector<Pdu>{});
    CCommonSnmp session(agent);
    ASSERT_TRUE(session.Open(kPduGetNext));
    ASSERT_EQ(session.addValue(oidToText(kColumn), kTypeNull, nullptr), 0);
    std::string suffix = "unchanged";
    const CSnmpResponse foreign(answer({{{1, 3, 6, 1, 2, 1, 1, 5, 0}, text("x")}}));
    EXPECT_EQ(session.getSuffix(0, foreign, suffix), -1);
    EXPECT_EQ(session.getSuffix(1, foreign, suffix), -1);
    EXPECT_EQ(suffix, "unchanged");
    const CSnmpResponse twoLevel(answer({{{1, 3, 6, 1, 2, 1, 2, 2, 1, 2, 7, 65}, text("x")}}));
    ASSERT_EQ(session.getSuffix(0, twoLevel, suffix), 0);
    EXPECT_EQ(suffix, ".7.65");
}

TEST(WalkEnd, SetsCarryTheirValuesAndGetsCarryNone)
{
    setSessionParameters(sessionParametersFor(161, kVersion1));
    auto agent = std::make_shared<PreparedAgent>(std::vector<Pdu>{answer({}), answer({})});
    CCommonSnmp session(agent);
    std::unique_ptr<CSnmpResponse> response;
    ASSERT_TRUE(session.Open(kPduSet));
    ASSERT_EQ(session.addValue("1.3.6.1.4.1.32473.10.75.7.6.1.5.12", kTypeInteger, "5"), 0);
    ASSERT_EQ(session.addValue("1.3.6.1.4.1.32473.10.75.7.6.1.3.12", kTypeOctetString, "\xff\x00\x00\x0f", 4), 0);
    ASSERT_EQ(session.send(response), kStatusOk);
    ASSERT_TRUE(session.Open(kPduGet));
    ASSERT_EQ(session.addValue("1.3.6.1.2.1.1.5.0", kTypeNull, nullptr), 0);
    ASSERT_EQ(session.send(response), kStatusOk);
    const std::vector<Pdu> asked = agent->requests();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].type, PduType::Set);
    ASSERT_EQ(asked[0].bindings.size(), 2u);
    EXPECT_EQ(asked[0].bindings[0].value.type, Asn::Integer);
    EXPECT_EQ(asked[0].bindings[0].value.integer, 5);
    EXPECT_EQ(asked[0].bindings[1].value.octets, std::string("\xff\x00\x00\x0f", 4));
    EXPECT_EQ(asked[1].type, PduType::Get);
    EXPECT_EQ(asked[1].bindings[0].value.type, Asn::Null);
}

} // namespace
