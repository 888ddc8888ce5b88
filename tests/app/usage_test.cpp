#include "app/usage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(Usage, OnlyHelpOrVersionAloneIsAnswered)
{
    const struct {
        std::vector<std::string> arguments;
        std::string firstLine; // "" for the console's line
    } cases[] = {
        {{"--help"}, "usage: qmx-module <line>"},
        {{"--version"}, std::string("qmx-module ") + QMX_VERSION},
        {{"--help", "--version"}, ""},
        {{"--version", "/I10.1.1.1"}, ""},
        {{"--Help"}, ""},
        {{"/X--help/I10.1.1.1"}, ""},
        {{"/Xc/I10.1.1.1"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases) {
        const auto text = app::informationRequest(c.arguments);
        EXPECT_EQ(text ? text->substr(0, text->find('\n')) : "", c.firstLine) << testing::PrintToString(c.arguments);
    }
}
