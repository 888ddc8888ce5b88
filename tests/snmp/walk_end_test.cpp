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
    explicit PreparedSession(std::vector<Pdu> answers, const char* version = "1", bool bulkReads = false)
        : agent(std::make_shared<PreparedAgent>(std::move(answers)))
    {
        SessionParameters parameters = sessionParametersFor(161, *version == '3' ? kAgentUsers[1] : kVersion1);
        parameters.version = version;
        parameters.bulkReads = bulkReads;
        setSessionParameters(parameters);
        session = std::make_unique<CCommonSnmp>(agent);
    }
    std::shared_ptr<PreparedAgent> agent;
    std::unique_ptr<CCommonSnmp> session;
};

// Walks the column (and `more` columns) with synchronous getNext until a
// non-zero status; the statuses and binding 0's suffixes it saw.
std::pair<std::vector<int>, std::vector<std::string>> walkColumn(const PreparedSession& prepared,
                                                                 int pduType = kPduGetNext,
                                                                 std::vector<Oid> more = {})
{
    CCommonSnmp& session = *prepared.session;
    std::pair<std::vector<int>, std::vector<std::string>> outcome;
    EXPECT_TRUE(session.Open(pduType));
    EXPECT_EQ(session.addValue(oidToText(kColumn), kTypeNull, nullptr), 0);
    for (const Oid& column : more)
        EXPECT_EQ(session.addValue(oidToText(column), kTypeNull, nullptr), 0);
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

// What each request asked: its type, its repetitions and binding 0.
std::vector<std::tuple<PduType, int, Oid>> asked(const PreparedSession& prepared)
{
    std::vector<std::tuple<PduType, int, Oid>> out;
    for (const Pdu& request : prepared.agent->requests())
        out.emplace_back(request.type, request.maxRepetitions, request.bindings.at(0).oid);
    return out;
}

TEST(WalkEnd, BulkRowsComeOneByOneAndEndWhereGetNextWould)
{
    // tooBig halves the repetitions; the row past the column ends the walk
    // without another request.
    const PreparedSession prepared({answer({}, kErrorTooBig),
                                    answer({{row({1}), text("a")}, {row({2}), text("b")}, {row({3}), text("c")}}),
                                    answer({{row({5}), text("d")}, {{1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 1}, text("e")},
                                            {{1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 2}, text("f")}})},
                                   "2c", true);
    const auto [statuses, suffixes] = walkColumn(prepared, kPduGetBulk);
    EXPECT_EQ(statuses, (std::vector<int>{kStatusOk, kStatusOk, kStatusOk, kStatusOk, kStatusEnded}));
    EXPECT_EQ(suffixes, (std::vector<std::string>{".1", ".2", ".3", ".5"}));
    EXPECT_EQ(asked(prepared), (std::vector<std::tuple<PduType, int, Oid>>{
                                   {PduType::GetBulk, 25, kColumn}, {PduType::GetBulk, 12, kColumn},
                                   {PduType::GetBulk, 12, row({3})}}));
}

TEST(WalkEnd, ABulkRowCutShortIsAskedForAgainAndTooBigAtOneEndsTheWalk)
{
    const Oid second{1, 3, 6, 1, 2, 1, 2, 2, 1, 3};
    auto cell = [](Oid column, std::uint32_t index) {
        column.push_back(index);
        return VarBind{column, text(std::to_string(index))};
    };
    std::vector<Pdu> answers{answer({cell(kColumn, 1), cell(second, 1), cell(kColumn, 2), cell(second, 2),
                                     cell(kColumn, 3)})};
    // Then nothing fits at all, down to one repetition.
    for (int i = 0; i < 5; ++i)
        answers.push_back(answer({}, kErrorTooBig));
    const PreparedSession prepared(answers, "3", true);
    const auto [statuses, suffixes] = walkColumn(prepared, kPduGetBulk, {second});
    EXPECT_EQ(statuses, (std::vector<int>{kStatusOk, kStatusOk, kStatusEnded}));
    std::vector<int> repetitions;
    for (const auto& [type, count, first] : asked(prepared))
        repetitions.push_back(count);
    EXPECT_EQ(repetitions, (std::vector<int>{25, 25, 12, 6, 3, 1}));
    EXPECT_EQ(std::get<2>(asked(prepared).at(1)), row({2}));
}

TEST(WalkEnd, OnlyVersions2cAnd3AskedForBulkReadsSendGetBulk)
{
    const std::tuple<const char*, bool, PduType> cases[] = {
        {"2c", true, PduType::GetBulk}, {"3", true, PduType::GetBulk},   {"1", true, PduType::GetNext},
        {"2c", false, PduType::GetNext}, {"3", false, PduType::GetNext},
    };
    for (const auto& [version, bulkReads, type] : cases) {
        const PreparedSession prepared({}, version, bulkReads);
        EXPECT_EQ(walkColumn(prepared, kPduGetBulk).first, std::vector<int>{kStatusNoAnswer});
        ASSERT_EQ(prepared.agent->requests().size(), 1u);
        EXPECT_EQ(prepared.agent->requests()[0].type, type) << version << " " << bulkReads;
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
