#pragma once

#include "fuzz_reader.h"

#include "sim/answering_transport.h"

// An agent whose every answer comes from the fuzz input: time-outs, errors,
// wrong request ids, error statuses, and bindings with any OID, type and
// length (OIDs mostly derived from the request, so walks get somewhere).
// Answers run on the transport's own thread; once the input is used up every
// request times out. Requests are recorded as submitted.
namespace fuzz {

// Sessions made from now on talk to a loopback agent with this version;
// where their requests really go is the transport's business.
void useLoopbackAgent(const char* version = "1");

class AnswerTransport final : public sim::AnsweringTransport {
public:
    explicit AnswerTransport(FuzzReader& input);
    ~AnswerTransport() override;

private:
    snmp::TransportStatus answer(const snmp::Target& target, const snmp::Pdu& request, snmp::Pdu& response) override;
    snmp::VarBind binding(const snmp::Pdu& request, std::size_t index);

    FuzzReader& m_input; // used by the serving thread only
};

} // namespace fuzz
