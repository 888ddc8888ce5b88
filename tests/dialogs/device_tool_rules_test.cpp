#include "dialogs/aggregated_links.h"
#include "dialogs/device_tool_rules.h"
#include "dialogs/text_number.h"

#include <gtest/gtest.h>

using namespace dialogs;

// The save, reboot and About texts and bindings are checked where they are
// used: against the simulated switch and on the About box.

TEST(DeviceToolRules, BrowserPathFromTheOpenCommand)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"("C:\Program Files\Internet Browser\browse.exe" -nohome %1)", R"(C:\Program Files\Internet Browser\browse.exe)"},
        {R"(D:\APPS\BROWSE.EXE "%1")", R"(D:\APPS\BROWSE.EXE)"},
        {R"(:\apps\browse.exe)", ""}, // ":\" at the very beginning: no drive letter
        {R"(C:\apps\browse.bat)", ""}, {"browse.exe", ""}, {"", ""},
        {R"(x.exe -p C:\apps\browse)", ""}, // an ".exe" more than four characters before the ":\"
        // A lower-case form that fails does not hide an upper-case one.
        {R"(.exe-is-here C:\APPS\B.EXE)", R"(C:\APPS\B.EXE)"},
    };
    for (const auto& [command, path] : cases)
        EXPECT_EQ(browserPathFromCommand(command), path) << command;
    EXPECT_EQ(browserCommandLine(R"(C:\b.exe)", "192.0.2.1"), R"(C:\b.exe 192.0.2.1)");
    EXPECT_EQ(browserCommandLine(R"(C:\b.exe)", ""), R"(C:\b.exe )");
}

TEST(DeviceToolRules, LaunchArgumentsNeverHoldAShellLine)
{
    EXPECT_EQ(telnetArguments("192.0.2.1"), (std::vector<std::string>{"-e", "telnet", "192.0.2.1"}));
    EXPECT_EQ(telnetArguments(""), (std::vector<std::string>{"-e", "telnet"}));
    EXPECT_EQ(telnetArguments("1.2.3.4; rm -rf /").back(), "1.2.3.4; rm -rf /");
    EXPECT_EQ(browserArguments("192.0.2.1"), (std::vector<std::string>{"http://192.0.2.1"}));
    EXPECT_EQ(browserArguments("2001:db8::1"), (std::vector<std::string>{"http://[2001:db8::1]"}));
    EXPECT_TRUE(browserArguments("").empty());
}

TEST(AggregatedLinks, BitmapRowsGiveEachPortItsLink)
{
    std::vector<int> links(28, 0);
    // Bits beyond the port array (link 4) are ignored rather than written past it.
    for (const auto& [bits, suffix] : {std::pair{"\xC0\x00\x00\x00", ".1"}, {"\x00\x00\x00\x30", ".3"}, {"\x00\x00\x00\x00", ".2"},
                                       {"\x00\x00\x00\x0F", ".4"}})
        addAggregatedLink(links, {{std::string(bits, 4)}, suffix}, 28);
    EXPECT_EQ(links, (std::vector<int>{1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3, 3}));
}

TEST(TextNumber, ParsesLikeTheDecimalParse)
{
    for (const auto& [text, number] : {std::pair<const char*, std::int64_t>{"  42abc", 42}, {"-7", -7}, {"x1", 0}, {"", 0},
                                       {"99999999999999999999999", INT64_MAX}, {"9223372036854775808", INT64_MAX},
                                       {"-9223372036854775809", INT64_MIN}, {"9223372036854775807", INT64_MAX}})
        EXPECT_EQ(leadingNumber(text), number) << text;
}
