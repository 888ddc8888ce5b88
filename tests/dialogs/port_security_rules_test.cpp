#include "dialogs/switching/arp_spoofing_rules.h"
#include "dialogs/switching/dhcp_screening_rules.h"
#include "dialogs/switching/dot1x_rules.h"
#include "rules_ports.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::switching;

using rules_test::linkOf;
using rules_test::portsTicked;

TEST(PortSecurityRules, Dot1xConfigChecksEveryFieldBeforeAnythingIsSent)
{
    const std::string address = "Invalid RADIUS Server IP Address.";
    using In = Dot1xConfigInput&;
    const std::pair<void (*)(In), std::string> cases[] = {
        {[](In) {}, ""}, {[](In in) { in.radiusAddress = "10.255.0.1"; }, ""}, {[](In in) { in.quietPeriod = "0"; }, ""},
        {[](In in) { in.reAuthPeriod = "4294967295"; }, ""},
        {[](In in) { in.txPeriod = in.suppTimeout = in.serverTimeout = in.maxReq = in.reAuthPeriod = "1"; }, ""},
        {[](In in) { in.quietPeriod = in.txPeriod = in.suppTimeout = in.serverTimeout = "65535", in.maxReq = "10"; }, ""},
        {[](In in) { in.addressHasBlankField = true; }, address},
        {[](In in) { in.radiusAddress = "0.0.0.0"; }, address}, {[](In in) { in.radiusAddress = "255.1.1.1"; }, address},
        {[](In in) { in.radiusAddress = "10.0.0.255"; }, address}, {[](In in) { in.key = in.confirmKey = ""; }, "Invalid Key."},
        {[](In in) { in.confirmKey = "other"; }, "Please confirm the key again !"},
        {[](In in) { in.quietPeriod = "65536"; }, "Invalid QuietPeriod (0-65535)"},
        {[](In in) { in.txPeriod = "0"; }, "Invalid TxPeriod (1-65535)"},
        {[](In in) { in.suppTimeout = ""; }, "Invalid SuppTimeout (1-65535)"},
        {[](In in) { in.serverTimeout = "70000"; }, "Invalid ServerTimeout (1-65535)"},
        {[](In in) { in.maxReq = "11"; }, "Invalid MaxReq (1-10)"},
        {[](In in) { in.reAuthPeriod = "4294967296"; }, "Invalid ReAuthPeriod (1-4294967295)"},
        // Only whole numbers, and no key longer than the field takes.
        {[](In in) { in.quietPeriod = "abc"; }, "Invalid QuietPeriod (0-65535)"},
        {[](In in) { in.txPeriod = "12abc"; }, "Invalid TxPeriod (1-65535)"},
        {[](In in) { in.key = in.confirmKey = std::string(34, 'k'); }, "Invalid Key."},
        // The address before the key, the key before the timers, timers in their order.
        {[](In in) { in.radiusAddress = "0.1.1.1", in.key = ""; }, address},
        {[](In in) { in.confirmKey = "x", in.txPeriod = "0"; }, "Please confirm the key again !"},
        {[](In in) { in.maxReq = "0", in.txPeriod = "0"; }, "Invalid TxPeriod (1-65535)"},
        // Disabling checks nothing.
        {[](In in) { in.enabled = false, in.addressHasBlankField = true, in.key = ""; }, ""},
    };
    for (const auto& [change, message] : cases) {
        Dot1xConfigInput in{true, false, "10.1.1.1", "secret", "secret", "60", "30", "30", "30", "2", "3600", true};
        change(in);
        EXPECT_EQ(checkDot1xConfig(in), message) << message;
    }
}

TEST(PortSecurityRules, Dot1xPortRefusalsKeepOnePortOutsideAutoAndForceUnauthorized)
{
    const std::string allUnauthorized = "Could not set all port  Force Unauthorized to the port access control.";
    const std::string allAuto = "Could not set all port AUTO  to the port access control.";
    const std::string mixed = "Could not set all port AUTO or Force Unauthorized to the port access control.";
    const std::string linked = "Cannot add an aggregated link to the 802.1X-enabled port";
    // From, to, the control set, the codes of ports 1..8, whether ports 3 and 4 form a link, message.
    using Case = std::tuple<int, int, int, std::string, bool, std::string>;
    for (const auto& [from, to, control, codes, link, message] : std::initializer_list<Case>{
             {1, 8, 2, "33333333", false, allAuto}, {1, 8, 1, "33333333", false, allUnauthorized}, {1, 7, 2, "33333333", false, ""},
             {1, 7, 2, "33333332", false, allAuto}, {1, 7, 2, "33333331", false, mixed}, {1, 7, 1, "33333332", false, mixed},
             {1, 8, 3, "11111111", false, ""}, {2, 8, 2, "13333333", false, mixed}, {1, 2, 2, "33333333", true, ""},
             {4, 4, 3, "33333333", true, linked}, {1, 8, 2, "33333333", true, linked}}) {
        std::vector<int> controls;
        for (char code : codes)
            controls.push_back(code - '0');
        EXPECT_EQ(checkDot1xPorts(from, to, control, controls, link ? linkOf({3, 4}, 8) : AggregatedLinks(8)), message)
            << from << ".." << to << " to " << control << " among " << codes;
    }
}

TEST(PortSecurityRules, ArpSpoofingEntryChecksInOrder)
{
    const std::string ipFormat = kArpAddressFormat;
    const std::string macFormat = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    const std::string multicast = "Multicast IP is not allowed";
    const std::string ok = "00-11-22-33-44-55";
    // Address, MAC, ports ticked, message.
    const std::tuple<std::string, std::string, std::vector<bool>, std::string> cases[] = {
        {"9.1.1.1", ok, {}, ""}, {"100.2.3.4", "0a-bB-cc-DD-ee-FF", portsTicked({3, 4, 9}), ""}, {"", ok, {}, ipFormat},
        {"0.0.0.0", ok, {}, "Invalid IP."}, {"0.1.1.1", ok, {}, "Invalid  IP."}, {"255.1.1.1", ok, {}, "Invalid  IP."},
        {"10.0.0.255", ok, {}, "Invalid IP."}, {"224.0.0.5", ok, {}, multicast}, {"127.0.0.1", ok, {}, multicast},
        {"128.0.1.1", ok, {}, multicast}, {"1.1.1.1", "00-00-00-00-00-00", {}, macFormat},
        {"1.1.1.1", "00:11:22:33:44:55", {}, macFormat}, {"1.1.1.1", "00-11-22-33-44-5", {}, macFormat},
        {"1.1.1.1", "00-11-22-33-44-5g", {}, macFormat}, {"1.1.1.1", "fF-FF-ff-FF-FF-FF", {}, "Broadcast MAC is not allowed."},
        {"1.1.1.1", "03-11-22-33-44-55", {}, "Multicast MAC address is not allowed."},
        {"1.1.1.1", ok, portsTicked({3}), "ARP Spoofing Prevention enabled port must match to the aggregated link port."},
        {"0.1.1.1", "03-11-22-33-44-55", portsTicked({3}), "Invalid  IP."},
    };
    for (const auto& [address, mac, ticked, message] : cases) {
        std::vector<bool> ports = ticked;
        ports.resize(28);
        EXPECT_EQ(checkArpSpoofingEntry({address.empty(), address, mac, ports}, linkOf({3, 4})), message) << address << " " << mac;
    }
    EXPECT_EQ(checkArpSpoofingAdd(63) + "|" + checkArpSpoofingAdd(64), "|The Maximum of Entry is 64, can not add any more");
}

TEST(PortSecurityRules, DhcpScreeningReadEnablesOnlyThePortsOfTheBitmap)
{
    const int e = kScreeningEnabled, d = kScreeningDisabled;
    EXPECT_EQ(decodeDhcpScreening({std::string("\xa0\x01\0\0", 4)}, 10), // port 16 is padding
              (std::vector<int>{e, d, e, d, d, d, d, d, d, d}));
    EXPECT_FALSE(decodeDhcpScreening({"42"}, 28));
    EXPECT_FALSE(decodeDhcpScreening({std::string(4, '\0')}, 52));
}
