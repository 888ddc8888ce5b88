#pragma once

#include "snmp/exchange.h"
#include "snmp/snmp_request.h"

#include <memory>
#include <string>

// The table walker bound to one request object: each getNext sends the
// request with its type and, after a get-next, continues from the OIDs just
// returned. A walk ends (-2) when an answer leaves the requested columns,
// does not advance, carries an error status or an end-of-MIB exception.
namespace snmp {

class CSnmpResponse;

class CSnmpTable {
public:
    CSnmpTable(CSnmpRequest& request, std::shared_ptr<Transport> transport);

    // 0 with a response; -1 no answer within the time-out; -2 ended.
    int getNext(const Destination& to, std::unique_ptr<CSnmpResponse>& response, int timeoutMs);
    // getNext in two steps: the request leaves at once, its answer is taken
    // later. The request object must stay untouched in between.
    PendingExchange startNext(const Destination& to, int timeoutMs);
    int finishNext(PendingExchange& pending, std::unique_ptr<CSnmpResponse>& response);
    // Index part of binding `index` after its requested column, as ".5";
    // -1 when the binding lies outside that column.
    int getSuffix(int index, const CSnmpResponse& response, std::string& suffix) const;

private:
    bool advances(const Pdu& answer) const;

    CSnmpRequest& m_request;
    std::shared_ptr<Transport> m_transport;
};

} // namespace snmp
