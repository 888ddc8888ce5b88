#include "app/connect/connect_form.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>
#include <charconv>

namespace app {
namespace {

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

bool isIpAddress(const std::string& text)
{
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, text.c_str(), buffer) == 1 || inet_pton(AF_INET6, text.c_str(), buffer) == 1;
}

// RFC 1123 host name; an all-numeric last label is a mistyped IPv4 address.
bool isHostName(std::string_view name)
{
    if (name.empty() || name.size() > 253)
        return false;
    if (name.back() == '.')
        name.remove_suffix(1);
    std::string_view last;
    for (std::size_t start = 0; start <= name.size();) {
        const std::size_t end = std::min(name.find('.', start), name.size());
        const std::string_view label = name.substr(start, end - start);
        if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
            return false;
        if (!std::all_of(label.begin(), label.end(),
                         [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '-'; }))
            return false;
        last = label;
        start = end + 1;
    }
    return !std::all_of(last.begin(), last.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// What the resolver would read as a number though it is no IPv4 address as
// written ("10.1", "0x7f000001", "010.1.1.1"): another switch than meant.
bool isNumericShorthand(const std::string& text)
{
    in_addr address{};
    return inet_aton(text.c_str(), &address) != 0;
}

} // namespace

bool isPort(std::string_view text)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 65535;
}

const std::vector<NamedCode>& securityLevels()
{
    static const std::vector<NamedCode> table{{"noAuthNoPriv", "1"}, {"authNoPriv", "2"}, {"authPriv", "3"}};
    return table;
}

const std::vector<NamedCode>& authProtocols()
{
    static const std::vector<NamedCode> table{{"MD5", "2"},     {"SHA-1", "3"},   {"SHA-224", "4"},
                                              {"SHA-256", "5"}, {"SHA-384", "6"}, {"SHA-512", "7"}};
    return table;
}

const std::vector<NamedCode>& privProtocols()
{
    static const std::vector<NamedCode> table{{"DES", "2"}, {"AES-128", "4"}};
    return table;
}

std::string codeOfName(const std::vector<NamedCode>& table, std::string_view name)
{
    for (const NamedCode& entry : table)
        if (equalsIgnoringCase(entry.name, name))
            return std::string(entry.code);
    return {};
}

std::string nameOfCode(const std::vector<NamedCode>& table, std::string_view code)
{
    for (const NamedCode& entry : table)
        if (entry.code == code)
            return std::string(entry.name);
    return {};
}

bool usesCommunities(std::string_view version)
{
    return version == "1" || version == "2c";
}

std::string normalisedAddress(std::string_view address)
{
    while (!address.empty() && std::isspace(static_cast<unsigned char>(address.front())))
        address.remove_prefix(1);
    while (!address.empty() && std::isspace(static_cast<unsigned char>(address.back())))
        address.remove_suffix(1);
    if (address.size() > 2 && address.front() == '[' && address.back() == ']')
        address = address.substr(1, address.size() - 2);
    return std::string(address);
}

std::string addressProblem(std::string_view given)
{
    const std::string address = normalisedAddress(given);
    if (address.empty())
        return "Enter the switch's address.";
    if (!isIpAddress(address) && (!isHostName(address) || isNumericShorthand(address)))
        return "\"" + address + "\" is neither an IPv4 or IPv6 address nor a host name.";
    return "";
}

std::string checkConnectForm(const ConnectForm& form)
{
    if (std::string problem = addressProblem(form.address); !problem.empty())
        return problem;
    if (!isPort(form.port))
        return "The agent port must be a number from 1 to 65535.";
    if (usesCommunities(form.version))
        return form.readCommunity.empty() ? "Enter the read community." : "";
    if (form.version != "3")
        return "Choose SNMP version 1, 2c or 3.";
    if (form.user.empty())
        return "Enter the user name.";
    if (nameOfCode(securityLevels(), form.securityLevel).empty())
        return "Choose a security level.";
    if (form.securityLevel == "1")
        return "";
    if (nameOfCode(authProtocols(), form.authProtocol).empty())
        return "Choose an authentication protocol.";
    if (form.authPassphrase.size() < kMinPassphraseLength)
        return "The authentication pass phrase needs at least 8 characters.";
    if (form.securityLevel == "2")
        return "";
    if (nameOfCode(privProtocols(), form.privProtocol).empty())
        return "Choose a privacy protocol.";
    if (form.privPassphrase.size() < kMinPassphraseLength)
        return "The privacy pass phrase needs at least 8 characters.";
    return "";
}

snmp::SessionParameters sessionParametersOf(const ConnectForm& form)
{
    snmp::SessionParameters parameters;
    parameters.agentAddress = normalisedAddress(form.address);
    parameters.agentPort = form.port;
    parameters.version = form.version;
    parameters.vlanEdit = form.vlanEdit;
    parameters.bulkReads = form.bulkReads && form.version != "1";
    if (usesCommunities(form.version)) {
        parameters.readCommunity = form.readCommunity;
        parameters.writeCommunity = form.writeCommunity;
        return parameters;
    }
    parameters.userName = form.user;
    parameters.securityLevel = form.securityLevel;
    if (form.securityLevel == "1")
        return parameters;
    parameters.authProtocol = form.authProtocol;
    parameters.authPassword = form.authPassphrase;
    if (form.securityLevel == "3") {
        parameters.privProtocol = form.privProtocol;
        parameters.privPassword = form.privPassphrase;
    }
    return parameters;
}

std::string identityFailureMessage(snmp::IdentityFailure failure, const ConnectForm& form)
{
    using snmp::IdentityFailure;
    const std::string where = normalisedAddress(form.address) + " port " + form.port;
    switch (failure) {
    case IdentityFailure::None:
        return "";
    case IdentityFailure::NoAnswer:
        // An agent drops what it cannot decrypt without a report, as it drops
        // a wrong community.
        return "No answer from " + where + ". Check the address and port" +
               (usesCommunities(form.version) ? " and the read community."
                : form.securityLevel == "3"
                    ? " and the privacy pass phrase and protocol (" + nameOfCode(privProtocols(), form.privProtocol) + ")."
                    : ".");
    case IdentityFailure::UnknownUser:
        return "The switch does not know the user \"" + form.user + "\" (unknown user name).";
    case IdentityFailure::WrongDigest:
        return "The switch refused the authentication pass phrase (wrong digest). Check the pass phrase and "
               "the authentication protocol.";
    case IdentityFailure::NotInTimeWindow:
        return "The switch refused the request as not in its time window. Try again.";
    case IdentityFailure::DecryptionError:
        return "The switch could not decrypt the request. Check the privacy pass phrase and protocol.";
    case IdentityFailure::UnsupportedSecurityLevel:
        return "The switch does not accept the security level " + nameOfCode(securityLevels(), form.securityLevel) +
               " for this user.";
    case IdentityFailure::Refused:
        return "The switch at " + where + " refused the request.";
    case IdentityFailure::NotAnswered:
        return "The switch at " + where + " did not give its identity (sysObjectID, sysDescr).";
    }
    return "";
}

std::string unmatchedIdentityMessage(ModelMatch how, const snmp::SwitchIdentity& identity)
{
    if (how == ModelMatch::NotOfFamily)
        return "This switch is not of the QMX-7720-ZA family (sysObjectID " + identity.objectId + ", \"" +
               identity.description + "\").";
    return "Could not tell which model this switch is (sysObjectID " + identity.objectId +
           "). Choose its model and connect again.";
}

} // namespace app
