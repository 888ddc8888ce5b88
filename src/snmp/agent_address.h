#pragma once

#include <cstdint>
#include <string>

// Agent addresses: a dotted IPv4 address, an IPv6 address (without
// brackets) or a host name. A name is looked up once, at start-up, so no
// exchange ever waits for a name server and every session of the process
// talks to the same address.
namespace snmp {

struct SessionParameters;

// The numeric text of `address`: an IPv4 or IPv6 address in its usual form
// (brackets around an IPv6 address are dropped), or the first address a
// host name resolves to. Empty when it is neither.
std::string numericAddress(const std::string& address);

// Start-up, before any session exists: fills `resolvedAddress` from
// `agentAddress`. False when the address names nothing; the sessions then
// fail at once, as they do for an empty address.
bool resolveAgentAddress(SessionParameters& parameters);

// Where the sessions send: the resolved address, else the address as given.
const std::string& destinationAddress(const SessionParameters& parameters);

// Net-SNMP's peer name for a numeric address ("udp:192.0.2.10:161",
// "udp6:[2001:db8::1]:161"); empty for anything else.
std::string peerName(const std::string& numericHost, std::uint16_t port);

// The address as the host part of a URL: an IPv6 address in brackets.
std::string urlHost(const std::string& address);

} // namespace snmp
