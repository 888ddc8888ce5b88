#include "entries.h"
#include "fuzz_reader.h"
#include "null_transport.h"

#include "app/command_line.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <string>
#include <string_view>

namespace fuzz {
namespace {

// Field capacities of the console's line, terminator included.
void requireField(const std::string& field, std::size_t capacity, std::string_view name)
{
    require(field.size() < capacity, name);
    require(field.find_first_of("/ ") == std::string::npos, name);
}

} // namespace

int command_line(const std::uint8_t* data, std::size_t size)
{
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const snmp::SessionParameters p = app::parseCommandLine(line);
    requireField(p.firstToken, 20, "first token");
    requireField(p.agentAddress, 16, "agent address");
    requireField(p.readCommunity, 52, "read community");
    requireField(p.writeCommunity, 52, "write community");
    requireField(p.version, 8, "version");
    requireField(p.agentPort, 8, "agent port");
    requireField(p.securityLevel, 8, "security level");
    requireField(p.userName, 32, "user name");
    requireField(p.authPassword, 32, "authentication pass phrase");
    requireField(p.privPassword, 32, "privacy pass phrase");
    requireField(p.authProtocol, 8, "authentication protocol");
    requireField(p.privProtocol, 8, "privacy protocol");

    // Whatever was parsed must make a session that either refuses to open or
    // hands the transport a request it can carry.
    snmp::setSessionParameters(p);
    auto transport = std::make_shared<NullTransport>();
    snmp::CCommonSnmp session(transport);
    for (const int type : {snmp::kPduGet, snmp::kPduSet}) {
        if (!session.Open(type))
            continue;
        session.addValue("1.3.6.1.2.1.1.5.0", type == snmp::kPduSet ? snmp::kTypeOctetString : snmp::kTypeNull, "x");
        std::unique_ptr<snmp::CSnmpResponse> response;
        require(session.send(response, 1) == snmp::kStatusNoAnswer && !response, "an unanswered send");
    }
    for (const snmp::Target& target : transport->targets()) {
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
