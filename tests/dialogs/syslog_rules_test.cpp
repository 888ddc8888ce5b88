#include "dialogs/management/syslog_rules.h"
#include "dialogs/management/transfer_rules.h"

#include <gtest/gtest.h>

using namespace dialogs::management;

namespace {

TEST(SyslogRules, AnswerDecoding)
{
    // Address, port, facility, severity, state; the texts shown.
    using Case = std::tuple<std::vector<std::string>, std::optional<std::string>, std::optional<std::string>, int,
                            std::optional<int>, bool>;
    const auto none = std::nullopt;
    for (const auto& [values, address, port, facility, severity, enabled] : std::initializer_list<Case>{
             {{"10.1.1.9", "514", "128", "4", "1"}, "10.1.1.9", "514", 0, 0, true},
             {{"10.1.1.9", "65535", "184", "7", "2"}, "10.1.1.9", "65535", 7, 2, false},
             {{"10.1.1.9", "514", "152", "6", "3"}, "10.1.1.9", "514", 3, 1, false},
             {{"10.1.1.9", "514", "120", "5", "1"}, "10.1.1.9", "514", 0, none, true},
             {{"10.1.1.9", "514", "192", "0", "1"}, "10.1.1.9", "514", 0, none, true},
             {{"42", "77 garbled", "136 x", "4x", "1 "}, none, none, 0, none, false},
             {{"1.2.3.256", "123456", "", "", ""}, none, none, 0, none, false}, {{"1.2.3", "-5", "-8", "6", "1"}, none, none, 0, 1, true},
         }) {
        const SyslogTexts texts = decodeSyslog({values, {}});
        EXPECT_EQ(std::tie(texts.address, texts.port, texts.facilityIndex, texts.severityIndex, texts.enabled),
                  std::tie(address, port, facility, severity, enabled))
            << values[0] << " " << values[1] << " " << values[2];
    }
}

// Both servers: four numbers, no 0 or 255 at either end, no blank field; then the syslog port.
TEST(SyslogRules, ServerChecksAndTheTransferServersAddressRule)
{
    const std::string ip = "Syslog Server IP Error.", range = "Invalid UDP port range (1-65535)", tftp = "Invalid TFTP server IP.";
    for (const auto& [address, blank, port, syslog, transfer] :
         std::initializer_list<std::tuple<const char*, bool, int, std::string, std::string>>{
             {"10.1.1.1", false, 1, "", ""}, {"1.1.1.254", false, 65535, "", ""}, {"254.1.1.1", false, 514, "", ""},
             {"10.1.1.0", false, 514, ip, tftp}, {"0.1.2.3", false, 514, ip, tftp}, {"255.1.2.3", false, 514, ip, tftp},
             {"10.1.1.255", false, 514, ip, tftp}, {"0.0.0.0", false, 0, ip, tftp}, {"10.1.1.1", true, 514, ip, tftp},
             {"10.1.1.1", false, 0, range, ""}, {"10.1.1.1", false, 65536, range, ""}, {"10.1..1", false, 514, ip, tftp}})
        EXPECT_EQ(checkSyslogServer(address, blank, port) + "|" + checkTftpServer(address, blank), syslog + "|" + transfer)
            << address << " " << blank << " " << port;
    EXPECT_EQ(checkTransferFile("") + "|" + checkTransferFile("a"), "Invalid file.|");
}

} // namespace
