#include "snmp/snmp_table.h"

#include "snmp/common_snmp.h"
#include "snmp/exchange.h"

#include <algorithm>

namespace snmp {
namespace {

bool isException(const Value& value)
{
    return value.type == Asn::NoSuchObject || value.type == Asn::NoSuchInstance || value.type == Asn::EndOfMibView;
}

bool startsWith(const Oid& oid, const Oid& prefix)
{
    return oid.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

// A row ends the walk where a binding leaves its column or is an exception.
// Every binding must also move past the OID it was asked for: an agent that
// answers otherwise would keep the walk going forever, and a short answer is
// no row; either way the table was not read whole.
int rowStatus(const std::vector<VarBind>& asked, const std::vector<Oid>& columns, const std::vector<VarBind>& returned)
{
    if (returned.size() != asked.size())
        return kStatusFailed;
    for (std::size_t i = 0; i < asked.size(); ++i)
        if (isException(returned[i].value) || !startsWith(returned[i].oid, columns[i]))
            return kStatusEnded;
    for (std::size_t i = 0; i < asked.size(); ++i)
        if (!std::lexicographical_compare(asked[i].oid.begin(), asked[i].oid.end(), returned[i].oid.begin(),
                                          returned[i].oid.end()))
            return kStatusFailed;
    return kStatusOk;
}

// Length octets of a BER element: short form below 128.
std::size_t berHeader(std::size_t length)
{
    std::size_t octets = 2;
    for (; length > 127; length >>= 8)
        ++octets;
    return octets;
}

// An upper bound of the encoded size of one binding.
std::size_t encodedSize(const VarBind& binding)
{
    std::size_t oid = 1;
    for (std::size_t i = 2; i < binding.oid.size(); ++i)
        oid += binding.oid[i] < 128 ? 1 : binding.oid[i] < 16384 ? 2 : 5;
    const Value& value = binding.value;
    const std::size_t content = value.type == Asn::OctetString || value.type == Asn::Opaque
            || value.type == Asn::IpAddress ? value.octets.size()
        : value.type == Asn::ObjectId ? value.oid.size() * 5
        : 9;
    const std::size_t inner = berHeader(oid) + oid + berHeader(content) + content;
    return berHeader(inner) + inner;
}

// Room the message and PDU headers take around the bindings: version 3's
// security parameters are the largest.
constexpr std::size_t kHeaderRoom = 400;

} // namespace

CSnmpTable::CSnmpTable(CSnmpRequest& request, std::shared_ptr<Transport> transport)
    : m_request(request), m_transport(std::move(transport))
{
}

int CSnmpTable::getNext(const Destination& to, std::unique_ptr<CSnmpResponse>& response, int timeoutMs)
{
    PendingExchange pending = startNext(to, timeoutMs);
    return finishNext(pending, response);
}

PendingExchange CSnmpTable::startNext(const Destination& to, int timeoutMs)
{
    if (!bulk())
        return startExchange(*m_transport, m_request.target(to, timeoutMs), m_request.requestPdu());
    m_to = to;
    m_timeoutMs = timeoutMs;
    // Rows already here, or an end already known, need no request.
    if (!m_rows.empty() || m_endsAfterRows)
        return PendingExchange([](Pdu&) { return TransportStatus::Ok; });
    return sendBulk();
}

bool CSnmpTable::bulk() const
{
    return m_request.getType() == kPduGetBulk;
}

int CSnmpTable::fittingRepetitions() const
{
    if (m_rowBytes == 0)
        return m_repetitions;
    const std::size_t room = kMaxMessageSize - kHeaderRoom;
    return static_cast<int>(std::clamp<std::size_t>(room / m_rowBytes, 1, static_cast<std::size_t>(m_repetitions)));
}

PendingExchange CSnmpTable::sendBulk()
{
    Pdu request = m_request.requestPdu();
    request.maxRepetitions = fittingRepetitions();
    return startExchange(*m_transport, m_request.target(m_to, m_timeoutMs), std::move(request));
}

int CSnmpTable::finishBulk(PendingExchange& pending, std::unique_ptr<CSnmpResponse>& response)
{
    while (m_rows.empty() && !m_endsAfterRows) {
        Pdu answer;
        if (pending.finish(answer) != TransportStatus::Ok)
            return kStatusNoAnswer;
        // Too big, or cut short before one whole row: ask for fewer rows.
        const bool tooBig = answer.errorStatus == kErrorTooBig
            || (answer.errorStatus == 0 && answer.bindings.size() < m_request.bindings().size());
        if (tooBig && m_repetitions > 1) {
            m_repetitions = std::max(m_repetitions / 2, 1);
            pending = sendBulk();
            continue;
        }
        const int end = answer.errorStatus != 0 ? m_request.errorAnswerStatus(answer.errorStatus)
                                                : takeRows(answer, m_request.bindings());
        if (end != kStatusOk) {
            m_endsAfterRows = true;
            m_endStatus = end;
        }
    }
    if (m_rows.empty())
        return m_endStatus;
    Pdu row;
    row.type = PduType::Response;
    row.bindings = std::move(m_rows.front());
    m_rows.pop_front();
    m_request.continueFrom(row.bindings);
    response = std::make_unique<CSnmpResponse>(std::move(row));
    return kStatusOk;
}

int CSnmpTable::takeRows(const Pdu& answer, std::vector<VarBind> from)
{
    const std::size_t width = from.size();
    const auto& all = answer.bindings;
    bool took = false;
    // A last row cut short by the agent comes again with the next request.
    for (std::size_t first = 0; width > 0 && first + width <= all.size(); first += width) {
        std::vector<VarBind> row(all.begin() + static_cast<std::ptrdiff_t>(first),
                                 all.begin() + static_cast<std::ptrdiff_t>(first + width));
        if (const int status = rowStatus(from, m_request.columns(), row); status != kStatusOk)
            return status;
        std::size_t bytes = 0;
        for (const VarBind& binding : row)
            bytes += encodedSize(binding);
        m_rowBytes = std::max(m_rowBytes, bytes);
        from = row;
        m_rows.push_back(std::move(row));
        took = true;
    }
    return took ? kStatusOk : kStatusFailed;
}

int CSnmpTable::finishNext(PendingExchange& pending, std::unique_ptr<CSnmpResponse>& response)
{
    response.reset();
    if (bulk())
        return finishBulk(pending, response);
    Pdu answer;
    if (pending.finish(answer) != TransportStatus::Ok)
        return kStatusNoAnswer;
    m_request.noteAnswer(answer);
    if (answer.errorStatus != 0)
        return m_request.errorAnswerStatus(answer.errorStatus);
    if (m_request.getType() == kPduGetNext) {
        if (const int status = rowStatus(m_request.bindings(), m_request.columns(), answer.bindings);
            status != kStatusOk)
            return status;
        m_request.continueFrom(answer.bindings);
    }
    response = std::make_unique<CSnmpResponse>(std::move(answer));
    return kStatusOk;
}


int CSnmpTable::getSuffix(int index, const CSnmpResponse& response, std::string& suffix) const
{
    const auto& columns = m_request.columns();
    const auto& bindings = response.pdu().bindings;
    if (index < 0 || static_cast<std::size_t>(index) >= bindings.size()
        || static_cast<std::size_t>(index) >= columns.size())
        return -1;
    const Oid& column = columns[static_cast<std::size_t>(index)];
    const Oid& oid = bindings[static_cast<std::size_t>(index)].oid;
    if (!startsWith(oid, column))
        return -1;
    suffix.clear();
    for (auto arc = oid.begin() + static_cast<std::ptrdiff_t>(column.size()); arc != oid.end(); ++arc)
        suffix += '.' + std::to_string(*arc);
    return 0;
}

} // namespace snmp
