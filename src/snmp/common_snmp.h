#pragma once

#include "snmp/pdu.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

// The one channel through which the module talks to the switch. One object
// serves one exchange at a time: Open, addValue..., then send, getNext or
// getNextAsync. Every operation of one object passes through its gate.
namespace snmp {

class Transport;
class JournalContext;

// Value type codes of addValue and of received values.
enum ValueTypeCode : int {
    kTypeInteger = 1,
    kTypeOctetString = 2,
    kTypeNull = 4,
    kTypeObjectId = 6,
    kTypeIpAddress = 8,
    kTypeCounter = 9,
    kTypeUnsigned = 10, // Gauge32 / Unsigned32
    kTypeTimeTicks = 11,
    kTypeCounter64 = 12,
    kTypeEmpty = 0,     // noSuchObject, noSuchInstance, endOfMibView: empty value
};

// PDU types given to Open. kPduGetBulk opens a read-only walk: GETBULK
// where the session allows it (version 2c or 3, bulk reads asked for),
// get-next otherwise; either way one row per answer, ending alike.
enum OpenType : int { kPduGet = 0, kPduGetNext = 1, kPduSet = 3, kPduGetBulk = 5 };

// Status of send/getNext and of walk callbacks.
enum SnmpStatus : int {
    kStatusOk = 0,        // a response with bindings
    kStatusNoAnswer = -1, // nothing to send, refused, or no answer within the time-out
    kStatusEnded = -2,    // the walk left its columns or reached the end of the MIB (version 1:
                          // noSuchName); a get answered noSuchName under version 1
    kStatusFailed = -3,   // an error answer: the read failed
};

// A response handed to the caller, who owns it.
class CSnmpResponse {
public:
    explicit CSnmpResponse(Pdu pdu);

    int getValuesCount() const;
    // Dotted OID text of binding `index` (0-based), no leading dot.
    bool getOid(int index, std::string& oid) const;
    // Value of binding `index` as text: INTEGER, Counter, Gauge, TimeTicks in
    // decimal; IpAddress and OBJECT IDENTIFIER dotted; OCTET STRING as its raw
    // octets (value.size() is the count). An exception value gives "".
    bool getValue(int index, int& type, std::string& value) const;
    std::string getValue(int index) const; // "" when absent

    const Pdu& pdu() const { return m_pdu; }

private:
    Pdu m_pdu;
};

// Walk callback: (response or null, request id, context, status); returns 0.
// Runs on a thread other than the caller's; status 0 is a row, anything else
// ends the walk (response may then be null). The callback owns the response.
using WalkCallback = unsigned (*)(std::unique_ptr<CSnmpResponse> response, int requestId, void* context, int status);

class CCommonSnmp {
public:
    // Copies the process-wide session parameters.
    CCommonSnmp();
    // For tests and the simulated switch: the same, over another transport.
    explicit CCommonSnmp(std::shared_ptr<Transport> transport);
    virtual ~CCommonSnmp();

    CCommonSnmp(const CCommonSnmp&) = delete;
    CCommonSnmp& operator=(const CCommonSnmp&) = delete;

    // The dialog or command this session works for, in the change journal:
    // the source of its sets and the memory of what its reads brought.
    void setJournalContext(std::shared_ptr<JournalContext> context);

    bool Open(int pduType);
    int addValue(const std::string& oid, int type, const char* value);
    int addValue(const std::string& oid, int type, const void* bytes, unsigned long length);
    int send(std::unique_ptr<CSnmpResponse>& response, int timeoutMs = 0);
    int getNext(std::unique_ptr<CSnmpResponse>& response, int timeoutMs = 0);
    int getNextAsync(WalkCallback callback, void* context, int reserved, unsigned long timeoutMs);
    int getNextAsync(WalkCallback callback, void* context, unsigned long timeoutMs = 0);
    // Index part of binding `index` of `response` after the requested column,
    // with a leading dot (".5").
    int getSuffix(int index, const CSnmpResponse& response, std::string& suffix);
    bool FindRequestID(int requestId);
    void SignalGetDone();
    // True while no asynchronous walk is outstanding (m_hEvenSnmpGet set).
    bool IsGetDone() const;
    void Close();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace snmp
