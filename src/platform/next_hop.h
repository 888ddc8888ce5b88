#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The first hop of this computer's frames towards an address: its own
// interface when the address is on-link (or local), else the gateway the
// kernel routes through. Reads the kernel's tables; sends nothing.
namespace platform {

using MacAddress = std::array<std::uint8_t, 6>;

struct NextHop {
    bool known = false;
    MacAddress mac{};       // the hop's MAC address when known
    std::string interface;  // the local interface that reaches the address
    bool onLink = false;    // the hop is this computer's own interface
    std::string unknownWhy; // when !known: why, in a few words
};

// `address`: a numeric IPv4 or IPv6 address; `port` only aims the probe
// socket, which never sends.
NextHop findNextHop(const std::string& address, std::uint16_t port = 161);

// "00-1A-2B-3C-4D-5E", as the forwarding table shows MAC addresses.
std::string macText(const MacAddress& mac);

// /proc/net/route as text: the gateway (network byte order, as in_addr holds
// it) of the most specific route of `interface` to `destination`; 0 when
// that route has no gateway (on-link); none without a route.
std::optional<std::uint32_t> routeGateway(std::string_view routeTable, const std::string& interface,
                                          std::uint32_t destination);
// /proc/net/arp as text: the completed entry of `ip` (dotted) on `interface`.
std::optional<MacAddress> neighbourMac(std::string_view arpTable, const std::string& ip, const std::string& interface);

} // namespace platform
