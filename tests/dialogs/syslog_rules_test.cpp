#include "dialogs/management/syslog_rules.h"

#include <gtest/gtest.h>

using namespace dialogs::management;

namespace {

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
