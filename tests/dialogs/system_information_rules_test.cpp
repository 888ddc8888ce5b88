#include "dialogs/mib/system_information_rules.h"

#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::mib;

TEST(SystemInformationRules, UptimeInHoursAndMinutes)
{
    for (const auto& [ticks, text] : {std::pair{"8640000", "24 Hour 0 Min"}, {"35999", "0 Hour 5 Min"}, {"9750000", "27 Hour 5 Min"},
                                      {"4294967295", "11930 Hour 27 Min"}})
        EXPECT_EQ(uptimeText(ticks), text) << ticks;
}

TEST(SystemInformationRules, DecodesSixValuesAndShortAnswersOrAnEmptyUptimeChangeNothing)
{
    const auto texts = decodeSystemInformation({{"Switch", "1.3.6.1.4.1.32473.10.75", "8640000", "ops", "core-\xC3\xA9", "rack 4"}, {}});
    ASSERT_TRUE(texts && texts->runtime);
    EXPECT_EQ(texts->description + "|" + texts->objectId + "|" + *texts->runtime + "|" + texts->contact + "|" + texts->name + "|" +
                  texts->location,
              "Switch|1.3.6.1.4.1.32473.10.75|24 Hour 0 Min|ops|core-\xC3\xA9|rack 4");

    EXPECT_FALSE(decodeSystemInformation({{"a", "b", "1", "c", "d"}, {}}));
    const auto noUptime = decodeSystemInformation({{"a", "b", "", "c", "d", "e"}, {}});
    ASSERT_TRUE(noUptime);
    EXPECT_FALSE(noUptime->runtime);
}

TEST(SystemInformationRules, NameCheckedBeforeLocationThenSetInThatOrderAsUtf8)
{
    EXPECT_EQ((std::vector<std::string>{checkSystemInformation("core_1 A", "rack-4 (B)"), checkSystemInformation("core/1", "rack/4"),
                                        checkSystemInformation("core1", "rack/4"), checkSystemInformation("core1", "a.b")}),
              (std::vector<std::string>{"", "Invalid System Name.", "Invalid System Location.", "Invalid System Location."}));
    const Bindings expected{{"1.3.6.1.2.1.1.5.0", snmp::kTypeOctetString, "caf\xC3\xA9"},
                            {"1.3.6.1.2.1.1.6.0", snmp::kTypeOctetString, "hall 2"}};
    EXPECT_EQ(systemInformationSet("caf\xC3\xA9", "hall 2"), expected);
}
