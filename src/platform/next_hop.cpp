#include "platform/next_hop.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <net/route.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netpacket/packet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <bit>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

namespace platform {
namespace {

constexpr unsigned kArpComplete = 0x2; // ATF_COM: the entry holds a MAC

struct AddrInfoFree {
    void operator()(addrinfo* info) const { freeaddrinfo(info); }
};
struct IfAddrsFree {
    void operator()(ifaddrs* list) const { freeifaddrs(list); }
};

class Socket {
public:
    explicit Socket(int fd) : m_fd(fd) {}
    ~Socket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

std::string fileText(const char* path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string numericText(const sockaddr* address)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address->sa_family == AF_INET)
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text, sizeof text);
    else if (address->sa_family == AF_INET6)
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text, sizeof text);
    return text;
}

// The address octets of an IPv4 or IPv6 socket address.
std::string_view addressOctets(const sockaddr* address)
{
    if (address->sa_family == AF_INET) {
        const auto* in = reinterpret_cast<const sockaddr_in*>(address);
        return {reinterpret_cast<const char*>(&in->sin_addr), sizeof in->sin_addr};
    }
    const auto* in6 = reinterpret_cast<const sockaddr_in6*>(address);
    return {reinterpret_cast<const char*>(&in6->sin6_addr), sizeof in6->sin6_addr};
}

bool sameSubnet(std::string_view a, std::string_view b, std::string_view mask)
{
    if (a.size() != b.size() || mask.size() != a.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if ((a[i] & mask[i]) != (b[i] & mask[i]))
            return false;
    return true;
}

const ifaddrs* interfaceOf(const ifaddrs* list, const sockaddr* local)
{
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next)
        if (entry->ifa_addr && entry->ifa_addr->sa_family == local->sa_family
            && addressOctets(entry->ifa_addr) == addressOctets(local))
            return entry;
    return nullptr;
}

std::optional<MacAddress> interfaceMac(const ifaddrs* list, const char* name)
{
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_PACKET || std::strcmp(entry->ifa_name, name) != 0)
            continue;
        const auto* link = reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
        if (link->sll_halen != 6)
            return std::nullopt;
        MacAddress mac;
        std::memcpy(mac.data(), link->sll_addr, mac.size());
        return mac;
    }
    return std::nullopt;
}

NextHop unknown(std::string why)
{
    NextHop hop;
    hop.unknownWhy = std::move(why);
    return hop;
}

} // namespace

std::string macText(const MacAddress& mac)
{
    char text[18];
    std::snprintf(text, sizeof text, "%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

std::optional<std::uint32_t> routeGateway(std::string_view routeTable, const std::string& interface,
                                          std::uint32_t destination)
{
    std::optional<std::uint32_t> best;
    int bestBits = -1;
    unsigned long bestMetric = 0;
    std::istringstream lines{std::string(routeTable)};
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name;
        unsigned long net = 0, gateway = 0, flags = 0, refs = 0, use = 0, metric = 0, mask = 0;
        if (!(fields >> name >> std::hex >> net >> gateway >> flags >> std::dec >> refs >> use >> metric >> std::hex >> mask))
            continue;
        if (name != interface || !(flags & RTF_UP) || ((destination & mask) != (net & mask)))
            continue;
        const int bits = std::popcount(static_cast<std::uint32_t>(mask));
        if (bits < bestBits || (bits == bestBits && metric >= bestMetric))
            continue;
        bestBits = bits;
        bestMetric = metric;
        best = (flags & RTF_GATEWAY) ? static_cast<std::uint32_t>(gateway) : 0u;
    }
    return best;
}

std::optional<MacAddress> neighbourMac(std::string_view arpTable, const std::string& ip, const std::string& interface)
{
    std::istringstream lines{std::string(arpTable)};
    std::string line;
    std::getline(lines, line); // the header
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string address, type, mask, device, hardware;
        unsigned flags = 0;
        if (!(fields >> address >> type >> std::hex >> flags >> hardware >> mask >> device))
            continue;
        if (address != ip || device != interface || !(flags & kArpComplete))
            continue;
        // "aa:bb:cc:dd:ee:ff": six hexadecimal octets.
        MacAddress mac;
        if (hardware.size() != 17)
            return std::nullopt;
        for (std::size_t i = 0; i < mac.size(); ++i) {
            const char* first = hardware.data() + i * 3;
            if ((i > 0 && first[-1] != ':') || std::from_chars(first, first + 2, mac[i], 16).ptr != first + 2)
                return std::nullopt;
        }
        return mac;
    }
    return std::nullopt;
}

NextHop findNextHop(const std::string& address, std::uint16_t port)
{
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found) != 0 || !found)
        return unknown(address + " is no numeric address");
    const std::unique_ptr<addrinfo, AddrInfoFree> target(found);

    // A connected datagram socket sends nothing; the kernel picks the
    // source address its route would use.
    const Socket probe(::socket(target->ai_family, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    if (probe.fd() < 0 || ::connect(probe.fd(), target->ai_addr, target->ai_addrlen) != 0)
        return unknown("this computer has no route to " + address);
    sockaddr_storage local{};
    socklen_t localLength = sizeof local;
    if (::getsockname(probe.fd(), reinterpret_cast<sockaddr*>(&local), &localLength) != 0)
        return unknown("this computer has no route to " + address);
    const auto* localAddress = reinterpret_cast<const sockaddr*>(&local);

    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0)
        return unknown("the network interfaces could not be listed");
    const std::unique_ptr<ifaddrs, IfAddrsFree> list(interfaces);
    const ifaddrs* own = interfaceOf(list.get(), localAddress);
    if (!own)
        return unknown("no interface holds the address " + numericText(localAddress));

    NextHop hop;
    hop.interface = own->ifa_name;
    if (own->ifa_flags & IFF_LOOPBACK) {
        hop.known = hop.onLink = true; // the loopback's frames carry no address: all zeros
        return hop;
    }
    const std::string_view destination = addressOctets(target->ai_addr);
    hop.onLink = own->ifa_netmask && sameSubnet(destination, addressOctets(localAddress), addressOctets(own->ifa_netmask));
    std::string gatewayText;
    if (!hop.onLink) {
        if (target->ai_family != AF_INET)
            return unknown("the switch lies behind an IPv6 router, and the IPv6 neighbour table is not read");
        std::uint32_t destination4 = 0;
        std::memcpy(&destination4, destination.data(), sizeof destination4);
        const std::optional<std::uint32_t> gateway = routeGateway(fileText("/proc/net/route"), hop.interface, destination4);
        if (!gateway)
            return unknown("no route to " + address + " on " + hop.interface);
        hop.onLink = *gateway == 0;
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &*gateway, text, sizeof text);
        gatewayText = text;
    }
    if (hop.onLink) {
        const std::optional<MacAddress> mac = interfaceMac(list.get(), own->ifa_name);
        if (!mac)
            return unknown("the interface " + hop.interface + " has no MAC address");
        hop.mac = *mac;
    } else {
        const std::optional<MacAddress> mac = neighbourMac(fileText("/proc/net/arp"), gatewayText, hop.interface);
        if (!mac)
            return unknown("the gateway " + gatewayText + " is not in the neighbour table");
        hop.mac = *mac;
    }
    hop.known = true;
    return hop;
}

} // namespace platform
