#pragma once

#include "snmp/pdu.h"
#include "snmp/transport.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The message library's request objects: the PDU type, the bindings of the
// next exchange and the credentials of one SNMP version. Not thread-safe;
// CCommonSnmp serialises every use through its gate.
namespace snmp {

class CSnmpResponse;

struct Destination {
    std::string host;
    std::uint16_t port = 161;
};

class CSnmpRequest {
public:
    virtual ~CSnmpRequest() = default;

    virtual int getVersion() const = 0;
    // 0 get, 1 get-next, 3 set, 5 get-bulk; false for any other number.
    bool setType(int pduType);
    int getType() const { return m_type; }
    int getRequestID() const { return m_requestId; }
    void setRequestID(int requestId) { m_requestId = requestId; }
    int getValuesCount() const { return static_cast<int>(m_bindings.size()); }

    // 0 when added; -1 for an OID or value that does not parse.
    int addValue(const std::string& oid, int type, const char* value);
    int addValue(const std::string& oid, int type, const void* bytes, unsigned long length);
    void clearVarBindList();

    // The OIDs as added: the columns a walk stays within.
    const std::vector<Oid>& columns() const { return m_columns; }
    const std::vector<VarBind>& bindings() const { return m_bindings; }
    // The status an answer carrying `errorStatus` ends this request with.
    int errorAnswerStatus(int errorStatus) const;
    // The error status and index of the last answer taken (the journal's outcome).
    void noteAnswer(const Pdu& answer)
    {
        m_lastErrorStatus = answer.errorStatus;
        m_lastErrorIndex = answer.errorIndex;
    }
    int lastErrorStatus() const { return m_lastErrorStatus; }
    int lastErrorIndex() const { return m_lastErrorIndex; }
    // After a get-next: the returned OIDs become the next request's bindings.
    void continueFrom(const std::vector<VarBind>& returned);

    // Synchronous get or set. 0 with a response; -1 no answer; -3 the agent
    // answered with an error status, except -2 for a version-1 get answered
    // noSuchName (the object does not exist: the answer is whole).
    int send(Transport& transport, const Destination& to, std::unique_ptr<CSnmpResponse>& response, int timeoutMs);
    // The PDU and target of one exchange.
    Pdu requestPdu() const;
    virtual Target target(const Destination& to, int timeoutMs) const = 0;

private:
    int add(const std::string& oid, int type, std::string_view text);

    int m_type = 0;
    int m_requestId = 0;
    int m_lastErrorStatus = 0;
    int m_lastErrorIndex = 0;
    std::vector<Oid> m_columns;
    std::vector<VarBind> m_bindings;
};

class CSnmpV1 : public CSnmpRequest {
public:
    int getVersion() const override { return 1; }
    void setCommunity(const std::string& community) { m_community = community; }
    const std::string& getCommunity() const { return m_community; }
    Target target(const Destination& to, int timeoutMs) const override;

private:
    std::string m_community;
};

// Version 2c: the communities of version 1, and GETBULK.
class CSnmpV2c final : public CSnmpV1 {
public:
    int getVersion() const override { return 2; }
    Target target(const Destination& to, int timeoutMs) const override;
};

class CSnmpV3 final : public CSnmpRequest {
public:
    int getVersion() const override { return 3; }
    void setUserName(const std::string& user) { m_user = user; }
    // 0 none, 1 authentication, 3 authentication and privacy.
    void setMsgFlags(int flags) { m_msgFlags = flags; }
    // 0 MD5, 1 SHA-1, 2..5 SHA-224, -256, -384, -512.
    void setAuthArith(int arith) { m_authArith = arith; }
    // 0 DES, 1 AES-128.
    void setPriArith(int arith) { m_privArith = arith; }
    void setAuthPwd(const void* bytes, std::size_t length);
    void setPriPwd(const void* bytes, std::size_t length);
    Target target(const Destination& to, int timeoutMs) const override;

private:
    int m_msgFlags = 0;
    int m_authArith = -1;
    int m_privArith = -1;
    std::string m_user;
    std::string m_authPassword;
    std::string m_privPassword;
};

} // namespace snmp
