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
    return startExchange(*m_transport, m_request.target(to, timeoutMs), m_request.requestPdu());
}

int CSnmpTable::finishNext(PendingExchange& pending, std::unique_ptr<CSnmpResponse>& response)
{
    response.reset();
    Pdu answer;
    if (pending.finish(answer) != TransportStatus::Ok)
        return kStatusNoAnswer;
    if (answer.errorStatus != 0)
        return kStatusEnded;
    if (m_request.getType() == kPduGetNext) {
        if (!advances(answer))
            return kStatusEnded;
        m_request.continueFrom(answer.bindings);
    }
    response = std::make_unique<CSnmpResponse>(std::move(answer));
    return kStatusOk;
}

// Every binding must stay in its column and move past the OID it was asked
// for; an agent that answers otherwise would keep the walk going forever.
bool CSnmpTable::advances(const Pdu& answer) const
{
    const auto& asked = m_request.bindings();
    const auto& columns = m_request.columns();
    if (answer.bindings.size() != asked.size())
        return false;
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const VarBind& returned = answer.bindings[i];
        if (isException(returned.value) || !startsWith(returned.oid, columns[i])
            || !std::lexicographical_compare(asked[i].oid.begin(), asked[i].oid.end(), returned.oid.begin(),
                                             returned.oid.end()))
            return false;
    }
    return true;
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
