#include "answer_transport.h"

#include "snmp/session_parameters.h"

namespace fuzz {
namespace {

constexpr snmp::Asn kTypes[] = {
    snmp::Asn::Integer,  snmp::Asn::OctetString, snmp::Asn::Null,     snmp::Asn::ObjectId,
    snmp::Asn::IpAddress, snmp::Asn::Counter32,  snmp::Asn::Gauge32,  snmp::Asn::TimeTicks,
    snmp::Asn::Opaque,   snmp::Asn::Counter64,   snmp::Asn::NoSuchObject, snmp::Asn::NoSuchInstance,
    snmp::Asn::EndOfMibView,
};

std::uint32_t arc(FuzzReader& in)
{
    // Mostly small arcs, now and then the extremes.
    const std::uint8_t kind = in.byte();
    if (kind < 0xf0)
        return kind;
    return kind < 0xf8 ? in.upTo(UINT32_MAX) : UINT32_MAX - (kind & 7);
}

} // namespace

void useLoopbackAgent(const char* version)
{
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.version = version;
    parameters.userName = "fuzz";
    snmp::setSessionParameters(parameters);
}

AnswerTransport::AnswerTransport(FuzzReader& input) : AnsweringTransport(false), m_input(input)
{
    startServing();
}

AnswerTransport::~AnswerTransport()
{
    stopServing();
}

snmp::TransportStatus AnswerTransport::answer(const snmp::Target&, const snmp::Pdu& request, snmp::Pdu& response)
{
    if (m_input.empty())
        return snmp::TransportStatus::Timeout;
    const std::uint8_t kind = m_input.byte();
    if (kind < 8)
        return kind < 4 ? snmp::TransportStatus::Timeout : snmp::TransportStatus::Error;
    response.type = snmp::PduType::Response;
    response.requestId = kind < 16 ? static_cast<std::int32_t>(m_input.upTo(UINT32_MAX)) : request.requestId;
    if (kind >= 16 && kind < 24) {
        response.errorStatus = m_input.byte() % 20;
        response.errorIndex = m_input.byte();
    }
    // Mostly as many bindings as asked, sometimes fewer or more.
    std::size_t count = request.bindings.size();
    if (kind >= 24 && kind < 40)
        count = m_input.byte() % 8;
    for (std::size_t i = 0; i < count; ++i)
        response.bindings.push_back(binding(request, i));
    return snmp::TransportStatus::Ok;
}

snmp::VarBind AnswerTransport::binding(const snmp::Pdu& request, std::size_t index)
{
    snmp::VarBind out;
    const snmp::Oid asked = index < request.bindings.size() ? request.bindings[index].oid : snmp::Oid{1, 3, 6};
    // Keep a prefix of the asked OID, then add arcs of the input's choosing.
    const std::size_t keep = asked.size() - std::min<std::size_t>(asked.size(), m_input.byte() % 4);
    out.oid.assign(asked.begin(), asked.begin() + static_cast<std::ptrdiff_t>(keep));
    for (std::size_t added = m_input.byte() % 5; added > 0; --added)
        out.oid.push_back(arc(m_input));

    snmp::Value& value = out.value;
    value.type = kTypes[m_input.byte() % std::size(kTypes)];
    switch (value.type) {
    case snmp::Asn::Integer:
        value.integer = static_cast<std::int32_t>(m_input.upTo(UINT32_MAX));
        break;
    case snmp::Asn::Counter32:
    case snmp::Asn::Gauge32:
    case snmp::Asn::TimeTicks:
        value.unsignedValue = m_input.upTo(UINT32_MAX);
        break;
    case snmp::Asn::Counter64:
        value.unsignedValue = (std::uint64_t{m_input.upTo(UINT32_MAX)} << 32) | m_input.upTo(UINT32_MAX);
        break;
    case snmp::Asn::OctetString:
    case snmp::Asn::Opaque:
        value.octets = m_input.text(20000);
        break;
    case snmp::Asn::IpAddress:
        value.octets = m_input.text(4);
        value.octets.resize(4, '\0');
        break;
    case snmp::Asn::ObjectId:
        for (std::size_t arcs = m_input.byte() % 130; arcs > 0; --arcs)
            value.oid.push_back(arc(m_input));
        break;
    default:
        break;
    }
    return out;
}

} // namespace fuzz
