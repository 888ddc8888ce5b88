#include "dialogs/management/snmp_table_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>

namespace dialogs::management {
namespace {

constexpr std::size_t kNameBytes = 256;

Binding integerBinding(const std::string& oid, int value)
{
    return {oid, snmp::kTypeInteger, std::to_string(value)};
}

Binding textBinding(const std::string& oid, std::string_view text)
{
    return {oid, snmp::kTypeOctetString, nameToSwitch(text)};
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return std::string(text.substr(first, last - first + 1));
}

// Characters of UTF-8 text.
std::size_t characters(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The text of an enumerated value 1..texts.size(); nothing for other answers.
std::optional<std::string> enumText(std::string_view value, const std::vector<std::string>& texts)
{
    if (!isWholeNumber(value))
        return std::nullopt;
    const std::int64_t number = leadingNumber(value);
    if (number < 1 || number > static_cast<std::int64_t>(texts.size()))
        return std::nullopt;
    return texts[static_cast<std::size_t>(number - 1)];
}

bool isV3(std::string_view version)
{
    return version == "V3" || version == "v3";
}

} // namespace

std::string columnOid(const std::string& entry, int column)
{
    return entry + "." + std::to_string(column);
}

WalkRequest tableWalk(const std::string& entry, const std::vector<int>& columns)
{
    WalkRequest request;
    for (int column : columns)
        request.oids.push_back(columnOid(entry, column));
    request.minimumBindings = columns.size();
    return request;
}

std::string nameIndex(std::string_view name)
{
    return snmp::textToIndexSuffix(name, name.size());
}

std::string modelIndex(std::string_view version)
{
    if (version == "v1" || version == "V1")
        return ".1";
    if (version == "v2c" || version == "V2c")
        return ".2";
    if (isV3(version))
        return ".3";
    return {};
}

std::string levelIndex(std::string_view level)
{
    if (level == "NoAuthNoPriv")
        return ".1";
    if (level == "AuthNoPriv")
        return ".2";
    return ".3";
}

std::string userIndex(std::string_view name, std::string_view version)
{
    return nameIndex(name) + modelIndex(version);
}

std::string groupIndex(std::string_view name, std::string_view model, std::string_view level)
{
    return nameIndex(name) + modelIndex(model) + levelIndex(level);
}

std::optional<Bindings> rowStatusSet(const std::string& statusColumn, const std::string& index, int value)
{
    if (value != 1 && value != 5 && value != 6)
        return std::nullopt;
    return Bindings{integerBinding(statusColumn + index, value)};
}

std::string nameToSwitch(std::string_view text)
{
    return snmp::localToUtf8(text, kNameBytes);
}

std::string nameFromSwitch(std::string_view octets)
{
    return snmp::utf8ToLocal(octets);
}

// ---- users ----

const std::vector<std::string>& userHeaders()
{
    static const std::vector<std::string> headers = {"User Name", "Group Name", "SNMP Version", "Auth Protocol",
                                                     "Priv-Protocol"};
    return headers;
}

const std::vector<std::string>& userVersions()
{
    static const std::vector<std::string> versions = {"V1", "V2c", "V3"};
    return versions;
}

const std::vector<std::string>& authProtocols()
{
    static const std::vector<std::string> protocols = {"MD5", "SHA"};
    return protocols;
}

const std::vector<std::string>& privProtocols()
{
    static const std::vector<std::string> protocols = {"DES", "None"};
    return protocols;
}

std::optional<UserRow> decodeUserRow(const WalkRow& row)
{
    if (row.values.size() < 8 || row.values[7] != "1")
        return std::nullopt;
    static const std::vector<std::string> auths = {"None", "MD5", "SHA"};
    static const std::vector<std::string> privs = {"None", "DES_CBC"};
    const auto version = enumText(row.values[1], userVersions());
    const auto auth = enumText(row.values[3], auths);
    const auto priv = enumText(row.values[5], privs);
    // The name column repeats the index: a row that disagrees was garbled.
    if (!version || !auth || !priv || row.suffix != userIndex(row.values[0], *version))
        return std::nullopt;
    return UserRow{nameFromSwitch(row.values[0]), nameFromSwitch(row.values[2]), *version, *auth, *priv};
}

UserControls userControls(std::string_view version, bool encrypted, std::string_view privProtocol)
{
    UserControls controls;
    controls.encrypted = version == "V3";
    const bool secured = controls.encrypted && encrypted;
    controls.protocols = secured;
    controls.authPassword = secured;
    controls.privPassword = secured && privProtocol == "DES";
    return controls;
}

UserCheck checkUser(const UserInput& input, const std::vector<UserRow>& listed)
{
    using Focus = UserCheck::Focus;
    if (input.name.empty())
        return {"Please enter valid User Name ", Focus::None};
    if (!snmp::isValidName(input.name))
        return {"Invalid User Name .", Focus::None};
    if (input.group.empty())
        return {"Please enter valid Group Name ", Focus::None};
    if (!snmp::isValidName(input.group))
        return {"Invalid Group Name.", Focus::None};
    if (std::any_of(listed.begin(), listed.end(),
                    [&](const UserRow& row) { return row.name == input.name && row.version == input.version; }))
        return {"This User Entry already exists.", Focus::None};
    if (listed.size() >= kMaxUsers)
        return {"Maximum number of User Entry is 50.", Focus::None};
    if (!input.encrypted)
        return {};
    const std::string auth = trimmed(input.authPassword);
    const std::string priv = trimmed(input.privPassword);
    if (auth.empty())
        return {"Auth-Protocol Password can't be empty.", Focus::None};
    if (input.authProtocol == "MD5" && characters(auth) > 32)
        return {" MD5 Max. Password length is 32.", Focus::AuthPassword};
    if (input.authProtocol == "SHA" && characters(auth) > 40)
        return {" SHA Max. Password length is 40.", Focus::AuthPassword};
    if (input.privProtocol == "DES" && priv.empty())
        return {"Priv-Protocol Password can't be empty.", Focus::None};
    if (input.privProtocol == "DES" && characters(priv) > 32)
        return {" DES Max. Password length is 32.", Focus::PrivPassword};
    return {};
}

SetRequests userCreation(const UserInput& input)
{
    const std::string index = userIndex(input.name, input.version);
    const std::string status = columnOid(kUserEntry, 8);
    SetRequests sets{*rowStatusSet(status, index, 5), {textBinding(columnOid(kUserEntry, 3) + index, input.group)}};
    if (isV3(input.version)) {
        const std::string authProtocol = input.encrypted ? input.authProtocol : "None";
        const std::string privProtocol = input.encrypted ? input.privProtocol : "None";
        const int auth = authProtocol == "MD5" ? 2 : authProtocol == "SHA" ? 3 : 1;
        const int priv = privProtocol != "None" ? 2 : 1;
        sets.push_back({integerBinding(columnOid(kUserEntry, 4) + index, auth),
                        integerBinding(columnOid(kUserEntry, 6) + index, priv)});
        const std::string authPassword = input.encrypted ? trimmed(input.authPassword) : std::string();
        Bindings passwords{{columnOid(kUserEntry, 5) + index, snmp::kTypeOctetString, authPassword}};
        if (priv == 2)
            passwords.push_back({columnOid(kUserEntry, 7) + index, snmp::kTypeOctetString, trimmed(input.privPassword)});
        sets.push_back(std::move(passwords));
    }
    sets.push_back(*rowStatusSet(status, index, 1));
    return sets;
}

Bindings userDeletion(const UserRow& row)
{
    return *rowStatusSet(columnOid(kUserEntry, 8), userIndex(row.name, row.version), 6);
}

// ---- groups ----

const std::vector<std::string>& groupHeaders()
{
    static const std::vector<std::string> headers = {"Group Name",  "Read View",      "Write View",
                                                     "Notify View", "Security Model", "Security Level"};
    return headers;
}

const std::vector<std::string>& securityModels()
{
    static const std::vector<std::string> models = {"v1", "v2c", "v3"};
    return models;
}

const std::vector<std::string>& securityLevels()
{
    static const std::vector<std::string> levels = {"NoAuthNoPriv", "AuthNoPriv", "AuthPriv"};
    return levels;
}

std::optional<GroupRow> decodeGroupRow(const WalkRow& row)
{
    if (row.values.size() < 7 || row.values[6] != "1")
        return std::nullopt;
    const auto model = enumText(row.values[1], securityModels());
    const auto level = enumText(row.values[2], securityLevels());
    if (!model || !level || row.suffix != groupIndex(row.values[0], *model, *level))
        return std::nullopt;
    return GroupRow{nameFromSwitch(row.values[0]), nameFromSwitch(row.values[3]), nameFromSwitch(row.values[4]),
                    nameFromSwitch(row.values[5]), *model, *level};
}

std::string checkGroup(const GroupInput& input, const std::vector<GroupRow>& listed)
{
    if (input.name.empty())
        return "Please enter valid group name!";
    if (!snmp::isValidName(input.name))
        return "Invalid Group Name.";
    if (std::any_of(listed.begin(), listed.end(),
                    [&](const GroupRow& row) { return row.name == input.name && row.model == input.model; }))
        return "This Group Entry already exists.";
    if (listed.size() >= kMaxGroups)
        return "Maximum number of Group Entry is 50.";
    return {};
}

SetRequests groupCreation(const GroupInput& input)
{
    const std::string index = groupIndex(input.name, input.model, input.level);
    const std::string status = columnOid(kGroupEntry, 7);
    // The level travels in the index only: a binding without an OID would
    // make the agent refuse the whole request and lose the view names.
    return {*rowStatusSet(status, index, 5),
            {textBinding(columnOid(kGroupEntry, 4) + index, input.readView),
             textBinding(columnOid(kGroupEntry, 5) + index, input.writeView),
             textBinding(columnOid(kGroupEntry, 6) + index, input.notifyView)},
            *rowStatusSet(status, index, 1)};
}

Bindings groupDeletion(const GroupRow& row)
{
    return *rowStatusSet(columnOid(kGroupEntry, 7), groupIndex(row.name, row.model, row.level), 6);
}

} // namespace dialogs::management
