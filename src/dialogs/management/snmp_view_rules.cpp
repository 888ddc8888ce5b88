#include "dialogs/management/snmp_view_rules.h"

#include "dialogs/text_number.h"
#include "snmp/common_snmp.h"
#include "snmp/encodings.h"

#include <algorithm>

namespace dialogs::management {
namespace {

// The dot-separated parts of a text; "" gives one empty part.
std::vector<std::string> parts(std::string_view text)
{
    std::vector<std::string> found;
    std::size_t start = 0;
    for (;;) {
        const std::size_t dot = text.find('.', start);
        found.emplace_back(text.substr(start, dot - start));
        if (dot == std::string_view::npos)
            return found;
        start = dot + 1;
    }
}

// The arcs of an index suffix (".3.97.98"); nothing when it is not one.
std::optional<std::vector<std::uint32_t>> arcsOf(std::string_view suffix)
{
    if (suffix.empty() || suffix.front() != '.')
        return std::nullopt;
    std::vector<std::uint32_t> arcs;
    for (const std::string& part : parts(suffix.substr(1))) {
        if (part.empty() || part.size() > 10 || !std::all_of(part.begin(), part.end(), ::isdigit))
            return std::nullopt;
        const std::int64_t arc = leadingNumber(part);
        if (arc > 0xffffffffLL)
            return std::nullopt;
        arcs.push_back(static_cast<std::uint32_t>(arc));
    }
    return arcs;
}

std::optional<std::array<int, 4>> addressOctets(std::string_view dotted)
{
    const std::vector<std::string> fields = parts(dotted);
    if (fields.size() != 4)
        return std::nullopt;
    std::array<int, 4> octets{};
    for (std::size_t i = 0; i < 4; ++i) {
        if (fields[i].empty() || fields[i].size() > 3 || !std::all_of(fields[i].begin(), fields[i].end(), ::isdigit))
            return std::nullopt;
        octets[i] = static_cast<int>(leadingNumber(fields[i]));
        if (octets[i] > 255)
            return std::nullopt;
    }
    return octets;
}

Binding statusOf(const std::string& entry, int column, const std::string& index, int value)
{
    return rowStatusSet(columnOid(entry, column), index, value)->front();
}

} // namespace

// ---- views ----

const std::vector<std::string>& viewHeaders()
{
    static const std::vector<std::string> headers = {"View Name", "Subtree OID", "OID Mask", "View Type"};
    return headers;
}

const std::vector<std::string>& viewTypes()
{
    static const std::vector<std::string> types = {"Included", "Excluded"};
    return types;
}

std::optional<ViewRow> decodeViewRow(const WalkRow& row)
{
    if (row.values.size() < 4 || row.values[3] != "1")
        return std::nullopt;
    const auto arcs = arcsOf(row.suffix);
    if (!arcs || arcs->empty())
        return std::nullopt;
    const std::size_t nameLength = (*arcs)[0];
    if (arcs->size() < nameLength + 2 || arcs->size() != nameLength + 2 + (*arcs)[nameLength + 1])
        return std::nullopt;
    ViewRow view;
    for (std::size_t i = 1; i <= nameLength; ++i) {
        if ((*arcs)[i] > 255)
            return std::nullopt;
        view.name.push_back(static_cast<char>((*arcs)[i]));
    }
    for (std::size_t i = nameLength + 2; i < arcs->size(); ++i)
        view.subtree += (view.subtree.empty() ? "" : ".") + std::to_string((*arcs)[i]);
    // The name column repeats the index.
    if (row.values[0] != view.name || !isWholeNumber(row.values[2]))
        return std::nullopt;
    view.name = nameFromSwitch(view.name);
    for (unsigned char octet : row.values[1])
        view.mask += (view.mask.empty() ? "" : ".") + std::to_string(octet);
    view.type = row.values[2] == "1" ? "Included" : row.values[2] == "2" ? "Excluded" : "";
    return view;
}

std::string viewIndex(std::string_view name, std::string_view subtree)
{
    return nameIndex(name) + "." + std::to_string(parts(subtree).size()) + "." + std::string(subtree);
}

std::string maskOctets(std::string_view mask)
{
    std::string hex;
    for (const std::string& part : parts(mask))
        hex += part == "1" || part == "01" ? "01" : "00";
    return snmp::hexToOctets(hex);
}

std::string checkView(const ViewInput& input, const std::vector<ViewRow>& listed)
{
    if (input.name.empty())
        return "Please enter valid view name.";
    if (!snmp::isValidName(input.name))
        return "Invalid View Name.";
    if (!std::all_of(input.subtree.begin(), input.subtree.end(), [](char c) { return c == '.' || (c >= '0' && c <= '9'); }))
        return "Please enter valid subtree OID";
    const std::vector<std::string> subtree = parts(input.subtree);
    if (std::any_of(subtree.begin(), subtree.end(), [](const std::string& part) { return part.empty(); }))
        return "Please enter valid subtree OID .";
    if (input.mask.empty())
        return "Please enter valid OID Mask.";
    const std::vector<std::string> mask = parts(input.mask);
    for (const std::string& part : mask)
        if (part != "0" && part != "1" && part != "00" && part != "01")
            return "Please enter valid OID Mask.";
    if (mask.size() > subtree.size())
        return "Invalid  OID length";
    if (std::any_of(listed.begin(), listed.end(),
                    [&](const ViewRow& row) { return row.name == input.name && row.subtree == input.subtree; }))
        return "This View Entry already exist.";
    if (listed.size() >= kMaxViews)
        return "Maximum number of View Entry is 50.";
    return {};
}

SetRequests viewCreation(const ViewInput& input)
{
    const std::string index = viewIndex(input.name, input.subtree);
    return {{statusOf(kViewEntry, 5, index, 5)},
            {{columnOid(kViewEntry, 3) + index, snmp::kTypeOctetString, maskOctets(input.mask)},
             {columnOid(kViewEntry, 4) + index, snmp::kTypeInteger, input.type == "Included" ? "1" : "2"}},
            {statusOf(kViewEntry, 5, index, 1)}};
}

Bindings viewDeletion(const ViewRow& row)
{
    return {statusOf(kViewEntry, 5, viewIndex(row.name, row.subtree), 6)};
}

// ---- communities ----

const std::vector<std::string>& communityHeaders()
{
    static const std::vector<std::string> headers = {"Community Name", "User Name"};
    return headers;
}

std::optional<CommunityRow> decodeCommunityRow(const WalkRow& row)
{
    if (row.values.size() < 3 || row.values[2] != "1" || row.suffix != nameIndex(row.values[0]))
        return std::nullopt;
    return CommunityRow{nameFromSwitch(row.values[0]), nameFromSwitch(row.values[1])};
}

std::optional<std::string> viewPolicyUser(const WalkRow& userRow)
{
    const auto user = decodeUserRow(userRow);
    if (!user || user->version == "V3" || user->version == "v3")
        return std::nullopt;
    return user->name;
}

std::string checkCommunity(std::string_view name, const std::vector<CommunityRow>& listed)
{
    if (name.empty())
        return "Please enter valid Community Name !";
    if (!snmp::isValidName(name))
        return "Invalid Community Name.";
    if (std::any_of(listed.begin(), listed.end(), [&](const CommunityRow& row) { return row.name == name; }))
        return "This Community Entry already exists.";
    if (listed.size() >= kMaxCommunities)
        return "Maximum number of Community Entry is 10.";
    return {};
}

SetRequests communityCreation(std::string_view name, std::string_view user)
{
    const std::string index = nameIndex(name);
    return {{statusOf(kCommunityEntry, 3, index, 5)},
            {{columnOid(kCommunityEntry, 2) + index, snmp::kTypeOctetString, nameToSwitch(user)}},
            {statusOf(kCommunityEntry, 3, index, 1)}};
}

Bindings communityDeletion(const CommunityRow& row)
{
    return {statusOf(kCommunityEntry, 3, nameIndex(row.name), 6)};
}

// ---- hosts ----

const std::vector<std::string>& hostHeaders()
{
    static const std::vector<std::string> headers = {"Host IP Address", "SNMP Version",
                                                     "Community Name/SNMPv3 User Name "};
    return headers;
}

const std::vector<std::string>& hostVersions()
{
    static const std::vector<std::string> versions = {"V1", "V2c", "V3-NoAuthNoPriv", "V3-AuthNoPriv", "V3-AuthPriv"};
    return versions;
}

std::optional<HostRow> decodeHostRow(const WalkRow& row)
{
    if (row.values.size() < 4 || row.values[3] != "1" || !addressOctets(row.values[0])
        || row.suffix != "." + row.values[0] || !isWholeNumber(row.values[2]))
        return std::nullopt;
    const std::int64_t version = leadingNumber(row.values[2]);
    const std::string versionText =
        version >= 1 && version <= 5 ? hostVersions()[static_cast<std::size_t>(version - 1)] : std::string();
    return HostRow{row.values[0], versionText, nameFromSwitch(row.values[1])};
}

bool isClassfulHost(const std::array<int, 4>& o)
{
    const auto u = [&](std::size_t i) { return static_cast<std::uint32_t>(o[i]); };
    if ((o[0] & 0x80) == 0) { // class A
        const std::uint32_t host = (u(1) << 16) | (u(2) << 8) | u(3);
        return o[0] != 0 && o[0] != 127 && host != 0 && host != 0xffffff;
    }
    if ((o[0] & 0xC0) == 0x80) { // class B
        const std::uint32_t host = (u(2) << 8) | u(3);
        return host != 0 && host != 0xffff;
    }
    if ((o[0] & 0xE0) == 0xC0) // class C
        return o[3] != 0 && o[3] != 255;
    return false; // classes D and E
}

std::string checkHost(const HostInput& input, const std::vector<HostRow>& listed)
{
    static const std::string invalid = "Invalid Host IP.";
    const auto octets = addressOctets(input.address);
    if (input.blankField || !octets)
        return invalid;
    const auto& o = *octets;
    if ((o[0] | o[1] | o[2] | o[3]) == 0 || o[0] == 0 || o[0] == 255 || o[3] == 0 || o[3] == 255 || !isClassfulHost(o))
        return invalid;
    if (std::any_of(listed.begin(), listed.end(), [&](const HostRow& row) { return row.address == input.address; }))
        return "This IP Address has used,please enter other IP Address";
    if (input.name.empty())
        return "The Community String or SNMPv3 User Name can not be empty.";
    if (!snmp::isValidName(input.name))
        return "Invalid Community String/SNMPv3 User Name. ";
    if (listed.size() >= kMaxHosts)
        return "Maximum number of Host Entry is 10.";
    return {};
}

SetRequests hostCreation(const HostInput& input)
{
    const std::string index = "." + input.address;
    return {{statusOf(kHostEntry, 4, index, 5)},
            {{columnOid(kHostEntry, 2) + index, snmp::kTypeOctetString, nameToSwitch(input.name)},
             {columnOid(kHostEntry, 3) + index, snmp::kTypeInteger, std::to_string(input.version + 1)}},
            {statusOf(kHostEntry, 4, index, 1)}};
}

Bindings hostDeletion(const HostRow& row)
{
    return {statusOf(kHostEntry, 4, "." + row.address, 6)};
}

} // namespace dialogs::management
