#include "harness.h"

#include "app/command_line.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

namespace fuzz {

int command_line(const std::uint8_t* data, std::size_t size)
{
    const app::ConsoleStart start = app::readConsoleLine({reinterpret_cast<const char*>(data), size});
    const snmp::SessionParameters& p = start.parameters;
    // A refused line starts nothing and keeps no address.
    if (!start.refusal.empty()) {
        require(p.agentAddress.empty(), "a refused address kept");
        return 0;
    }
    // Field capacities of the console's line, terminator included.
    const std::pair<const std::string*, std::size_t> kFields[] = {
        {&p.firstToken, 20},    {&p.agentAddress, 16}, {&p.readCommunity, 52}, {&p.writeCommunity, 52},
        {&p.version, 8},        {&p.agentPort, 8},     {&p.securityLevel, 8},  {&p.userName, 32},
        {&p.authPassword, 32},  {&p.privPassword, 32}, {&p.authProtocol, 8},   {&p.privProtocol, 8}};
    for (const auto& [field, capacity] : kFields)
        require(field->size() < capacity && field->find_first_of("/ ") == std::string::npos, "a field of the line");

    // Whatever was parsed makes a session that either refuses to open or
    // hands the transport a request it can carry.
    snmp::setSessionParameters(p);
    FuzzReader noAnswers(nullptr, 0);
    std::vector<snmp::Target> targets;
    {
        snmp::CCommonSnmp session(std::make_shared<AnswerTransport>(noAnswers, &targets));
        for (const int type : {snmp::kPduGet, snmp::kPduSet}) {
            if (!session.Open(type))
                continue;
            session.addValue("1.3.6.1.2.1.1.5.0", type == snmp::kPduSet ? snmp::kTypeOctetString : snmp::kTypeNull, "x");
            std::unique_ptr<snmp::CSnmpResponse> response;
            require(session.send(response, 1) == snmp::kStatusNoAnswer && !response, "an unanswered send");
        }
    }
    for (const snmp::Target& target : targets) {
        require(target.version == 1 || target.version == 3, "a target of version 1 or 3");
        require(target.host == p.agentAddress, "the target's host is the agent address");
        if (target.version == 3 && target.level != snmp::SecurityLevel::NoAuthNoPriv)
            require(target.auth != snmp::AuthProtocol::None, "authentication without a protocol");
        if (target.level == snmp::SecurityLevel::AuthPriv)
            require(target.priv != snmp::PrivProtocol::None, "privacy without a protocol");
    }
    return 0;
}

} // namespace fuzz
