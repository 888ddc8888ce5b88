#include "snmp/agent_address.h"

#include "snmp/session_parameters.h"

#include <netdb.h>
#include <sys/socket.h>

#include <array>
#include <atomic>
#include <memory>

namespace snmp {
namespace {

struct AddrInfoDeleter {
    void operator()(addrinfo* list) const { freeaddrinfo(list); }
};

std::string withoutBrackets(const std::string& address)
{
    if (address.size() > 2 && address.front() == '[' && address.back() == ']')
        return address.substr(1, address.size() - 2);
    return address;
}

// The first address getaddrinfo gives for `host`, as numeric text.
std::string firstAddress(const std::string& host, int flags)
{
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = flags;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return {};
    const std::unique_ptr<addrinfo, AddrInfoDeleter> list(found);
    std::array<char, NI_MAXHOST> text{};
    if (getnameinfo(list->ai_addr, list->ai_addrlen, text.data(), text.size(), nullptr, 0, NI_NUMERICHOST) != 0)
        return {};
    return text.data();
}

std::string systemResolver(const std::string& hostName)
{
    return firstAddress(hostName, 0);
}

std::atomic<Resolver> g_resolver{&systemResolver};

} // namespace

void setResolver(Resolver resolver)
{
    g_resolver = resolver ? resolver : &systemResolver;
}

std::string numericAddress(const std::string& address)
{
    const std::string host = withoutBrackets(address);
    // Numbers first: they never reach a name server.
    std::string numeric = firstAddress(host, AI_NUMERICHOST);
    return numeric.empty() && !host.empty() ? g_resolver.load()(host) : numeric;
}

bool resolveAgentAddress(SessionParameters& parameters)
{
    parameters.resolvedAddress = numericAddress(parameters.agentAddress);
    return !parameters.resolvedAddress.empty();
}

const std::string& destinationAddress(const SessionParameters& parameters)
{
    return parameters.resolvedAddress.empty() ? parameters.agentAddress : parameters.resolvedAddress;
}

std::string peerName(const std::string& host, std::uint16_t port)
{
    if (host.empty())
        return {};
    const std::string suffix = ":" + std::to_string(port);
    if (host.find(':') != std::string::npos)
        return "udp6:[" + withoutBrackets(host) + "]" + suffix;
    return "udp:" + host + suffix;
}

std::string urlHost(const std::string& address)
{
    return address.find(':') != std::string::npos ? "[" + withoutBrackets(address) + "]" : address;
}

} // namespace snmp
