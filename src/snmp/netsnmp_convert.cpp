#include "snmp/netsnmp_convert.h"

#include "snmp/agent_address.h"

#include <cstring>
#include <string>
#include <vector>

namespace snmp {
namespace {

int commandOf(PduType type)
{
    switch (type) {
    case PduType::GetNext: return SNMP_MSG_GETNEXT;
    case PduType::Set: return SNMP_MSG_SET;
    case PduType::GetBulk: return SNMP_MSG_GETBULK;
    case PduType::Get:
    case PduType::Response: break;
    }
    return SNMP_MSG_GET;
}

bool addBinding(netsnmp_pdu& pdu, const VarBind& binding)
{
    const std::vector<oid> name(binding.oid.begin(), binding.oid.end());
    const Value& value = binding.value;
    const auto type = static_cast<u_char>(value.type);
    netsnmp_variable_list* added = nullptr;
    switch (value.type) {
    case Asn::Integer: {
        const long number = static_cast<long>(value.integer);
        added = snmp_pdu_add_variable(&pdu, name.data(), name.size(), type, &number, sizeof number);
        break;
    }
    case Asn::Counter32:
    case Asn::Gauge32:
    case Asn::TimeTicks: {
        const u_long number = static_cast<u_long>(value.unsignedValue & 0xffffffffu);
        added = snmp_pdu_add_variable(&pdu, name.data(), name.size(), type, &number, sizeof number);
        break;
    }
    case Asn::Counter64: {
        counter64 number{};
        number.high = static_cast<u_long>(value.unsignedValue >> 32);
        number.low = static_cast<u_long>(value.unsignedValue & 0xffffffffu);
        added = snmp_pdu_add_variable(&pdu, name.data(), name.size(), type, &number, sizeof number);
        break;
    }
    case Asn::OctetString:
    case Asn::Opaque:
    case Asn::IpAddress:
        added = snmp_pdu_add_variable(&pdu, name.data(), name.size(), type, value.octets.data(), value.octets.size());
        break;
    case Asn::ObjectId: {
        const std::vector<oid> target(value.oid.begin(), value.oid.end());
        added = snmp_pdu_add_variable(&pdu, name.data(), name.size(), type, target.data(), target.size() * sizeof(oid));
        break;
    }
    case Asn::Null:
    case Asn::NoSuchObject:
    case Asn::NoSuchInstance:
    case Asn::EndOfMibView:
        added = snmp_pdu_add_variable(&pdu, name.data(), name.size(), ASN_NULL, nullptr, 0);
        break;
    }
    return added != nullptr;
}

Value valueOf(const netsnmp_variable_list& variable)
{
    Value value;
    switch (variable.type) {
    case ASN_INTEGER:
        value.type = Asn::Integer;
        value.integer = variable.val.integer ? *variable.val.integer : 0;
        break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
        value.type = static_cast<Asn>(variable.type);
        value.unsignedValue = variable.val.integer ? static_cast<std::uint32_t>(*variable.val.integer) : 0;
        break;
    case ASN_COUNTER64:
        value.type = Asn::Counter64;
        if (variable.val.counter64)
            value.unsignedValue = (static_cast<std::uint64_t>(variable.val.counter64->high & 0xffffffffu) << 32)
                | (variable.val.counter64->low & 0xffffffffu);
        break;
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_IPADDRESS:
        value.type = static_cast<Asn>(variable.type);
        if (variable.val.string)
            value.octets.assign(reinterpret_cast<const char*>(variable.val.string), variable.val_len);
        break;
    case ASN_OBJECT_ID:
        value.type = Asn::ObjectId;
        if (variable.val.objid)
            value.oid.assign(variable.val.objid, variable.val.objid + variable.val_len / sizeof(oid));
        break;
    case SNMP_NOSUCHOBJECT:
    case SNMP_NOSUCHINSTANCE:
    case SNMP_ENDOFMIBVIEW:
        value.type = static_cast<Asn>(variable.type);
        break;
    default:
        value.type = Asn::Null;
        break;
    }
    return value;
}

const oid* authProtocolOid(AuthProtocol protocol, std::size_t& length)
{
    length = USM_AUTH_PROTO_MD5_LEN;
    switch (protocol) {
    case AuthProtocol::Md5: return usmHMACMD5AuthProtocol;
    case AuthProtocol::Sha1: return usmHMACSHA1AuthProtocol;
    case AuthProtocol::Sha224: return usmHMAC128SHA224AuthProtocol;
    case AuthProtocol::Sha256: return usmHMAC192SHA256AuthProtocol;
    case AuthProtocol::Sha384: return usmHMAC256SHA384AuthProtocol;
    case AuthProtocol::Sha512: return usmHMAC384SHA512AuthProtocol;
    case AuthProtocol::None: break;
    }
    length = 0;
    return nullptr;
}

const oid* privProtocolOid(PrivProtocol protocol, std::size_t& length)
{
    switch (protocol) {
    case PrivProtocol::Des:
        length = USM_PRIV_PROTO_DES_LEN;
        return usmDESPrivProtocol;
    case PrivProtocol::Aes128:
        length = USM_PRIV_PROTO_AES_LEN;
        return usmAESPrivProtocol;
    case PrivProtocol::None: break;
    }
    length = 0;
    return nullptr;
}

int securityLevelOf(SecurityLevel level)
{
    switch (level) {
    case SecurityLevel::AuthNoPriv: return SNMP_SEC_LEVEL_AUTHNOPRIV;
    case SecurityLevel::AuthPriv: return SNMP_SEC_LEVEL_AUTHPRIV;
    case SecurityLevel::NoAuthNoPriv: break;
    }
    return SNMP_SEC_LEVEL_NOAUTH;
}

// A master key from a pass phrase, hashed with the authentication algorithm.
bool masterKey(const oid* auth, std::size_t authLength, const std::string& passPhrase, u_char* key,
               std::size_t& keyLength, std::size_t capacity)
{
    if (passPhrase.empty())
        return false;
    keyLength = capacity;
    auto* bytes = reinterpret_cast<u_char*>(const_cast<char*>(passPhrase.data()));
    return generate_Ku(auth, authLength, bytes, passPhrase.size(), key, &keyLength) == SNMPERR_SUCCESS;
}

// Sets the user-based security fields and the master keys.
bool applyUserSecurity(netsnmp_session& session, const Target& target)
{
    session.securityModel = SNMP_SEC_MODEL_USM;
    session.securityLevel = securityLevelOf(target.level);
    if (target.level == SecurityLevel::NoAuthNoPriv)
        return true;
    std::size_t authLength = 0;
    const oid* auth = authProtocolOid(target.auth, authLength);
    if (!auth)
        return false;
    session.securityAuthProto = snmp_duplicate_objid(auth, authLength);
    session.securityAuthProtoLen = authLength;
    if (!masterKey(auth, authLength, target.authPass, session.securityAuthKey, session.securityAuthKeyLen,
                   USM_AUTH_KU_LEN))
        return false;
    if (target.level == SecurityLevel::AuthNoPriv)
        return true;
    std::size_t privLength = 0;
    const oid* priv = privProtocolOid(target.priv, privLength);
    if (!priv)
        return false;
    session.securityPrivProto = snmp_duplicate_objid(priv, privLength);
    session.securityPrivProtoLen = privLength;
    return masterKey(auth, authLength, target.privPass, session.securityPrivKey, session.securityPrivKeyLen,
                     USM_PRIV_KU_LEN);
}

long netSnmpVersion(int version)
{
    return version == 3 ? SNMP_VERSION_3 : version == 2 ? SNMP_VERSION_2c : SNMP_VERSION_1;
}

} // namespace

NetSnmpPduPtr toNetSnmpPdu(const Pdu& request, const Target& target)
{
    NetSnmpPduPtr pdu(snmp_pdu_create(commandOf(request.type)));
    if (!pdu)
        return nullptr;
    pdu->version = netSnmpVersion(target.version);
    if (request.type == PduType::GetBulk) {
        pdu->non_repeaters = 0;
        pdu->max_repetitions = request.maxRepetitions;
    }
    for (const VarBind& binding : request.bindings)
        if (!addBinding(*pdu, binding))
            return nullptr;
    return pdu;
}

Pdu fromNetSnmpPdu(const netsnmp_pdu& response)
{
    Pdu pdu;
    pdu.type = PduType::Response;
    pdu.requestId = static_cast<std::int32_t>(response.reqid);
    pdu.errorStatus = static_cast<int>(response.errstat);
    pdu.errorIndex = static_cast<int>(response.errindex);
    for (const netsnmp_variable_list* variable = response.variables; variable; variable = variable->next_variable) {
        VarBind binding;
        binding.oid.assign(variable->name, variable->name + variable->name_length);
        binding.value = valueOf(*variable);
        pdu.bindings.push_back(std::move(binding));
    }
    return pdu;
}

NetSnmpSessionPtr openNetSnmpSession(const Target& target, netsnmp_callback callback, void* magic)
{
    std::string peer = peerName(target.host, target.port);
    if (peer.empty())
        return nullptr;
    netsnmp_session session;
    snmp_sess_init(&session);
    session.peername = peer.data();
    session.callback = callback;
    session.callback_magic = magic;
    session.retries = 0;
    session.rcvMsgMaxSize = kMaxMessageSize;
    session.sndMsgMaxSize = kMaxMessageSize;
    std::string community = target.community;
    std::string user = target.user;
    bool ok = true;
    if (target.version == 3) {
        session.version = SNMP_VERSION_3;
        session.flags |= SNMP_FLAGS_DONT_PROBE;
        session.securityName = user.data();
        session.securityNameLen = user.size();
        ok = applyUserSecurity(session, target);
    } else {
        session.version = netSnmpVersion(target.version);
        session.community = reinterpret_cast<u_char*>(community.data());
        session.community_len = community.size();
    }
    NetSnmpSessionPtr handle(ok ? snmp_sess_open(&session) : nullptr);
    // Opening clears the flag; without it the first send would run a
    // synchronous probe and block the I/O thread for its whole time-out.
    if (handle && target.version == 3)
        snmp_sess_session(handle.get())->flags |= SNMP_FLAGS_DONT_PROBE;
    // snmp_sess_open copied what it keeps; the key material goes now.
    SNMP_FREE(session.securityAuthProto);
    SNMP_FREE(session.securityPrivProto);
    std::memset(session.securityAuthKey, 0, sizeof session.securityAuthKey);
    std::memset(session.securityPrivKey, 0, sizeof session.securityPrivKey);
    return handle;
}

NetSnmpPduPtr engineProbePdu()
{
    NetSnmpPduPtr pdu(snmp_pdu_create(SNMP_MSG_GET));
    if (!pdu)
        return nullptr;
    pdu->version = SNMP_VERSION_3;
    pdu->securityName = strdup("");
    pdu->securityNameLen = 0;
    pdu->securityModel = SNMP_SEC_MODEL_USM;
    pdu->securityLevel = SNMP_SEC_LEVEL_NOAUTH;
    return pdu;
}

} // namespace snmp
