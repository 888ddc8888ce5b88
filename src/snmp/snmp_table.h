#pragma once

#include "snmp/exchange.h"
#include "snmp/snmp_request.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>
#include <vector>

// The table walker bound to one request object: each getNext sends the
// request with its type and, after a get-next, continues from the OIDs just
// returned. A walk ends (-2) when an answer leaves the requested columns or
// carries an end-of-MIB exception (version 1: noSuchName). It fails (-3) on
// any other error status, tooBig at one repetition, an answer with no whole
// row, or one that does not advance: the table was not read whole.
// After Open with type 5 (get-bulk) each answer brings many rows: they are
// handed out one per getNext, in order, and the walk ends at the first row
// a get-next walk would have ended at.
namespace snmp {

class CSnmpResponse;

class CSnmpTable {
public:
    CSnmpTable(CSnmpRequest& request, std::shared_ptr<Transport> transport);

    // 0 with a response; -1 no answer within the time-out; -2 ended; -3 failed.
    int getNext(const Destination& to, std::unique_ptr<CSnmpResponse>& response, int timeoutMs);
    // getNext in two steps: the request leaves at once, its answer is taken
    // later. The request object must stay untouched in between.
    PendingExchange startNext(const Destination& to, int timeoutMs);
    int finishNext(PendingExchange& pending, std::unique_ptr<CSnmpResponse>& response);
    // Index part of binding `index` after its requested column, as ".5";
    // -1 when the binding lies outside that column.
    int getSuffix(int index, const CSnmpResponse& response, std::string& suffix) const;

    // Max-repetitions of the next GETBULK: starts at 25, halves on tooBig.
    int repetitions() const { return m_repetitions; }

private:
    static constexpr int kFirstRepetitions = 25;

    bool bulk() const;
    PendingExchange sendBulk();
    int finishBulk(PendingExchange& pending, std::unique_ptr<CSnmpResponse>& response);
    // Splits a GETBULK answer into rows until one leaves its columns: the
    // status the walk ends with there, kStatusOk when it goes on (-3 when no
    // whole row came or a row does not advance). Rows start after `from`.
    int takeRows(const Pdu& answer, std::vector<VarBind> from);
    int fittingRepetitions() const;

    CSnmpRequest& m_request;
    std::shared_ptr<Transport> m_transport;
    // Bulk walks: where the next GETBULK goes, the rows received and not yet
    // handed out, and whether the walk ends after them.
    Destination m_to;
    int m_timeoutMs = 0;
    int m_repetitions = kFirstRepetitions;
    std::size_t m_rowBytes = 0; // encoded size of the largest row seen
    std::deque<std::vector<VarBind>> m_rows;
    bool m_endsAfterRows = false;
    int m_endStatus = -2; // what the walk ends with after those rows
};

} // namespace snmp
