// The agent dialogs' rules: engine ID, row indexes, the checks in order, the
// view mask and classful host rules, and which answered rows are listed.
#include "dialogs/management/snmp_agent_rules.h"
#include "dialogs/management/snmp_view_rules.h"
#include "snmp/common_snmp.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::management;

namespace {

const std::string kUser = "1.3.6.1.4.1.32473.10.75.7.25.2.1.1";
using Texts = std::vector<std::string>;

std::string hexCharacters(std::size_t count)
{
    std::string text;
    for (std::size_t i = 0; i < count; ++i)
        text.push_back("0123456789abcdefABCDEF"[i % 22]);
    return text;
}

} // namespace

TEST(SnmpAgentRules, EngineIdLengthsCharactersAndOddLength)
{
    const std::string length = "ID length is 10-64", character = "the accepted character is from 0 to F";
    for (const auto& [text, message] : std::initializer_list<std::pair<std::string, std::string>>{
             {hexCharacters(9), length}, {hexCharacters(10), ""}, {hexCharacters(64), ""}, {hexCharacters(65), length},
             {"", length}, {"80000g1c044653", character}, {"8000 81c044653", character}, {"zz", length}, {"ABCDEFabcdef", ""},
             {"\u00e9\u00e9\u00e9\u00e9\u00e9", length}, {"\u00e9" + hexCharacters(63), character}}) // 2-byte characters
        EXPECT_EQ(checkEngineId(text), message) << text;

    // 13 characters: a zero digit in front, seven octets.
    EXPECT_EQ(engineIdOctets("8000081c04465"), std::string("\x08\x00\x00\x81\xc0\x44\x65", 7));
    EXPECT_EQ(engineIdOctets(kDefaultEngineId), std::string("\x80\x00\x08\x1c\x04\x46\x53", 7));
    // Read back as lower-case text; answers that are no engine ID are not shown.
    EXPECT_EQ(decodeEngineId(std::string("\x80\x00\x08\x1c\xAB", 5)), "8000081cab");
    EXPECT_EQ(decodeEngineId("1234"), std::nullopt);
    EXPECT_EQ(decodeEngineId(std::string(33, 'x')), std::nullopt);
}

TEST(SnmpAgentRules, RowIndexesOfEveryTable)
{
    EXPECT_EQ((Texts{userIndex("ab", "V3"), userIndex("ab", "v1"), userIndex("ab", "V2c"), userIndex("ab", "v4"),
                     groupIndex("g", "v3", "AuthPriv"), groupIndex("g", "v2c", "AuthNoPriv"),
                     groupIndex("g", "v1", "NoAuthNoPriv"), viewIndex("all", "1.3.6"),
                     communityDeletion({"pub", ""}).front().oid, hostDeletion({"10.1.2.3", "", ""}).front().oid}),
              (Texts{".2.97.98.3", ".2.97.98.1", ".2.97.98.2", ".2.97.98", ".1.103.3.3", ".1.103.2.2", ".1.103.1.1",
                     ".3.97.108.108.3.1.3.6", "1.3.6.1.4.1.32473.10.75.7.25.5.1.1.3.3.112.117.98",
                     "1.3.6.1.4.1.32473.10.75.7.25.6.1.1.4.10.1.2.3"}));
    EXPECT_EQ(userDeletion({"ab", "", "V3", "", ""}), (Bindings{{kUser + ".8.2.97.98.3", 1, "6"}}));
    EXPECT_EQ(rowStatusSet(kUser + ".8", ".1.97", 2), std::nullopt);
}

TEST(SnmpAgentRules, UserChecksInOrderAndTheControlsTheyEnable)
{
    const std::vector<UserRow> listed = {{"ab", "g", "V3", "SHA", "None"}};
    const auto user = [](std::string name, std::string group, std::string version, bool encrypted = false,
                         std::string auth = "MD5", std::string authPassword = "", std::string priv = "None",
                         std::string privPassword = "") {
        return UserInput{name, group, version, encrypted, auth, authPassword, priv, privPassword};
    };
    using Focus = UserCheck::Focus;
    const std::tuple<UserInput, std::string, Focus> cases[] = {
        {user("", "", "V1"), "Please enter valid User Name ", Focus::None}, {user("a.b", "", "V1"), "Invalid User Name .", Focus::None},
        {user("ab", "", "V1"), "Please enter valid Group Name ", Focus::None},
        {user("ab", "g/h", "V1"), "Invalid Group Name.", Focus::None},
        {user("ab", "g", "V3", true), "This User Entry already exists.", Focus::None}, {user("ab", "g", "V1"), "", Focus::None},
        {user("cd", "g", "V3", true, "MD5", "  \t "), "Auth-Protocol Password can't be empty.", Focus::None},
        {user("cd", "g", "V3", true, "MD5", std::string(33, 'p')), " MD5 Max. Password length is 32.", Focus::AuthPassword},
        {user("cd", "g", "V3", true, "MD5", " " + std::string(32, 'p') + " "), "", Focus::None},
        {user("cd", "g", "V3", true, "SHA", std::string(40, 'p')), "", Focus::None},
        {user("cd", "g", "V3", true, "SHA", std::string(41, 'p')), " SHA Max. Password length is 40.", Focus::AuthPassword},
        {user("cd", "g", "V3", true, "SHA", "pw", "DES", " "), "Priv-Protocol Password can't be empty.", Focus::None},
        {user("cd", "g", "V3", true, "SHA", "pw", "DES", std::string(33, 'q')), " DES Max. Password length is 32.",
         Focus::PrivPassword},
        // Not encrypted: the passwords are not looked at.
        {user("cd", "g", "V3", false, "MD5", std::string(50, 'p')), "", Focus::None},
    };
    for (const auto& [input, message, focus] : cases) {
        const UserCheck check = checkUser(input, listed);
        EXPECT_EQ(std::tie(check.message, check.focus), std::tie(message, focus)) << input.name << "/" << input.authPassword;
    }
    const std::vector<UserRow> full(50, UserRow{"x", "g", "V1", "None", "None"});
    EXPECT_EQ(checkUser(user("ab", "g", "V1"), full).message, "Maximum number of User Entry is 50.");

    // Enabled: encryption, protocols, auth password, priv password.
    for (const auto& [version, encrypted, priv, enabled] : std::initializer_list<std::tuple<const char*, bool, const char*, const char*>>{
             {"V1", true, "DES", "0000"}, {"V3", false, "DES", "1000"}, {"V3", true, "DES", "1111"}, {"V3", true, "None", "1110"}}) {
        const UserControls c = userControls(version, encrypted, priv);
        EXPECT_EQ(std::string({char('0' + c.encrypted), char('0' + c.protocols), char('0' + c.authPassword), char('0' + c.privPassword)}),
                  enabled) << version << encrypted << priv;
    }
}

TEST(SnmpAgentRules, UserCreationWritesTheLevelItsProtocolsGive)
{
    // "cd" as V3: MD5 without privacy, then not encrypted; a priv password goes only with a priv protocol.
    const auto set = [](int column, std::string value, int type = snmp::kTypeInteger) {
        return Binding{kUser + "." + std::to_string(column) + ".2.99.100.3", type, std::move(value)};
    };
    const auto text = [&](int column, std::string value) { return set(column, std::move(value), snmp::kTypeOctetString); };
    EXPECT_EQ(userCreation({"cd", "g", "V3", true, "MD5", " pw ", "None", "x"}),
              (SetRequests{{set(8, "5")}, {text(3, "g")}, {set(4, "2"), set(6, "1")}, {text(5, "pw")}, {set(8, "1")}}));
    EXPECT_EQ(userCreation({"cd", "g", "V3", false, "SHA", "pw", "DES", "x"}),
              (SetRequests{{set(8, "5")}, {text(3, "g")}, {set(4, "1"), set(6, "1")}, {text(5, "")}, {set(8, "1")}}));
}

TEST(SnmpAgentRules, GroupCommunityAndHostChecksInOrder)
{
    const std::vector<GroupRow> groups = {{"g", "", "", "", "v3", "AuthPriv"}};
    for (const auto& [name, model, message] : std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"", "v1", "Please enter valid group name!"}, {"g;", "v1", "Invalid Group Name."},
             {"g", "v3", "This Group Entry already exists."}, {"g", "v1", ""}})
        EXPECT_EQ(checkGroup({name, "", "", "", model, "AuthPriv"}, groups), message) << name << model;
    EXPECT_EQ(checkGroup({"h", "", "", "", "v1", ""}, std::vector<GroupRow>(50)), "Maximum number of Group Entry is 50.");

    const std::vector<CommunityRow> communities = {{"pub", "public"}};
    for (const auto& [name, message] : std::initializer_list<std::pair<std::string, std::string>>{
             {"", "Please enter valid Community Name !"}, {"p@b", "Invalid Community Name."},
             {"pub", "This Community Entry already exists."}, {"priv", ""}})
        EXPECT_EQ(checkCommunity(name, communities), message) << name;
    EXPECT_EQ(checkCommunity("new", std::vector<CommunityRow>(10)), "Maximum number of Community Entry is 10.");

    // Classful host addresses, then the host's own checks.
    const std::vector<HostRow> hosts = {{"10.0.0.9", "V1", "pub"}};
    const std::string invalid = "Invalid Host IP.";
    for (const auto& [address, name, message] : std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"127.0.0.1", "pub", invalid}, {"224.0.0.1", "pub", invalid}, {"10.0.0.0", "pub", invalid},
             {"192.168.1.255", "pub", invalid}, {"0.0.0.0", "pub", invalid}, {"0.1.2.3", "pub", invalid},
             {"255.1.2.3", "pub", invalid}, {"240.1.2.3", "pub", invalid}, {"10.1.2", "pub", invalid},
             {"10.1.2.300", "pub", invalid}, {"172.16.0.1", "pub", ""}, {"192.168.1.1", "pub", ""},
             {"126.255.255.254", "pub", ""}, {"10.0.0.9", "pub", "This IP Address has used,please enter other IP Address"},
             {"10.0.0.1", "", "The Community String or SNMPv3 User Name can not be empty."},
             {"10.0.0.1", "a,b", "Invalid Community String/SNMPv3 User Name. "}, {"10.0.0.1", "pub", ""}})
        EXPECT_EQ(checkHost({false, address, 0, name}, hosts), message) << address << name;
    EXPECT_EQ(checkHost({true, "10.0.0.1", 0, "pub"}, hosts), invalid);
    EXPECT_EQ(checkHost({false, "10.0.0.1", 0, "pub"}, std::vector<HostRow>(10)), "Maximum number of Host Entry is 10.");
    // The host parts that the last octet alone does not show.
    EXPECT_EQ((std::vector<bool>{isClassfulHost({10, 255, 255, 255}), isClassfulHost({172, 16, 255, 255}),
                                 isClassfulHost({172, 16, 1, 0}), isClassfulHost({10, 0, 0, 0})}),
              (std::vector<bool>{false, false, true, false}));
}

TEST(SnmpAgentRules, ViewSubtreeAndMaskRules)
{
    const std::vector<ViewRow> listed = {{"all", "1.3.6", "1", "Included"}};
    const std::string subtree = "Please enter valid subtree OID", parts = "Please enter valid subtree OID .";
    const std::string mask = "Please enter valid OID Mask.";
    for (const auto& [input, message] : std::initializer_list<std::pair<ViewInput, std::string>>{
             {{"", "1.3", "1", "Included"}, "Please enter valid view name."}, {{"a?", "1.3", "1", "Included"}, "Invalid View Name."},
             {{"v", "1.3.a", "1", "Included"}, subtree}, {{"v", "", "1", "Included"}, parts},
             {{"v", ".1.3", "1", "Included"}, parts}, {{"v", "1..3", "1", "Included"}, parts},
             {{"v", "1.3.", "1", "Included"}, parts}, {{"v", "1.3.6", "", "Included"}, mask},
             {{"v", "1.3.6", "1..1", "Included"}, mask}, {{"v", "1.3.6", "2", "Included"}, mask},
             {{"v", "1.3.6", "001", "Included"}, mask}, {{"v", "1.3.6", "1.1.1.1", "Included"}, "Invalid  OID length"},
             {{"v", "1.3.6", "00.01.1", "Excluded"}, ""}, {{"all", "1.3.6", "1", "Included"}, "This View Entry already exist."},
             {{"all", "1.3.6.1", "1", "Included"}, ""}})
        EXPECT_EQ(checkView(input, listed), message) << input.name << " " << input.subtree << " " << input.mask;
    EXPECT_EQ(checkView({"v", "1", "1", "Included"}, std::vector<ViewRow>(50)), "Maximum number of View Entry is 50.");
    EXPECT_EQ(maskOctets("1.1"), std::string("\x01\x01", 2));
    EXPECT_EQ(maskOctets("00.01.0"), std::string("\x00\x01\x00", 3));
}

TEST(SnmpAgentRules, OnlyActiveRowsThatAgreeWithTheirIndexAreListed)
{
    // The texts of a listed row; none for a row that is not listed.
    const auto listed = [](const auto& row) { return row ? std::optional<Texts>(row->texts()) : std::nullopt; };
    const std::string root("\x01\x00", 2);
    const std::pair<std::optional<Texts>, std::optional<Texts>> cases[] = {
        {listed(decodeUserRow({{"ab", "3", "g", "3", "", "2", "", "1"}, ".2.97.98.3"})), Texts{"ab", "g", "V3", "SHA", "DES_CBC"}},
        {listed(decodeUserRow({{"ab", "3", "g", "3", "", "2", "", "5"}, ".2.97.98.3"})), std::nullopt}, // createAndWait
        {listed(decodeUserRow({{"42", "3", "g", "3", "", "2", "", "1"}, ".2.97.98.3"})), std::nullopt}, // named unlike its index
        {listed(decodeUserRow({{"ab", "7", "g", "1", "", "1", "", "1"}, ".2.97.98.7"})), std::nullopt}, // unknown version
        {listed(decodeUserRow({{"ab", "3", "g", "77 x", "", "1", "", "1"}, ".2.97.98.3"})), std::nullopt}, // a text protocol
        {listed(decodeGroupRow({{"g", "2", "1", "r", "w", "n", "1"}, ".1.103.2.1"})), Texts{"g", "r", "w", "n", "v2c", "NoAuthNoPriv"}},
        {listed(decodeGroupRow({{"g", "3", "3", "r", "w", "n", "1"}, ".1.103.3.3"})), Texts{"g", "r", "w", "n", "v3", "AuthPriv"}},
        {listed(decodeGroupRow({{"g", "3", "3", "r", "w", "n", "2"}, ".1.103.3.3"})), std::nullopt}, // not active
        {listed(decodeGroupRow({{"g", "3", "2", "r", "w", "n", "1"}, ".1.103.3.3"})), std::nullopt}, // level unlike its index
        {listed(decodeViewRow({{"all", root, "2", "1"}, ".3.97.108.108.3.1.3.6"})), Texts{"all", "1.3.6", "1.0", "Excluded"}},
        {listed(decodeViewRow({{"all", "", "1", "1"}, ".3.97.108.108.4.1.3.6"})), std::nullopt}, // a short index
        {listed(decodeViewRow({{"all", "", "1", "5"}, ".3.97.108.108.3.1.3.6"})), std::nullopt}, // not active
        {listed(decodeCommunityRow({{"pub", "public", "1"}, ".3.112.117.98"})), Texts{"pub", "public"}},
        {listed(decodeCommunityRow({{"pubx", "public", "1"}, ".3.112.117.98"})), std::nullopt}, // named unlike its index
        {listed(decodeHostRow({{"10.1.2.3", "pub", "4", "1"}, ".10.1.2.3"})), Texts{"10.1.2.3", "V3-AuthNoPriv", "pub"}},
        {listed(decodeHostRow({{"10.1.2.3", "pub", "5", "1"}, ".10.1.2.3"})), Texts{"10.1.2.3", "V3-AuthPriv", "pub"}},
        {listed(decodeHostRow({{"10.1.2.3", "pub", "6", "1"}, ".10.1.2.3"})), Texts{"10.1.2.3", "", "pub"}}, // unknown version
        {listed(decodeHostRow({{"10.1.2.3", "pub", "5", "5"}, ".10.1.2.3"})), std::nullopt}, // not active
        {listed(decodeHostRow({{"42", "pub", "1", "1"}, ".10.1.2.3"})), std::nullopt},      // an address that is no address
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
}
