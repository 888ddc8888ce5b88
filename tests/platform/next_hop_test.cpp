// The kernel's route and neighbour tables as text, and the hop on loopback.
#include "platform/next_hop.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cstdio>

namespace {

using platform::MacAddress;

// An address as /proc/net/route prints it: the in_addr's value in hex.
std::string hex(const char* dotted)
{
    char text[9];
    std::snprintf(text, sizeof text, "%08X", inet_addr(dotted));
    return text;
}

TEST(NextHop, TheMostSpecificRouteGivesTheGatewayAndTheNeighbourTableItsMac)
{
    const std::string routes = "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n"
                               "eth0\t00000000\t" + hex("192.0.2.1") + "\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                               "eth0\t00000000\t" + hex("192.0.2.2") + "\t0003\t0\t0\t50\t00000000\t0\t0\t0\n"
                               "eth0\t" + hex("192.0.2.0") + "\t00000000\t0001\t0\t0\t0\t" + hex("255.255.255.0") + "\t0\t0\t0\n"
                               "eth0\t" + hex("10.0.0.0") + "\t" + hex("192.0.2.254") + "\t0003\t0\t0\t0\t" + hex("255.0.0.0") + "\t0\t0\t0\n"
                               "eth0\t" + hex("10.9.0.0") + "\t" + hex("192.0.2.253") + "\t0002\t0\t0\t0\t" + hex("255.255.0.0") + "\t0\t0\t0\n"
                               "eth1\t" + hex("172.16.0.0") + "\t00000000\t0001\t0\t0\t0\t" + hex("255.240.0.0") + "\t0\t0\t0\n";
    const struct {
        const char* interface;
        const char* destination;
        std::optional<std::string> gateway; // "0.0.0.0": on-link
    } rows[] = {
        {"eth0", "198.51.100.7", "192.0.2.2"},  // the default route of the lower metric
        {"eth0", "10.1.2.3", "192.0.2.254"},    // the longer prefix wins
        {"eth0", "10.9.2.3", "192.0.2.254"},    // a route that is down counts for nothing
        {"eth0", "192.0.2.77", "0.0.0.0"},
        {"eth1", "172.20.0.1", "0.0.0.0"},
        {"eth1", "10.1.2.3", std::nullopt},
    };
    for (const auto& row : rows) {
        const auto gateway = platform::routeGateway(routes, row.interface, inet_addr(row.destination));
        std::optional<std::string> text;
        if (gateway) {
            in_addr address{*gateway};
            text = inet_ntoa(address);
        }
        EXPECT_EQ(text, row.gateway) << row.interface << " " << row.destination;
    }

    const std::string arp = "IP address       HW type     Flags       HW address            Mask     Device\n"
                            "192.0.2.1        0x1         0x2         02:fc:00:00:00:05     *        eth0\n"
                            "192.0.2.2        0x1         0x0         00:00:00:00:00:00     *        eth0\n"
                            "192.0.2.3        0x1         0x6         0a:1b:2c:3d:4e:5f     *        eth1\n";
    const struct {
        const char* ip;
        const char* interface;
        std::optional<MacAddress> mac;
    } neighbours[] = {
        {"192.0.2.1", "eth0", MacAddress{0x02, 0xfc, 0, 0, 0, 5}},
        {"192.0.2.2", "eth0", std::nullopt}, // incomplete: no reply yet
        {"192.0.2.3", "eth1", MacAddress{0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f}},
        {"192.0.2.3", "eth0", std::nullopt},
        {"192.0.2.10", "eth0", std::nullopt},
    };
    for (const auto& row : neighbours)
        EXPECT_EQ(platform::neighbourMac(arp, row.ip, row.interface), row.mac) << row.ip << " " << row.interface;
    EXPECT_EQ(platform::macText({0x0a, 0x1b, 0x2c, 0x3d, 0x4e, 0x5f}), "0A-1B-2C-3D-4E-5F");

    for (const char* address : {"127.0.0.1", "::1"}) {
        const platform::NextHop loopback = platform::findNextHop(address);
        EXPECT_EQ(std::tuple(loopback.known, loopback.onLink, loopback.mac), std::tuple(true, true, MacAddress{})) << address;
    }
    EXPECT_EQ(platform::findNextHop("switch.example").unknownWhy, "switch.example is no numeric address");
}

} // namespace
