#include "dialogs/aggregated_links.h"
#include "dialogs/device_tool_rules.h"
#include "dialogs/text_number.h"

#include <gtest/gtest.h>

using namespace dialogs;

TEST(DeviceToolRules, BrowserPathFromQuotedCommandWithOptions)
{
    const std::string path = browserPathFromCommand(R"("C:\Program Files\Internet Browser\browse.exe" -nohome %1)");
    EXPECT_EQ(path, R"(C:\Program Files\Internet Browser\browse.exe)");
    EXPECT_EQ(browserCommandLine(path, "192.0.2.1"), R"(C:\Program Files\Internet Browser\browse.exe 192.0.2.1)");
    EXPECT_EQ(browserCommandLine(path, ""), R"(C:\Program Files\Internet Browser\browse.exe )");
}

TEST(DeviceToolRules, BrowserPathUpperCaseExtensionAndRejections)
{
    EXPECT_EQ(browserPathFromCommand(R"(D:\APPS\BROWSE.EXE "%1")"), R"(D:\APPS\BROWSE.EXE)");
    // ":\" at the very beginning: no drive letter.
    EXPECT_EQ(browserPathFromCommand(R"(:\apps\browse.exe)"), "");
    EXPECT_EQ(browserPathFromCommand(R"(C:\apps\browse.bat)"), "");
    EXPECT_EQ(browserPathFromCommand("browse.exe"), "");
    EXPECT_EQ(browserPathFromCommand(""), "");
    // An ".exe" more than four characters before the ":\" is refused.
    EXPECT_EQ(browserPathFromCommand(R"(x.exe -p C:\apps\browse)"), "");
    // A lower-case form that fails does not hide an upper-case one.
    EXPECT_EQ(browserPathFromCommand(R"(.exe-is-here C:\APPS\B.EXE)"), R"(C:\APPS\B.EXE)");
}

TEST(DeviceToolRules, LaunchArgumentsNeverHoldAShellLine)
{
    EXPECT_EQ(telnetArguments("192.0.2.1"), (std::vector<std::string>{"-e", "telnet", "192.0.2.1"}));
    EXPECT_EQ(telnetArguments(""), (std::vector<std::string>{"-e", "telnet"}));
    EXPECT_EQ(telnetArguments("1.2.3.4; rm -rf /").back(), "1.2.3.4; rm -rf /");
    EXPECT_EQ(browserArguments("192.0.2.1"), (std::vector<std::string>{"http://192.0.2.1"}));
    EXPECT_TRUE(browserArguments("").empty());
}

TEST(DeviceToolRules, SaveAndRebootBindingsAndAbout)
{
    EXPECT_EQ(saveConfigurationSet(), (Bindings{{"1.3.6.1.4.1.32473.10.75.7.1.10.0", 1, "1"}}));
    EXPECT_EQ(rebootSet(), (Bindings{{"1.3.6.1.4.1.32473.10.75.7.1.9.0", 1, "1"}}));
    EXPECT_EQ(saveConfigurationReport(0), "success");
    EXPECT_EQ(saveConfigurationReport(-1), "failed");
    EXPECT_EQ(saveConfigurationReport(-2), "failed");
    EXPECT_EQ(aboutTitle("QMX-7720-ZA"), "QMX-7720-ZA Module");
    EXPECT_EQ(aboutCaption("QMX-7720-ZA"), "QMX-7720-ZA Management Module");
}

TEST(AggregatedLinks, BitmapRowsGiveEachPortItsLink)
{
    std::vector<int> links(28, 0);
    addAggregatedLink(links, {{std::string("\xC0\x00\x00\x00", 4)}, ".1"}, 28);
    addAggregatedLink(links, {{std::string("\x00\x00\x00\x30", 4)}, ".3"}, 28);
    addAggregatedLink(links, {{std::string("\x00\x00\x00\x00", 4)}, ".2"}, 28);
    // Bits beyond the port array are ignored rather than written past it.
    addAggregatedLink(links, {{std::string("\x00\x00\x00\x0F", 4)}, ".4"}, 28);
    std::vector<int> expected(28, 0);
    expected[0] = expected[1] = 1;
    expected[26] = expected[27] = 3;
    EXPECT_EQ(links, expected);
}

TEST(TextNumber, ParsesLikeTheDecimalParse)
{
    EXPECT_EQ(leadingNumber("  42abc"), 42);
    EXPECT_EQ(leadingNumber("-7"), -7);
    EXPECT_EQ(leadingNumber("x1"), 0);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("99999999999999999999999"), INT64_MAX);
}
