#include "app/command_line.h"

#include <gtest/gtest.h>

#include <string>

using app::parseCommandLine;

namespace {

// Every position, in order, to compare a whole parse at a glance.
std::string fields(const snmp::SessionParameters& p)
{
    std::string out = p.firstToken;
    for (const std::string& f : {p.agentAddress, p.readCommunity, p.writeCommunity, std::string(p.vlanEdit ? "T" : "F"), p.version,
                                 p.agentPort, p.position9, p.securityLevel, p.userName, p.authPassword, p.privPassword, p.authProtocol, p.privProtocol})
        out += "|" + f;
    return out;
}
// Communities, VLAN flag and positions 5 to 15 as nothing sets them.
const std::string kRest = "qevtal|morvint|T|1|161|1|1||||1|1";
const std::string kV1Rest = "|1|161|1|1||||1|1"; // version 1: positions 5 to 15

} // namespace

TEST(CommandLine, PositionsDefaultsAndWhereReadingStops)
{
    const std::pair<const char*, std::string> cases[] = { // the line, its parse
        {"/x/I10.1.1.1", "|10.1.1.1|" + kRest},
        // Version 1 stops after the port; blanks inside tokens are dropped.
        {"/A0/I192.0.2.10/Rpu bl/Wpriv/Vtrue/S1/P1161/Ax/Ay/Z3/L3/Uuser/Aauth/Bpriv/C3/D2",
         "0|192.0.2.10|publ|priv|T|1|1161|1|1||||1|1"},
        // An empty version token keeps "1", which stops the reading just the same.
        {"/A0/I192.0.2.10/R/W/VTRUE/S/P/Ax/Ay/Z9/L3/Uuser", "0|192.0.2.10|" + kRest},
        // Version 3 skips positions 7 and 8 and reads on to 15.
        {"/A0/I10.0.0.7/Rr/Ww/Vfalse/S3/P161/Xseven/Yeight/N2/L3/Uadmin/Aauth pass/Bpriv-pass/C3/D2",
         "0|10.0.0.7|r|w|F|3|161|2|3|admin|authpass|priv-pass|3|2"},
        {"/A0/I10.0.0.7/R/W/V/S3/P/X/Y/N/L2/Uu", "0|10.0.0.7|qevtal|morvint|F|3|161|1|2|u|||1|1"},
        // Without "/I" only position 0 is stored; the marker may stand anywhere
        // and the letters themselves are never checked.
        {"/Afirst/X10.1.1.1/Rcomm/Wcomm/Vfalse/S3", "first||" + kRest},
        {"/Afirst/i10.1.1.1", "first||" + kRest},
        {"/Z0/Q10.1.1.1/Rabc/Ww/V/S/P/I", "0|10.1.1.1|abc|w|F" + kV1Rest},
        {"ab0/I10.1.1.1", "0|10.1.1.1|" + kRest},
        // An empty address stops everything after it.
        {"/A0/I/Rcomm/Wcomm/Vfalse/S3", "0||" + kRest},
        // Short lines never read past their end.
        {"", "||" + kRest}, {"/", "||" + kRest}, {"/A", "||" + kRest}, {"/A/", "||" + kRest}, {"/Ax/", "x||" + kRest},
        {"/Aab", "ab||" + kRest}, {"/A0/I10.1.1.1/", "0|10.1.1.1|" + kRest}, {"/A0/I10.1.1.1/R", "0|10.1.1.1|" + kRest},
        // The VLAN flag is on for "true" in lower or upper case only; an empty token, even at the line's end, is off.
        {"/A0/I1.2.3.4/Rr/Ww/Vtr ue", "0|1.2.3.4|r|w|T" + kV1Rest}, {"/A0/I1.2.3.4/Rr/Ww/VTrue", "0|1.2.3.4|r|w|F" + kV1Rest},
        {"/A0/I1.2.3.4/Rr/Ww/Vyes", "0|1.2.3.4|r|w|F" + kV1Rest}, {"/A0/I1.2.3.4/Rr/Ww/V", "0|1.2.3.4|r|w|F" + kV1Rest},
        // Dropped blanks do not count against a field's capacity.
        {"/A0/I 1 0 . 1 . 1 . 1 2 3 4 5 6 7 8 9", "0|10.1.1.12345678|" + kRest},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(fields(parseCommandLine(line)), expected) << '"' << line << '"';
}

TEST(CommandLine, OverlongTokensKeepCapacityMinusOneCharacters)
{
    const std::string user(50, 'u');
    const std::string line = "/A" + std::string(30, 'f') + "/I192.168.100.200.1/R" + std::string(80, 'c') + "/W" +
                             std::string(60, 'w') + "/Vtrue" + std::string(20, 'x') + "/S33333333333/P1616161616161/Xa/Yb/N" +
                             std::string(9, '9') + "/L" + std::string(9, '3') + "/U" + user + "/A" + user + "/B" + user +
                             "/C" + std::string(9, '4') + "/D" + std::string(9, '5');
    const std::string u31(31, 'u');
    // "truexxxxxxx" after the cut is no "true".
    EXPECT_EQ(fields(parseCommandLine(line)), std::string(19, 'f') + "|192.168.100.200|" + std::string(51, 'c') + "|" +
                                                  std::string(51, 'w') + "|F|3333333|1616161|9999999|3333333|" + u31 + "|" +
                                                  u31 + "|" + u31 + "|4444444|5555555");
}

TEST(CommandLine, AStartTakesOnlyAWholeDottedIpv4Address)
{
    // The line, the address kept; "!" when refused (StartUp checks the messages).
    const std::pair<const char*, std::string> cases[] = {
        {"/A0/I255.255.255.255/Rr", "255.255.255.255"}, {"/A0/I/Rr", ""}, {"/Xc/I0:0:0:0:0:0:0:10/R", "!"}, {"/A0/I10.1.1.1234567890", "!"},
        {"/A/I1", "!"}, {"/A0/I10.1", "!"}, {"/A0/I010.1.1.1", "!"}, {"/A0/I0x7f.1", "!"}, {"/A0/Ilocalhost", "!"}, {"/A0/I::1", "!"}};
    for (const auto& [line, expected] : cases) {
        const app::ConsoleStart start = app::readConsoleLine(line);
        EXPECT_EQ((start.refusal.empty() ? "" : "!") + start.parameters.agentAddress, expected) << line;
    }
}
