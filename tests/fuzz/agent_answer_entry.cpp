#include "harness.h"

#include "snmp/common_snmp.h"

namespace fuzz {
namespace {

// Columns the module walks, of different lengths.
constexpr const char* kColumns[] = {
    "1.3.6.1.2.1.2.2.1.3", "1.3.6.1.2.1.2.2.1.5", "1.3.6.1.4.1.32473.10.75.7.1.13.1.7",
    "1.3.6.1.4.1.32473.10.75.6.22.1.1.13", "1.3.6.1.2.1.17.7.1.4.3.1.2", "1.3.6", "1.3.6.1.2.1.1.5.0",
};
constexpr int kValueTypes[] = {snmp::kTypeInteger, snmp::kTypeOctetString, snmp::kTypeNull, snmp::kTypeIpAddress,
                               snmp::kTypeUnsigned, snmp::kTypeObjectId, snmp::kTypeTimeTicks, 3, -1};

// Every binding reads back with a type code of the session's enumeration;
// a walk's row (`asked` given) holds one binding per column, each the
// column plus a suffix.
void checkAnswer(const snmp::CSnmpResponse& response, snmp::CCommonSnmp& session, const std::vector<std::string>* asked)
{
    require(!asked || response.getValuesCount() == static_cast<int>(asked->size()), "one binding per column");
    std::string oid;
    std::string suffix;
    for (int i = 0; i < response.getValuesCount(); ++i) {
        int type = -1;
        std::string value;
        require(response.getOid(i, oid) && response.getValue(i, type, value), "every binding reads back");
        require(type >= 0 && type <= 12 && type != 3 && type != 5 && type != 7, "a known type code");
        require(!asked || (session.getSuffix(i, response, suffix) == 0 && !suffix.empty()
                           && oid == (*asked)[static_cast<std::size_t>(i)] + suffix), "column plus suffix is the OID");
    }
    require(!response.getOid(response.getValuesCount(), oid), "no binding past the end");
    require(!asked || session.getSuffix(-1, response, suffix) == -1, "no suffix before the first binding");
}

std::vector<std::string> openWith(snmp::CCommonSnmp& session, int pduType, FuzzReader& in)
{
    std::vector<std::string> columns;
    if (!session.Open(pduType))
        return columns;
    for (std::size_t count = in.byte() % 6; count > 0; --count) {
        const char* column = kColumns[in.byte() % std::size(kColumns)];
        const int type = pduType == snmp::kPduSet ? kValueTypes[in.byte() % std::size(kValueTypes)] : snmp::kTypeNull;
        const std::string value = pduType == snmp::kPduSet ? in.text(40) : std::string();
        if (session.addValue(column, type, value.data(), value.size()) == 0)
            columns.emplace_back(column);
    }
    return columns;
}

void syncWalk(snmp::CCommonSnmp& session, FuzzReader& in)
{
    const std::vector<std::string> columns = openWith(session, snmp::kPduGetNext, in);
    for (int step = 0; step < 32; ++step) {
        std::unique_ptr<snmp::CSnmpResponse> response;
        const int status = session.getNext(response, 200);
        require(status == snmp::kStatusOk || (status <= snmp::kStatusNoAnswer && status >= snmp::kStatusFailed), "a walk status");
        require((status == snmp::kStatusOk) == (response != nullptr), "a response exactly with status 0");
        if (status != snmp::kStatusOk)
            return;
        checkAnswer(*response, session, &columns);
    }
}

void exchange(snmp::CCommonSnmp& session, int pduType, FuzzReader& in)
{
    const std::vector<std::string> columns = openWith(session, pduType, in);
    std::unique_ptr<snmp::CSnmpResponse> response;
    const int status = session.send(response, 200);
    require((status == snmp::kStatusOk) == (response != nullptr), "a response exactly with status 0");
    require(!columns.empty() || status == snmp::kStatusNoAnswer, "nothing to send is no answer");
    if (response)
        checkAnswer(*response, session, nullptr);
}

} // namespace

int agent_answer(const std::uint8_t* data, std::size_t size)
{
    FuzzReader in(data, size);
    useLoopbackAgent(in.flag() ? "3" : "1");
    snmp::CCommonSnmp session(std::make_shared<AnswerTransport>(in));
    for (int operations = 0; operations < 8 && !in.empty(); ++operations) {
        switch (in.byte() % 4) {
        case 1: exchange(session, snmp::kPduGet, in); break;
        case 2: exchange(session, snmp::kPduSet, in); break;
        default: syncWalk(session, in); break; // asynchronous walks: poll_results, through the monitor
        }
    }
    return 0;
}

} // namespace fuzz
