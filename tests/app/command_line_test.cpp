#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

using app::parseCommandLine;

namespace {

// Positions 9 to 15 as one text, to compare version-3 fields at a glance.
std::string v3Fields(const snmp::SessionParameters& p)
{
    return p.position9 + "|" + p.securityLevel + "|" + p.userName + "|" + p.authPassword + "|" + p.privPassword + "|" +
           p.authProtocol + "|" + p.privProtocol;
}
const std::string kV3Defaults = "1|1||||1|1";

} // namespace

TEST(CommandLine, AddressOnlyKeepsEveryDefault)
{
    const auto p = parseCommandLine("/x/I10.1.1.1");
    EXPECT_EQ(p.firstToken, "");
    EXPECT_EQ(p.agentAddress, "10.1.1.1");
    EXPECT_EQ(p.readCommunity, "qevtal");
    EXPECT_EQ(p.writeCommunity, "morvint");
    EXPECT_TRUE(p.vlanEdit); // position 4 never reached
    EXPECT_EQ(p.version, "1");
    EXPECT_EQ(p.agentPort, "161");
    EXPECT_EQ(v3Fields(p), kV3Defaults);
}

TEST(CommandLine, Version1StopsAfterThePortAndBlanksAreDropped)
{
    const auto p = parseCommandLine("/A0/I192.0.2.10/Rpu bl/Wpriv/Vtrue/S1/P1161/Ax/Ay/Z3/L3/Uuser/Aauth/Bpriv/C3/D2");
    EXPECT_EQ(p.firstToken, "0");
    EXPECT_EQ(p.readCommunity, "publ");
    EXPECT_EQ(p.writeCommunity, "priv");
    EXPECT_EQ(p.agentPort, "1161");
    EXPECT_EQ(v3Fields(p), kV3Defaults);
    // An empty version token keeps "1", which stops the reading just the same.
    const auto q = parseCommandLine("/A0/I192.0.2.10/R/W/VTRUE/S/P/Ax/Ay/Z9/L3/Uuser");
    EXPECT_EQ(q.readCommunity, "qevtal");
    EXPECT_EQ(q.agentPort, "161");
    EXPECT_EQ(v3Fields(q), kV3Defaults);
}

TEST(CommandLine, VlanEditFlagIsTrueOnlyForTrueInUpperOrLowerCase)
{
    const auto flag = [](const std::string& token) { return parseCommandLine("/A0/I1.2.3.4/Rr/Ww/V" + token).vlanEdit; };
    EXPECT_TRUE(flag("true"));
    EXPECT_TRUE(flag("TRUE"));
    EXPECT_TRUE(flag("tr ue"));
    EXPECT_FALSE(flag("True"));
    EXPECT_FALSE(flag("yes"));
    EXPECT_FALSE(flag(""));      // the line ends after the letter: still an empty token
    EXPECT_FALSE(flag("/S1"));
}

TEST(CommandLine, Version3SkipsSevenAndEightAndReadsToFifteen)
{
    const auto p = parseCommandLine("/A0/I10.0.0.7/Rr/Ww/Vfalse/S3/P161/Xseven/Yeight/N2/L3/Uadmin/Aauth pass/Bpriv-pass/C3/D2");
    EXPECT_EQ(p.version, "3");
    EXPECT_EQ(p.readCommunity + p.writeCommunity + p.agentPort, "rw161");
    EXPECT_EQ(v3Fields(p), "2|3|admin|authpass|priv-pass|3|2");
    // Empty tokens keep their defaults; a short line stops where it ends.
    EXPECT_EQ(v3Fields(parseCommandLine("/A0/I10.0.0.7/R/W/V/S3/P/X/Y/N/L2/Uu")), "1|2|u|||1|1");
}

TEST(CommandLine, AddressNeedsTheMarkerAndAValue)
{
    // Without "/I" only position 0 is stored.
    const auto p = parseCommandLine("/Afirst/X10.1.1.1/Rcomm/Wcomm/Vfalse/S3");
    EXPECT_EQ(p.firstToken, "first");
    EXPECT_EQ(p.agentAddress + p.readCommunity + p.version, "qevtal1");
    EXPECT_TRUE(p.vlanEdit);
    EXPECT_EQ(parseCommandLine("/Afirst/i10.1.1.1").agentAddress, "");
    // The marker may stand anywhere; the letters themselves are never checked.
    const auto q = parseCommandLine("/Z0/Q10.1.1.1/Rabc/Ww/V/S/P/I");
    EXPECT_EQ(q.agentAddress + " " + q.readCommunity, "10.1.1.1 abc");
    EXPECT_EQ(parseCommandLine("ab0/I10.1.1.1").firstToken, "0");
    // An empty address stops everything after it.
    const auto r = parseCommandLine("/A0/I/Rcomm/Wcomm/Vfalse/S3");
    EXPECT_EQ(r.agentAddress + r.readCommunity + r.version, "qevtal1");
    EXPECT_TRUE(r.vlanEdit);
}

TEST(CommandLine, ShortLinesNeverReadPastTheEnd)
{
    for (const char* line : {"", "/", "/A", "/A/", "/Ax/", "/A0/I10.1.1.1/", "/A0/I10.1.1.1/R"}) {
        const auto p = parseCommandLine(line);
        EXPECT_EQ(p.readCommunity + p.version, "qevtal1") << line;
    }
    EXPECT_EQ(parseCommandLine("/Aab").firstToken, "ab");
}

TEST(CommandLine, OverlongTokensKeepCapacityMinusOneCharacters)
{
    const std::string user(50, 'u');
    const std::string line = "/A" + std::string(30, 'f') + "/I192.168.100.200.1/R" + std::string(80, 'c') + "/W" +
                             std::string(60, 'w') + "/Vtrue" + std::string(20, 'x') + "/S33333333333/P1616161616161/Xa/Yb/N" +
                             std::string(9, '9') + "/L" + std::string(9, '3') + "/U" + user + "/A" + user + "/B" + user +
                             "/C" + std::string(9, '4') + "/D" + std::string(9, '5');
    const auto p = parseCommandLine(line);
    EXPECT_EQ(p.firstToken, std::string(19, 'f'));
    EXPECT_EQ(p.agentAddress, "192.168.100.200");
    EXPECT_EQ(p.readCommunity, std::string(51, 'c'));
    EXPECT_EQ(p.writeCommunity, std::string(51, 'w'));
    EXPECT_FALSE(p.vlanEdit); // "truexxxxxxx" after the cut
    EXPECT_EQ(p.version, "3333333");
    EXPECT_EQ(p.agentPort, "1616161");
    const std::string u31(31, 'u');
    EXPECT_EQ(v3Fields(p), "9999999|3333333|" + u31 + "|" + u31 + "|" + u31 + "|4444444|5555555");
    // Dropped blanks do not count against the capacity.
    EXPECT_EQ(parseCommandLine("/A0/I 1 0 . 1 . 1 . 1 2 3 4 5 6 7 8 9").agentAddress, "10.1.1.12345678");
}

TEST(CommandLine, ArgumentsJoinedBySingleSpacesParseLikeOneLine)
{
    EXPECT_EQ(app::joinArguments({}), "");
    EXPECT_EQ(app::joinArguments({"/A0", "/I10.1.1.1"}), "/A0 /I10.1.1.1");
    const auto p = parseCommandLine(app::joinArguments({"/A0/I10.1.1.1/Rqe", "val/Wmor", "vint/VTRUE/S3/P161"}));
    EXPECT_EQ(p.readCommunity + " " + p.writeCommunity + " " + p.version, "qeval morvint 3");
    EXPECT_TRUE(p.vlanEdit);
}
