#include "session_parameters_for.h"

#include "snmp/common_snmp.h"
#include "snmp/transport.h"

#include <gtest/gtest.h>

#include <deque>
#include <future>
#include <mutex>
#include <vector>

using namespace snmp;

namespace {

// An agent that answers each request with the next prepared response, on a
// thread of its own, and times out once they are used up: the faulty and
// edge-case agents a real daemon will not imitate on demand. Records what it
// was asked.
class PreparedAgent final : public Transport {
public:
    explicit PreparedAgent(std::vector<Pdu> answers) : m_answers(answers.begin(), answers.end()) {}

    void submit(const Target&, Pdu request, TransportDone done) override
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
        if (m_answers.empty())
            return void(m_replies.push_back(std::async(std::launch::async, done, TransportStatus::Timeout, Pdu{})));
        Pdu answer = std::move(m_answers.front());
        m_answers.pop_front();
        answer.requestId = request.requestId;
        m_replies.push_back(std::async(std::launch::async, done, TransportStatus::Ok, answer));
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
    std::vector<std::future<void>> m_replies; // each waits for its thread when it goes
};

Value text(std::string octets) { return {Asn::OctetString, 0, 0, std::move(octets), {}}; }
Pdu answer(std::vector<VarBind> bindings, int errorStatus = 0) { return {PduType::Response, 0, errorStatus, 0, std::move(bindings), 0}; }

const Oid kColumn{1, 3, 6, 1, 2, 1, 2, 2, 1, 2};

Oid row(std::initializer_list<std::uint32_t> index)
{
    Oid oid = kColumn;
    oid.insert(oid.end(), index);
    return oid;
}

// A session over a prepared agent: version 1 unless told.
struct PreparedSession {
    explicit PreparedSession(std::vector<Pdu> answers, const char* version = "1")
        : agent(std::make_shared<PreparedAgent>(std::move(answers)))
    {
        SessionParameters parameters = sessionParametersFor(161, kVersion1);
        parameters.version = version;
        parameters.bulkReads = true;
        setSessionParameters(parameters);
        session = std::make_unique<CCommonSnmp>(agent);
    }
    std::shared_ptr<PreparedAgent> agent;
    std::unique_ptr<CCommonSnmp> session;
};

// Walks the column with synchronous getNext until a non-zero status; the
// statuses and suffixes it saw.
std::pair<std::vector<int>, std::vector<std::string>> walkColumn(const PreparedSession& prepared,
                                                                 int pduType = kPduGetNext)
{
    CCommonSnmp& session = *prepared.session;
    std::pair<std::vector<int>, std::vector<std::string>> outcome;
    EXPECT_TRUE(session.Open(pduType));
    EXPECT_EQ(session.addValue(oidToText(kColumn), kTypeNull, nullptr), 0);
    for (int status = kStatusOk, i = 0; status == kStatusOk && i < 10; ++i) {
        std::unique_ptr<CSnmpResponse> response;
        outcome.first.push_back(status = session.getNext(response));
        if (status == kStatusOk) {
            EXPECT_EQ(session.getSuffix(0, *response, outcome.second.emplace_back()), 0);
        }
    }
    return outcome;
}

TEST(WalkEnd, ContinuesFromEachReturnedRowUntilTheColumnEnds)
{
    const PreparedSession prepared({answer({{row({1}), text("lo")}}), answer({{row({3}), text("eth0")}}),
                                    answer({{{1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 1}, text("next column")}})});
    const auto [statuses, suffixes] = walkColumn(prepared);
    EXPECT_EQ(statuses, (std::vector<int>{kStatusOk, kStatusOk, kStatusEnded}));
    EXPECT_EQ(suffixes, (std::vector<std::string>{".1", ".3"}));
    std::vector<Oid> asked;
    for (const Pdu& request : prepared.agent->requests()) {
        EXPECT_EQ(request.type, PduType::GetNext);
        asked.push_back(request.bindings.at(0).oid);
    }
    EXPECT_EQ(asked, (std::vector<Oid>{kColumn, row({1}), row({3})}));
}

TEST(WalkEnd, AStuckAgentAnExceptionAnErrorOrSilenceEndIt)
{
    // The same row again or an earlier one would loop forever.
    const std::tuple<const char*, std::vector<Pdu>, std::vector<int>> cases[] = {
        {"same row", {answer({{row({4}), text("a")}}), answer({{row({4}), text("a")}})}, {kStatusOk, kStatusEnded}},
        {"earlier row", {answer({{row({4}), text("a")}}), answer({{row({2}), text("b")}})}, {kStatusOk, kStatusEnded}},
        {"end of view", {answer({{row({9}), Value{Asn::EndOfMibView, 0, 0, {}, {}}}})}, {kStatusEnded}},
        {"error status", {answer({{row({1}), text("x")}}, 2)}, {kStatusEnded}},
        {"no binding", {answer({})}, {kStatusEnded}},
        {"no answer", {}, {kStatusNoAnswer}},
    };
    for (const auto& [name, answers, statuses] : cases)
        EXPECT_EQ(walkColumn(PreparedSession(answers)).first, statuses) << name;
}

TEST(WalkEnd, BulkRowsComeOneByOneAndTooBigHalvesTheRepetitionsDownToOne)
{
    const Pdu tooBig = answer({}, kErrorTooBig);
    // A row past the column ends the walk without another request.
    const std::tuple<std::vector<Pdu>, std::vector<int>, std::vector<int>> cases[] = {
        {{tooBig, answer({{row({1}), text("a")}, {row({2}), text("b")}}),
          answer({{row({5}), text("c")}, {{1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 1}, text("d")}, {row({9}), text("e")}})},
         {kStatusOk, kStatusOk, kStatusOk, kStatusEnded}, {25, 12, 12}},
        {{tooBig, tooBig, tooBig, tooBig, tooBig, tooBig}, {kStatusEnded}, {25, 12, 6, 3, 1}},
    };
    for (const auto& [answers, statuses, repetitions] : cases) {
        const PreparedSession prepared(answers, "2c");
        EXPECT_EQ(walkColumn(prepared, kPduGetBulk).first, statuses);
        std::vector<int> asked;
        for (const Pdu& request : prepared.agent->requests())
            asked.push_back(request.maxRepetitions);
        EXPECT_EQ(asked, repetitions);
    }
}

TEST(WalkEnd, SuffixOutsideTheRequestedColumnIsRefused)
{
    const PreparedSession prepared({});
    CCommonSnmp& session = *prepared.session;
    ASSERT_TRUE(session.Open(kPduGetNext));
    ASSERT_EQ(session.addValue(oidToText(kColumn), kTypeNull, nullptr), 0);
    std::string suffix = "unchanged";
    const CSnmpResponse foreign(answer({{{1, 3, 6, 1, 2, 1, 1, 5, 0}, text("x")}}));
    EXPECT_EQ(session.getSuffix(0, foreign, suffix), -1);
    EXPECT_EQ(session.getSuffix(1, foreign, suffix), -1);
    EXPECT_EQ(suffix, "unchanged");
    ASSERT_EQ(session.getSuffix(0, CSnmpResponse(answer({{row({7, 65}), text("x")}})), suffix), 0);
    EXPECT_EQ(suffix, ".7.65");
}

TEST(WalkEnd, SetsCarryTheirValuesAndGetsCarryNone)
{
    const PreparedSession prepared({answer({}), answer({})});
    CCommonSnmp& session = *prepared.session;
    std::unique_ptr<CSnmpResponse> response;
    ASSERT_TRUE(session.Open(kPduSet));
    ASSERT_EQ(session.addValue("1.3.6.1.4.1.32473.10.75.7.6.1.5.12", kTypeInteger, "5"), 0);
    ASSERT_EQ(session.addValue("1.3.6.1.4.1.32473.10.75.7.6.1.3.12", kTypeOctetString, "\xff\x00\x00\x0f", 4), 0);
    ASSERT_EQ(session.send(response), kStatusOk);
    ASSERT_TRUE(session.Open(kPduGet));
    ASSERT_EQ(session.addValue("1.3.6.1.2.1.1.5.0", kTypeNull, nullptr), 0);
    ASSERT_EQ(session.send(response), kStatusOk);
    const std::vector<Pdu> asked = prepared.agent->requests();
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].type, PduType::Set);
    EXPECT_EQ(asked[0].bindings, (std::vector<VarBind>{{{1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 6, 1, 5, 12}, {Asn::Integer, 5, 0, {}, {}}},
                                                      {{1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 6, 1, 3, 12}, text(std::string("\xff\x00\x00\x0f", 4))}}));
    EXPECT_EQ(asked[1].type, PduType::Get);
    EXPECT_EQ(asked[1].bindings, (std::vector<VarBind>{{{1, 3, 6, 1, 2, 1, 1, 5, 0}, Value{}}}));
}

} // namespace
