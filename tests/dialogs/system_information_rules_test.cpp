#include "dialogs/mib/system_information_rules.h"

#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::mib;

TEST(SystemInformationRules, UptimeInHoursAndMinutes)
{
    EXPECT_EQ(uptimeText("8640000"), "24 Hour 0 Min");
    EXPECT_EQ(uptimeText("35999"), "0 Hour 5 Min");
    EXPECT_EQ(uptimeText("9750000"), "27 Hour 5 Min");
    EXPECT_EQ(uptimeText("4294967295"), "11930 Hour 27 Min");
}

TEST(SystemInformationRules, DecodesSixValuesAndConvertsNameAndLocation)
{
    const WalkRow row{{"Switch", "1.3.6.1.4.1.32473.10.75", "8640000", "ops", "core-\xC3\xA9", "rack 4"}, {}};
    const auto texts = decodeSystemInformation(row);
    ASSERT_TRUE(texts);
    EXPECT_EQ(texts->description, "Switch");
    EXPECT_EQ(texts->objectId, "1.3.6.1.4.1.32473.10.75");
    EXPECT_EQ(texts->runtime, "24 Hour 0 Min");
    EXPECT_EQ(texts->contact, "ops");
    EXPECT_EQ(texts->name, "core-\xC3\xA9");
    EXPECT_EQ(texts->location, "rack 4");
}

TEST(SystemInformationRules, ShortAnswerOrEmptyUptimeChangesNothing)
{
    EXPECT_FALSE(decodeSystemInformation({{"a", "b", "1", "c", "d"}, {}}));
    const auto texts = decodeSystemInformation({{"a", "b", "", "c", "d", "e"}, {}});
    ASSERT_TRUE(texts);
    EXPECT_FALSE(texts->runtime);
    // The read asks for exactly six bindings and refuses shorter answers.
    EXPECT_EQ(systemInformationRead().oids.size(), 6u);
    EXPECT_EQ(systemInformationRead().minimumBindings, 6u);
}

TEST(SystemInformationRules, NameCheckedBeforeLocation)
{
    EXPECT_EQ(checkSystemInformation("core_1 A", "rack-4 (B)"), "");
    EXPECT_EQ(checkSystemInformation("core/1", "rack/4"), "Invalid System Name.");
    EXPECT_EQ(checkSystemInformation("core1", "rack/4"), "Invalid System Location.");
    EXPECT_EQ(checkSystemInformation("core1", "a.b"), "Invalid System Location.");
}

TEST(SystemInformationRules, SetsNameThenLocationAsUtf8)
{
    const Bindings expected{{"1.3.6.1.2.1.1.5.0", snmp::kTypeOctetString, "caf\xC3\xA9"},
                            {"1.3.6.1.2.1.1.6.0", snmp::kTypeOctetString, "hall 2"}};
    EXPECT_EQ(systemInformationSet("caf\xC3\xA9", "hall 2"), expected);
}
