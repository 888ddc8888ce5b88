#include "snmp/snmp_request.h"

#include "snmp/common_snmp.h"
#include "snmp/exchange.h"
#include "snmp/value_text.h"

namespace snmp {
namespace {

AuthProtocol authProtocolOf(int arith)
{
    switch (arith) {
    case 0: return AuthProtocol::Md5;
    case 1: return AuthProtocol::Sha1;
    case 2: return AuthProtocol::Sha224;
    case 3: return AuthProtocol::Sha256;
    case 4: return AuthProtocol::Sha384;
    case 5: return AuthProtocol::Sha512;
    default: return AuthProtocol::None;
    }
}

PrivProtocol privProtocolOf(int arith)
{
    switch (arith) {
    case 0: return PrivProtocol::Des;
    case 1: return PrivProtocol::Aes128;
    default: return PrivProtocol::None;
    }
}

Target baseTarget(const Destination& to, int version, int timeoutMs)
{
    Target target;
    target.host = to.host;
    target.port = to.port;
    target.version = version;
    target.timeoutMs = timeoutMs;
    return target;
}

} // namespace

bool CSnmpRequest::setType(int pduType)
{
    if (pduType != kPduGet && pduType != kPduGetNext && pduType != kPduSet && pduType != kPduGetBulk)
        return false;
    m_type = pduType;
    return true;
}

int CSnmpRequest::addValue(const std::string& oid, int type, const char* value)
{
    return add(oid, type, value ? std::string_view(value) : std::string_view());
}

int CSnmpRequest::addValue(const std::string& oid, int type, const void* bytes, unsigned long length)
{
    if (!bytes && length != 0)
        return -1;
    return add(oid, type, bytes ? std::string_view(static_cast<const char*>(bytes), length) : std::string_view());
}

int CSnmpRequest::add(const std::string& oid, int type, std::string_view text)
{
    VarBind binding;
    if (!oidFromText(oid, binding.oid) || !valueFromText(type, text, binding.value))
        return -1;
    m_columns.push_back(binding.oid);
    m_bindings.push_back(std::move(binding));
    return 0;
}

void CSnmpRequest::clearVarBindList()
{
    m_columns.clear();
    m_bindings.clear();
}

void CSnmpRequest::continueFrom(const std::vector<VarBind>& returned)
{
    for (std::size_t i = 0; i < m_bindings.size() && i < returned.size(); ++i)
        m_bindings[i].oid = returned[i].oid;
}

Pdu CSnmpRequest::requestPdu() const
{
    Pdu pdu;
    switch (m_type) {
    case kPduGetNext: pdu.type = PduType::GetNext; break;
    case kPduSet: pdu.type = PduType::Set; break;
    case kPduGetBulk: pdu.type = PduType::GetBulk; break;
    default: pdu.type = PduType::Get; break;
    }
    pdu.requestId = m_requestId;
    pdu.bindings = m_bindings;
    if (pdu.type != PduType::Set)
        for (VarBind& binding : pdu.bindings)
            binding.value = Value{};
    return pdu;
}

int CSnmpRequest::send(Transport& transport, const Destination& to, std::unique_ptr<CSnmpResponse>& response,
                       int timeoutMs)
{
    response.reset();
    Pdu answer;
    if (exchange(transport, target(to, timeoutMs), requestPdu(), answer) != TransportStatus::Ok)
        return kStatusNoAnswer;
    noteAnswer(answer);
    if (answer.errorStatus != 0)
        return errorAnswerStatus(answer.errorStatus);
    response = std::make_unique<CSnmpResponse>(std::move(answer));
    return kStatusOk;
}

int CSnmpRequest::errorAnswerStatus(int errorStatus) const
{
    // Version 1 has no exceptions: noSuchName is its end of a walk and its
    // "no such object" of a get. A set it refuses is refused.
    const bool read = m_type == kPduGet || m_type == kPduGetNext;
    return getVersion() == 1 && read && errorStatus == kErrorNoSuchName ? kStatusEnded : kStatusFailed;
}

Target CSnmpV1::target(const Destination& to, int timeoutMs) const
{
    Target target = baseTarget(to, 1, timeoutMs);
    target.community = m_community;
    return target;
}

Target CSnmpV2c::target(const Destination& to, int timeoutMs) const
{
    Target target = CSnmpV1::target(to, timeoutMs);
    target.version = 2;
    return target;
}

void CSnmpV3::setAuthPwd(const void* bytes, std::size_t length)
{
    m_authPassword.assign(static_cast<const char*>(bytes), length);
}

void CSnmpV3::setPriPwd(const void* bytes, std::size_t length)
{
    m_privPassword.assign(static_cast<const char*>(bytes), length);
}

Target CSnmpV3::target(const Destination& to, int timeoutMs) const
{
    Target target = baseTarget(to, 3, timeoutMs);
    target.user = m_user;
    if (m_msgFlags & 1) {
        target.level = SecurityLevel::AuthNoPriv;
        target.auth = authProtocolOf(m_authArith);
        target.authPass = m_authPassword;
        if (m_msgFlags & 2) {
            target.level = SecurityLevel::AuthPriv;
            target.priv = privProtocolOf(m_privArith);
            target.privPass = m_privPassword;
        }
    }
    return target;
}

} // namespace snmp
