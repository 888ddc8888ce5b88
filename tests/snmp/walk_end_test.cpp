#include "session_parameters_for.h"

#include "sim/answering_transport.h"
#include "sim/mib_store.h"
#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

#include <deque>

using namespace snmp;

namespace {

// An agent that answers each request with the next prepared response and
// times out once they are used up: the faulty and edge-case agents a real
// daemon will not imitate on demand.
class PreparedAgent final : public sim::AnsweringTransport {
public:
    explicit PreparedAgent(std::vector<Pdu> answers) : AnsweringTransport(false), m_answers(answers.begin(), answers.end())
    {
        startServing();
    }
    ~PreparedAgent() override { stopServing(); }

private:
    TransportStatus answer(const Target&, const Pdu& request, Pdu& response) override
    {
        if (m_answers.empty())
            return TransportStatus::Timeout;
        response = std::move(m_answers.front());
        m_answers.pop_front();
        response.requestId = request.requestId;
        return TransportStatus::Ok;
    }
    std::deque<Pdu> m_answers; // used by the serving thread only
};

Value text(std::string octets) { return {Asn::OctetString, 0, 0, std::move(octets), {}}; }
Pdu answer(std::vector<VarBind> bindings, int errorStatus = 0) { return {PduType::Response, 0, errorStatus, 0, std::move(bindings), 0}; }

const Oid kColumn{1, 3, 6, 1, 2, 1, 2, 2, 1, 2};
const Oid kNextColumn{1, 3, 6, 1, 2, 1, 2, 2, 1, 3, 1};

Oid row(std::initializer_list<std::uint32_t> index) { return sim::joined(kColumn, index); }

// A session over a prepared agent, version 1 unless told, opened for the column.
struct PreparedSession {
    explicit PreparedSession(std::vector<Pdu> answers, const char* version = "1", int pduType = kPduGetNext)
        : agent(std::make_shared<PreparedAgent>(std::move(answers)))
    {
        SessionParameters parameters = sessionParametersFor(161, kVersion1);
        parameters.version = version;
        parameters.bulkReads = true;
        setSessionParameters(parameters);
        session = std::make_unique<CCommonSnmp>(agent);
        EXPECT_TRUE(session->Open(pduType));
        EXPECT_EQ(session->addValue(oidToText(kColumn), kTypeNull, nullptr), 0);
    }

    // Reads with synchronous getNext until a non-zero status: the statuses and suffixes seen.
    std::pair<std::vector<int>, std::vector<std::string>> walk()
    {
        std::pair<std::vector<int>, std::vector<std::string>> outcome;
        for (int status = kStatusOk, i = 0; status == kStatusOk && i < 10; ++i) {
            std::unique_ptr<CSnmpResponse> response;
            outcome.first.push_back(status = session->getNext(response));
            if (status == kStatusOk) {
                EXPECT_EQ(session->getSuffix(0, *response, outcome.second.emplace_back()), 0);
            }
        }
        return outcome;
    }

    std::shared_ptr<PreparedAgent> agent;
    std::unique_ptr<CCommonSnmp> session;
};

TEST(WalkEnd, ContinuesFromEachReturnedRowUntilTheColumnEnds)
{
    PreparedSession prepared({answer({{row({1}), text("lo")}}), answer({{row({3, 65}), text("eth0")}}),
                              answer({{kNextColumn, text("next column")}})});
    EXPECT_EQ(prepared.walk(), std::pair(std::vector<int>{kStatusOk, kStatusOk, kStatusEnded}, std::vector<std::string>{".1", ".3.65"}));
    std::vector<std::pair<PduType, Oid>> asked;
    for (const Pdu& request : prepared.agent->requests())
        asked.emplace_back(request.type, request.bindings.at(0).oid);
    EXPECT_EQ(asked, (std::vector<std::pair<PduType, Oid>>{
                         {PduType::GetNext, kColumn}, {PduType::GetNext, row({1})}, {PduType::GetNext, row({3, 65})}}));
    // A binding outside the column, or past the last, has no suffix.
    std::string suffix = "unchanged";
    const CSnmpResponse foreign(answer({{{1, 3, 6, 1, 2, 1, 1, 5, 0}, text("x")}}));
    EXPECT_EQ(std::tuple(prepared.session->getSuffix(0, foreign, suffix), prepared.session->getSuffix(1, foreign, suffix), suffix),
              std::tuple(-1, -1, std::string("unchanged")));
}

TEST(WalkEnd, AStuckAgentAnExceptionAnErrorOrSilenceEndIt)
{
    // The same row again or an earlier one would loop forever.
    const std::tuple<const char*, std::vector<Pdu>, std::vector<int>> cases[] = {
        {"same row", {answer({{row({4}), text("a")}}), answer({{row({4}), text("a")}})}, {kStatusOk, kStatusFailed}},
        {"earlier row", {answer({{row({4}), text("a")}}), answer({{row({2}), text("b")}})}, {kStatusOk, kStatusFailed}},
        {"end of view", {answer({{row({9}), Value{Asn::EndOfMibView, 0, 0, {}, {}}}})}, {kStatusEnded}},
        {"noSuchName", {answer({{row({1}), text("x")}}), answer({{row({1}), text("x")}}, kErrorNoSuchName)}, {kStatusOk, kStatusEnded}},
        {"genErr after rows", {answer({{row({1}), text("a")}}), answer({{row({2}), text("b")}}, 5)}, {kStatusOk, kStatusFailed}},
        {"no binding", {answer({})}, {kStatusFailed}},
        {"no answer", {}, {kStatusNoAnswer}},
    };
    for (const auto& [name, answers, statuses] : cases)
        EXPECT_EQ(PreparedSession(answers).walk().first, statuses) << name;
}

TEST(WalkEnd, AGetOrSetAnsweredWithAnErrorFailsButAVersion1GetOfNoSuchObjectIsWhole)
{
    const std::tuple<const char*, int, int, int> cases[] = {{"1", kPduGet, kErrorNoSuchName, kStatusEnded}, {"2c", kPduGet, 5, kStatusFailed},
                                                          {"1", kPduSet, kErrorNoSuchName, kStatusFailed}, {"3", kPduSet, 5, kStatusFailed}};
    for (const auto& [version, pduType, error, status] : cases)
        EXPECT_EQ(PreparedSession({answer({{row({1}), text("x")}}, error)}, version, pduType).walk().first, std::vector{status}) << version << pduType;
}

TEST(WalkEnd, BulkRowsComeOneByOneAndTooBigHalvesTheRepetitionsDownToOne)
{
    const Pdu tooBig = answer({}, kErrorTooBig);
    // A row past the column ends the walk without another request.
    const std::tuple<std::vector<Pdu>, std::vector<int>, std::vector<int>> cases[] = {
        {{tooBig, answer({{row({1}), text("a")}, {row({2}), text("b")}}),
          answer({{row({5}), text("c")}, {kNextColumn, text("d")}, {row({9}), text("e")}})},
         {kStatusOk, kStatusOk, kStatusOk, kStatusEnded}, {25, 12, 12}},
        {{tooBig, tooBig, tooBig, tooBig, tooBig, tooBig}, {kStatusFailed}, {25, 12, 6, 3, 1}},
        // Cut short before one whole row down to one repetition: no row came.
        {{answer({}), answer({}), answer({}), answer({}), answer({})}, {kStatusFailed}, {25, 12, 6, 3, 1}},
        {{answer({{row({1}), text("a")}, {row({2}), text("b")}}), answer({}, 5)}, {kStatusOk, kStatusOk, kStatusFailed}, {25, 25}},
    };
    for (const auto& [answers, statuses, repetitions] : cases) {
        PreparedSession prepared(answers, "2c", kPduGetBulk);
        EXPECT_EQ(prepared.walk().first, statuses);
        std::vector<int> asked;
        for (const Pdu& request : prepared.agent->requests())
            asked.push_back(request.maxRepetitions);
        EXPECT_EQ(asked, repetitions);
    }
}

} // namespace
