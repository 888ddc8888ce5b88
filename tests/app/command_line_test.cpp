#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

using app::parseCommandLine;

namespace {

void expectVersion3Defaults(const snmp::SessionParameters& p)
{
    EXPECT_EQ(p.position9, "1");
    EXPECT_EQ(p.securityLevel, "1");
    EXPECT_EQ(p.userName, "");
    EXPECT_EQ(p.authPassword, "");
    EXPECT_EQ(p.privPassword, "");
    EXPECT_EQ(p.authProtocol, "1");
    EXPECT_EQ(p.privProtocol, "1");
}

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
    EXPECT_EQ(p.requestTimeout, "3000");
    expectVersion3Defaults(p);
}

TEST(CommandLine, Version1LineFillsPositionsOneToSixAndIgnoresTheRest)
{
    const auto p = parseCommandLine("/A0/I192.0.2.10/Rpu bl/Wpriv/Vtrue/S1/P1161/Ax/Ay/Z3/L3/Uuser/Aauthpass/Bprivpass/C3/D2");
    EXPECT_EQ(p.firstToken, "0");
    EXPECT_EQ(p.agentAddress, "192.0.2.10");
    EXPECT_EQ(p.readCommunity, "publ"); // the blank inside is dropped
    EXPECT_EQ(p.writeCommunity, "priv");
    EXPECT_TRUE(p.vlanEdit);
    EXPECT_EQ(p.version, "1");
    EXPECT_EQ(p.agentPort, "1161");
    expectVersion3Defaults(p);
}

TEST(CommandLine, EmptyVersionKeepsOneAndStopsAfterThePort)
{
    const auto p = parseCommandLine("/A0/I192.0.2.10/R/W/VTRUE/S/P/Ax/Ay/Z9/L3/Uuser");
    EXPECT_EQ(p.readCommunity, "qevtal");
    EXPECT_EQ(p.writeCommunity, "morvint");
    EXPECT_TRUE(p.vlanEdit);
    EXPECT_EQ(p.version, "1");
    EXPECT_EQ(p.agentPort, "161");
    expectVersion3Defaults(p);
}

TEST(CommandLine, VlanEditFlagIsTrueOnlyForTrueInUpperOrLowerCase)
{
    EXPECT_TRUE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/Vtrue").vlanEdit);
    EXPECT_TRUE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/VTRUE").vlanEdit);
    EXPECT_FALSE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/VTrue").vlanEdit);
    EXPECT_FALSE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/Vyes").vlanEdit);
    EXPECT_FALSE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/V/S1").vlanEdit);
    // The line ends right after the letter: the token is empty, still read.
    EXPECT_FALSE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/V").vlanEdit);
    // Blanks inside are dropped before the comparison.
    EXPECT_TRUE(parseCommandLine("/A0/I1.2.3.4/Rr/Ww/Vtr ue").vlanEdit);
}

TEST(CommandLine, Version3LineSkipsSevenAndEightAndReadsToFifteen)
{
    const auto p = parseCommandLine(
        "/A0/I10.0.0.7/Rr/Ww/Vfalse/S3/P161/Xseven/Yeight/N2/L3/Uadmin/Aauth pass/Bpriv-pass/C3/D2");
    EXPECT_EQ(p.agentAddress, "10.0.0.7");
    EXPECT_FALSE(p.vlanEdit);
    EXPECT_EQ(p.version, "3");
    EXPECT_EQ(p.position9, "2");
    EXPECT_EQ(p.securityLevel, "3");
    EXPECT_EQ(p.userName, "admin");
    EXPECT_EQ(p.authPassword, "authpass");
    EXPECT_EQ(p.privPassword, "priv-pass");
    EXPECT_EQ(p.authProtocol, "3");
    EXPECT_EQ(p.privProtocol, "2");
    EXPECT_EQ(p.readCommunity, "r");
    EXPECT_EQ(p.writeCommunity, "w");
    EXPECT_EQ(p.agentPort, "161");
}

TEST(CommandLine, Version3EmptyTokensKeepDefaultsAndAShortLineStopsEarly)
{
    const auto p = parseCommandLine("/A0/I10.0.0.7/R/W/V/S3/P/X/Y/N/L2/Uu");
    EXPECT_EQ(p.version, "3");
    EXPECT_EQ(p.agentPort, "161");
    EXPECT_EQ(p.position9, "1");
    EXPECT_EQ(p.securityLevel, "2");
    EXPECT_EQ(p.userName, "u");
    EXPECT_EQ(p.authPassword, "");
    EXPECT_EQ(p.authProtocol, "1");
    EXPECT_EQ(p.privProtocol, "1");
}

TEST(CommandLine, WithoutSlashIOnlyPositionZeroIsStored)
{
    const auto p = parseCommandLine("/Afirst/X10.1.1.1/Rcomm/Wcomm/Vfalse/S3");
    EXPECT_EQ(p.firstToken, "first");
    EXPECT_EQ(p.agentAddress, "");
    EXPECT_EQ(p.readCommunity, "qevtal");
    EXPECT_TRUE(p.vlanEdit);
    EXPECT_EQ(p.version, "1");
    // A lower-case "/i" is not the marker.
    EXPECT_EQ(parseCommandLine("/Afirst/i10.1.1.1").agentAddress, "");
}

TEST(CommandLine, MarkerAnywhereOnTheLineAndLettersUnchecked)
{
    // "/I" only has to occur somewhere; the letter before position 1 is not checked.
    const auto p = parseCommandLine("/Z0/Q10.1.1.1/Rabc/Ww/V/S/P/I");
    EXPECT_EQ(p.agentAddress, "10.1.1.1");
    EXPECT_EQ(p.readCommunity, "abc");
    // The first two characters are skipped whatever they are.
    EXPECT_EQ(parseCommandLine("ab0/I10.1.1.1").firstToken, "0");
    EXPECT_EQ(parseCommandLine("ab0/I10.1.1.1").agentAddress, "10.1.1.1");
}

TEST(CommandLine, EmptyAddressStopsParsing)
{
    const auto p = parseCommandLine("/A0/I/Rcomm/Wcomm/Vfalse/S3");
    EXPECT_EQ(p.firstToken, "0");
    EXPECT_EQ(p.agentAddress, "");
    EXPECT_EQ(p.readCommunity, "qevtal");
    EXPECT_TRUE(p.vlanEdit);
    EXPECT_EQ(p.version, "1");
}

TEST(CommandLine, ShortAndTruncatedLinesNeverReadPastTheEnd)
{
    for (const char* line : {"", "/", "/A", "/A/", "/Ax/", "/A0/I10.1.1.1/", "/A0/I10.1.1.1/R"}) {
        const auto p = parseCommandLine(line);
        EXPECT_EQ(p.readCommunity, "qevtal") << line;
        EXPECT_EQ(p.version, "1") << line;
    }
    EXPECT_EQ(parseCommandLine("/Aab").firstToken, "ab");
    EXPECT_EQ(parseCommandLine("/A0/I10.1.1.1/").agentAddress, "10.1.1.1");
}

TEST(CommandLine, OverlongTokensKeepCapacityMinusOneCharacters)
{
    const std::string first(30, 'f');
    const std::string address = "192.168.100.200.1"; // 17 characters
    const std::string community(80, 'c');
    const std::string user(50, 'u');
    const std::string line = "/A" + first + "/I" + address + "/R" + community + "/W" + community + "/V" + "true" +
                             std::string(20, 'x') + "/S33333333333/P1616161616161/Xa/Yb/N" + std::string(9, '9') + "/L" +
                             std::string(9, '3') + "/U" + user + "/A" + user + "/B" + user + "/C" + std::string(9, '4') +
                             "/D" + std::string(9, '5');
    const auto p = parseCommandLine(line);
    EXPECT_EQ(p.firstToken, std::string(19, 'f'));
    EXPECT_EQ(p.agentAddress, "192.168.100.200");
    EXPECT_EQ(p.readCommunity, std::string(51, 'c'));
    EXPECT_EQ(p.writeCommunity, std::string(51, 'c'));
    EXPECT_FALSE(p.vlanEdit); // "truexxxxxxx" after the cut
    EXPECT_EQ(p.version, "3333333");
    EXPECT_EQ(p.agentPort, "1616161");
    EXPECT_EQ(p.position9, std::string(7, '9'));
    EXPECT_EQ(p.securityLevel, std::string(7, '3'));
    EXPECT_EQ(p.userName, std::string(31, 'u'));
    EXPECT_EQ(p.authPassword, std::string(31, 'u'));
    EXPECT_EQ(p.privPassword, std::string(31, 'u'));
    EXPECT_EQ(p.authProtocol, std::string(7, '4'));
    EXPECT_EQ(p.privProtocol, std::string(7, '5'));
}

TEST(CommandLine, BlanksDoNotCountAgainstTheCapacity)
{
    const auto p = parseCommandLine("/A0/I 1 0 . 1 . 1 . 1 2 3 4 5 6 7 8 9");
    EXPECT_EQ(p.agentAddress, "10.1.1.12345678");
    EXPECT_EQ(p.agentAddress.size(), 15u);
}

TEST(CommandLine, ArgumentsJoinedBySingleSpacesParseLikeOneLine)
{
    EXPECT_EQ(app::joinArguments({}), "");
    EXPECT_EQ(app::joinArguments({"/A0", "/I10.1.1.1"}), "/A0 /I10.1.1.1");
    // A community the shell split at its blank comes back without it.
    const auto p = parseCommandLine(app::joinArguments({"/A0/I10.1.1.1/Rqe", "val/Wmor", "vint/VTRUE/S3/P161"}));
    EXPECT_EQ(p.firstToken, "0");
    EXPECT_EQ(p.readCommunity, "qeval");
    EXPECT_EQ(p.writeCommunity, "morvint");
    EXPECT_TRUE(p.vlanEdit);
    EXPECT_EQ(p.version, "3");
}
