// The agent dialogs' rules: engine ID, row indexes, the checks in order, the
// view mask and classful host rules, and which answered rows are listed.
#include "dialogs/management/snmp_agent_rules.h"
#include "dialogs/management/snmp_view_rules.h"

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::management;

namespace {

const std::string kUser = "1.3.6.1.4.1.32473.10.75.7.25.2.1.1";

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
    const std::string length = "ID length is 10-64";
    const std::string character = "the accepted character is from 0 to F";
    for (const auto& [text, message] : std::initializer_list<std::pair<std::string, std::string>>{
             {hexCharacters(9), length}, {hexCharacters(10), ""}, {hexCharacters(64), ""}, {hexCharacters(65), length},
             {"", length}, {"80000g1c044653", character}, {"8000 81c044653", character}, {"zz", length},
             {"ABCDEFabcdef", ""},
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
    EXPECT_EQ(userIndex("ab", "V3"), ".2.97.98.3");
    EXPECT_EQ(userIndex("ab", "v1"), ".2.97.98.1");
    EXPECT_EQ(userIndex("ab", "V2c"), ".2.97.98.2");
    EXPECT_EQ(userIndex("ab", "v4"), ".2.97.98");
    EXPECT_EQ(groupIndex("g", "v3", "AuthPriv"), ".1.103.3.3");
    EXPECT_EQ(groupIndex("g", "v2c", "AuthNoPriv"), ".1.103.2.2");
    EXPECT_EQ(groupIndex("g", "v1", "NoAuthNoPriv"), ".1.103.1.1");
    EXPECT_EQ(viewIndex("all", "1.3.6"), ".3.97.108.108.3.1.3.6");
    EXPECT_EQ(communityDeletion({"pub", ""}).front().oid, "1.3.6.1.4.1.32473.10.75.7.25.5.1.1.3.3.112.117.98");
    EXPECT_EQ(hostDeletion({"10.1.2.3", "", ""}).front().oid, "1.3.6.1.4.1.32473.10.75.7.25.6.1.1.4.10.1.2.3");
    EXPECT_EQ(userDeletion({"ab", "", "V3", "", ""}),
              (Bindings{{kUser + ".8.2.97.98.3", 1, "6"}}));
    EXPECT_EQ(rowStatusSet(kUser + ".8", ".1.97", 2), std::nullopt);
}

TEST(SnmpAgentRules, UserChecksInOrder)
{
    const std::vector<UserRow> listed = {{"ab", "g", "V3", "SHA", "None"}};
    const auto user = [](std::string name, std::string group, std::string version, bool encrypted = false,
                         std::string auth = "MD5", std::string authPassword = "", std::string priv = "None",
                         std::string privPassword = "") {
        return UserInput{name, group, version, encrypted, auth, authPassword, priv, privPassword};
    };
    using Focus = UserCheck::Focus;
    struct Case {
        UserInput input;
        std::string message;
        Focus focus;
    };
    const Case cases[] = {
        {user("", "", "V1"), "Please enter valid User Name ", Focus::None},
        {user("a.b", "", "V1"), "Invalid User Name .", Focus::None},
        {user("ab", "", "V1"), "Please enter valid Group Name ", Focus::None},
        {user("ab", "g/h", "V1"), "Invalid Group Name.", Focus::None},
        {user("ab", "g", "V3", true), "This User Entry already exists.", Focus::None},
        {user("ab", "g", "V1"), "", Focus::None},
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
    for (const Case& c : cases) {
        const UserCheck check = checkUser(c.input, listed);
        EXPECT_EQ(check.message, c.message) << c.input.name << "/" << c.input.authPassword;
        EXPECT_EQ(check.focus, c.focus) << c.message;
    }
    const std::vector<UserRow> full(50, UserRow{"x", "g", "V1", "None", "None"});
    EXPECT_EQ(checkUser(user("ab", "g", "V1"), full).message, "Maximum number of User Entry is 50.");
}

TEST(SnmpAgentRules, UserControlsFollowVersionEncryptionAndPrivacy)
{
    struct Case {
        std::string version;
        bool encrypted;
        std::string priv;
        UserControls expected;
    };
    const Case cases[] = {
        {"V1", true, "DES", {false, false, false, false}},
        {"V3", false, "DES", {true, false, false, false}},
        {"V3", true, "DES", {true, true, true, true}},
        {"V3", true, "None", {true, true, true, false}},
    };
    for (const Case& c : cases) {
        const UserControls got = userControls(c.version, c.encrypted, c.priv);
        EXPECT_EQ(std::tie(got.encrypted, got.protocols, got.authPassword, got.privPassword),
                  std::tie(c.expected.encrypted, c.expected.protocols, c.expected.authPassword, c.expected.privPassword))
            << c.version << c.encrypted << c.priv;
    }
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

    const std::vector<HostRow> hosts = {{"10.0.0.9", "V1", "pub"}};
    const std::string ok;
    for (const auto& [address, name, message] : std::initializer_list<std::tuple<std::string, std::string, std::string>>{
             {"10.0.0.9", "pub", "This IP Address has used,please enter other IP Address"},
             {"10.0.0.1", "", "The Community String or SNMPv3 User Name can not be empty."},
             {"10.0.0.1", "a,b", "Invalid Community String/SNMPv3 User Name. "}, {"10.0.0.1", "pub", ok}})
        EXPECT_EQ(checkHost({false, address, 0, name}, hosts), message) << address << name;
    EXPECT_EQ(checkHost({true, "10.0.0.1", 0, "pub"}, hosts), "Invalid Host IP.");
    EXPECT_EQ(checkHost({false, "10.0.0.1", 0, "pub"}, std::vector<HostRow>(10)), "Maximum number of Host Entry is 10.");
}

TEST(SnmpAgentRules, ClassfulHostRule)
{
    const std::string invalid = "Invalid Host IP.";
    for (const auto& [address, usable] : std::initializer_list<std::pair<std::string, bool>>{
             {"127.0.0.1", false}, {"224.0.0.1", false}, {"10.0.0.0", false}, {"192.168.1.255", false},
             {"0.0.0.0", false}, {"0.1.2.3", false}, {"255.1.2.3", false}, {"240.1.2.3", false},
             {"10.0.0.1", true}, {"172.16.0.1", true}, {"192.168.1.1", true}, {"126.255.255.254", true},
             {"10.1.2", false}, {"10.1.2.300", false}})
        EXPECT_EQ(checkHost({false, address, 0, "pub"}, {}), usable ? "" : invalid) << address;
    // The host parts that the last octet alone does not show.
    EXPECT_FALSE(isClassfulHost({10, 255, 255, 255}));
    EXPECT_FALSE(isClassfulHost({172, 16, 255, 255}));
    EXPECT_TRUE(isClassfulHost({172, 16, 1, 0}));
    EXPECT_FALSE(isClassfulHost({10, 0, 0, 0}));
}

TEST(SnmpAgentRules, ViewSubtreeAndMaskRules)
{
    const std::vector<ViewRow> listed = {{"all", "1.3.6", "1", "Included"}};
    const std::string subtree = "Please enter valid subtree OID";
    const std::string subtreeParts = "Please enter valid subtree OID .";
    const std::string mask = "Please enter valid OID Mask.";
    for (const auto& [input, message] : std::initializer_list<std::pair<ViewInput, std::string>>{
             {{"", "1.3", "1", "Included"}, "Please enter valid view name."},
             {{"a?", "1.3", "1", "Included"}, "Invalid View Name."},
             {{"v", "1.3.a", "1", "Included"}, subtree},
             {{"v", "", "1", "Included"}, subtreeParts},
             {{"v", ".1.3", "1", "Included"}, subtreeParts},
             {{"v", "1..3", "1", "Included"}, subtreeParts},
             {{"v", "1.3.", "1", "Included"}, subtreeParts},
             {{"v", "1.3.6", "", "Included"}, mask},
             {{"v", "1.3.6", "1..1", "Included"}, mask},
             {{"v", "1.3.6", "2", "Included"}, mask},
             {{"v", "1.3.6", "001", "Included"}, mask},
             {{"v", "1.3.6", "1.1.1.1", "Included"}, "Invalid  OID length"},
             {{"v", "1.3.6", "00.01.1", "Excluded"}, ""},
             {{"all", "1.3.6", "1", "Included"}, "This View Entry already exist."},
             {{"all", "1.3.6.1", "1", "Included"}, ""}})
        EXPECT_EQ(checkView(input, listed), message) << input.name << " " << input.subtree << " " << input.mask;
    EXPECT_EQ(checkView({"v", "1", "1", "Included"}, std::vector<ViewRow>(50)), "Maximum number of View Entry is 50.");
    EXPECT_EQ(maskOctets("1.1"), std::string("\x01\x01", 2));
    EXPECT_EQ(maskOctets("00.01.0"), std::string("\x00\x01\x00", 3));
}

TEST(SnmpAgentRules, OnlyActiveRowsThatAgreeWithTheirIndexAreListed)
{
    struct Case {
        const char* what;
        bool listed;
        bool (*decode)(const WalkRow&);
        WalkRow row;
    };
    const auto user = [](const WalkRow& r) { return decodeUserRow(r).has_value(); };
    const auto group = [](const WalkRow& r) { return decodeGroupRow(r).has_value(); };
    const auto view = [](const WalkRow& r) { return decodeViewRow(r).has_value(); };
    const auto community = [](const WalkRow& r) { return decodeCommunityRow(r).has_value(); };
    const auto host = [](const WalkRow& r) { return decodeHostRow(r).has_value(); };
    const Case cases[] = {
        {"user", true, user, {{"ab", "3", "g", "3", "", "2", "", "1"}, ".2.97.98.3"}},
        {"user in createAndWait", false, user, {{"ab", "3", "g", "3", "", "2", "", "5"}, ".2.97.98.3"}},
        {"user named unlike its index", false, user, {{"42", "3", "g", "3", "", "2", "", "1"}, ".2.97.98.3"}},
        {"user of unknown version", false, user, {{"ab", "7", "g", "1", "", "1", "", "1"}, ".2.97.98.7"}},
        {"user with a text protocol", false, user, {{"ab", "3", "g", "77 x", "", "1", "", "1"}, ".2.97.98.3"}},
        {"group", true, group, {{"g", "3", "3", "r", "w", "n", "1"}, ".1.103.3.3"}},
        {"group not active", false, group, {{"g", "3", "3", "r", "w", "n", "2"}, ".1.103.3.3"}},
        {"group level unlike its index", false, group, {{"g", "3", "2", "r", "w", "n", "1"}, ".1.103.3.3"}},
        {"view", true, view, {{"all", std::string("\x01\x00", 2), "2", "1"}, ".3.97.108.108.3.1.3.6"}},
        {"view with a short index", false, view, {{"all", "", "1", "1"}, ".3.97.108.108.4.1.3.6"}},
        {"view not active", false, view, {{"all", "", "1", "5"}, ".3.97.108.108.3.1.3.6"}},
        {"community", true, community, {{"pub", "public", "1"}, ".3.112.117.98"}},
        {"community named unlike its index", false, community, {{"pubx", "public", "1"}, ".3.112.117.98"}},
        {"host", true, host, {{"10.1.2.3", "pub", "5", "1"}, ".10.1.2.3"}},
        {"host not active", false, host, {{"10.1.2.3", "pub", "5", "5"}, ".10.1.2.3"}},
        {"host whose address is no address", false, host, {{"42", "pub", "1", "1"}, ".10.1.2.3"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.decode(c.row), c.listed) << c.what;

    const auto view1 = decodeViewRow({{"all", std::string("\x01\x00", 2), "2", "1"}, ".3.97.108.108.3.1.3.6"});
    ASSERT_TRUE(view1);
    EXPECT_EQ(view1->texts(), (std::vector<std::string>{"all", "1.3.6", "1.0", "Excluded"}));
    EXPECT_EQ(decodeUserRow({{"ab", "3", "g", "3", "", "2", "", "1"}, ".2.97.98.3"})->texts(),
              (std::vector<std::string>{"ab", "g", "V3", "SHA", "DES_CBC"}));
    EXPECT_EQ(decodeHostRow({{"10.1.2.3", "pub", "4", "1"}, ".10.1.2.3"})->texts(),
              (std::vector<std::string>{"10.1.2.3", "V3-AuthNoPriv", "pub"}));
    EXPECT_EQ(decodeGroupRow({{"g", "2", "1", "r", "w", "n", "1"}, ".1.103.2.1"})->texts(),
              (std::vector<std::string>{"g", "r", "w", "n", "v2c", "NoAuthNoPriv"}));
}
