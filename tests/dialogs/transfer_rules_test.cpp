#include "dialogs/management/syslog_rules.h"
#include "dialogs/management/transfer_rules.h"

#include <gtest/gtest.h>

using namespace dialogs::management;

namespace {

TEST(TransferRules, ServerThenFileChecks)
{
    const std::string ip = "Invalid TFTP server IP.";
    struct Case {
        std::string address;
        bool blank;
        std::string file, message;
    };
    for (const Case& c : std::vector<Case>{{"10.1.1.5", false, "a.bin", ""},
                                           {"10.0.0.1", false, "a.bin", ""},
                                           {"10.1.0.5", true, "a.bin", ip}, // a blank field reads as 0
                                           {"0.0.0.0", false, "a.bin", ip},
                                           {"255.1.1.1", false, "a.bin", ip},
                                           {"10.1.1.255", false, "a.bin", ip},
                                           {"10.1.1.0", false, "", ip},
                                           {"10.1.1.5", false, "", "Invalid file."}}) {
        std::string message = checkTftpServer(c.address, c.blank);
        EXPECT_EQ(message.empty() ? checkTransferFile(c.file) : message, c.message) << c.address << " " << c.file;
    }
}

TEST(SyslogRules, ServerChecks)
{
    const std::string ip = "Syslog Server IP Error.", port = "Invalid UDP port range (1-65535)";
    struct Case {
        std::string address;
        bool blank;
        std::int64_t port;
        std::string message;
    };
    for (const Case& c : std::vector<Case>{{"10.0.0.1", false, 514, ""},    {"10.1.1.1", false, 65535, ""},
                                           {"10.1.1.1", false, 1, ""},      {"0.1.2.3", false, 514, ip},
                                           {"255.1.2.3", false, 514, ip},   {"10.1.1.0", false, 514, ip},
                                           {"10.1.1.255", false, 514, ip},  {"10.0.1.1", true, 514, ip},
                                           {"10.1.1.0", false, 0, ip},      {"10.1.1.1", false, 0, port},
                                           {"10.1.1.1", false, 65536, port}})
        EXPECT_EQ(checkSyslogServer(c.address, c.blank, c.port), c.message) << c.address << " " << c.port;
}

TEST(SyslogRules, AnswerDecoding)
{
    struct Case {
        std::vector<std::string> values; // address, port, facility, severity, state
        std::optional<std::string> address, port;
        int facility;
        std::optional<int> severity;
        bool enabled;
    };
    const auto none = std::nullopt;
    for (const Case& c : std::vector<Case>{
             {{"10.1.1.9", "514", "128", "4", "1"}, "10.1.1.9", "514", 0, 0, true},
             {{"10.1.1.9", "65535", "184", "7", "2"}, "10.1.1.9", "65535", 7, 2, false},
             {{"10.1.1.9", "514", "152", "6", "3"}, "10.1.1.9", "514", 3, 1, false},
             {{"10.1.1.9", "514", "120", "5", "1"}, "10.1.1.9", "514", 0, none, true},
             {{"10.1.1.9", "514", "192", "0", "1"}, "10.1.1.9", "514", 0, none, true},
             {{"42", "77 garbled", "136 x", "4x", "1 "}, none, none, 0, none, false},
             {{"1.2.3.256", "123456", "", "", ""}, none, none, 0, none, false},
             {{"1.2.3", "-5", "-8", "6", "1"}, none, none, 0, 1, true},
         }) {
        const SyslogTexts texts = decodeSyslog({c.values, {}});
        EXPECT_EQ(std::tie(texts.address, texts.port, texts.facilityIndex, texts.severityIndex, texts.enabled),
                  std::tie(c.address, c.port, c.facility, c.severity, c.enabled))
            << c.values[0] << " " << c.values[1] << " " << c.values[2];
    }
}

} // namespace
