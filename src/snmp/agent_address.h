#pragma once

#include <cstdint>
#include <string>

// Agent addresses: a dotted IPv4 address, an IPv6 address (without
// brackets) or a host name. The session parameters' name is looked up once,
// when they are set at start-up, so the window's sessions never wait for a
// name server and all of them talk to the same address.
namespace snmp {

struct SessionParameters;

// Looks a host name up: its first address as numeric IPv4 or IPv6 text,
// empty when it names nothing. May wait on a name server: never call it on
// the UI thread.
using Resolver = std::string (*)(const std::string& hostName);
// Every name the module resolves goes through this one function; nullptr
// restores the system's (getaddrinfo, any address family). For benchmarks
// and tests; set it before any lookup starts.
void setResolver(Resolver resolver);

// The numeric text of `address`: an IPv4 or IPv6 address in its usual form
// (brackets around an IPv6 address are dropped), or the first address a
// host name resolves to. Empty when it is neither.
std::string numericAddress(const std::string& address);

// Fills `resolvedAddress` from `agentAddress` (setSessionParameters does,
// before any session exists). False when the address names nothing.
bool resolveAgentAddress(SessionParameters& parameters);

// Where the sessions send: the resolved address, else the address as given.
const std::string& destinationAddress(const SessionParameters& parameters);

// Net-SNMP's peer name: "udp:192.0.2.10:161", "udp6:[2001:db8::1]:161";
// a name not resolved beforehand is left to Net-SNMP ("udp:switch1:161").
// Empty for an empty host.
std::string peerName(const std::string& host, std::uint16_t port);

// The address as the host part of a URL: an IPv6 address in brackets.
std::string urlHost(const std::string& address);

} // namespace snmp
