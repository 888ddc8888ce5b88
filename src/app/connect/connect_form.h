#pragma once

#include "app/connect/installed_models.h"
#include "snmp/identity_read.h"
#include "snmp/session_parameters.h"

#include <string>
#include <string_view>
#include <vector>

// What the Connect window and the conventional options ask for, the order
// in which it is checked, and the session parameters it gives. No widget.
namespace app {

struct ConnectForm {
    std::string address; // dotted IPv4, IPv6 (brackets optional) or host name
    std::string port = "161";
    std::string version = "3"; // "1", "2c" or "3"
    bool vlanEdit = true;
    bool bulkReads = true; // irrelevant for version 1, which has no GETBULK
    // Versions 1 and 2c.
    std::string readCommunity;
    std::string writeCommunity;
    // Version 3, as the session parameters' codes.
    std::string user;
    std::string securityLevel = "3"; // "1" noAuthNoPriv, "2" authNoPriv, "3" authPriv
    std::string authProtocol = "5";  // "2" MD5 .. "7" SHA-512
    std::string privProtocol = "4";  // "2" DES, "4" AES-128
    std::string authPassphrase;
    std::string privPassphrase;
};

// What a successful Connect gives: the session and the model to open.
struct ConnectOutcome {
    snmp::SessionParameters parameters;
    InstalledModel model;
};

// A named choice and its session-parameter code.
struct NamedCode {
    std::string_view name;
    std::string_view code;
};
const std::vector<NamedCode>& securityLevels(); // noAuthNoPriv, authNoPriv, authPriv
const std::vector<NamedCode>& authProtocols();  // MD5, SHA-1, SHA-224 .. SHA-512
const std::vector<NamedCode>& privProtocols();  // DES, AES-128
// Case-insensitive; "" when no entry has that name.
std::string codeOfName(const std::vector<NamedCode>& table, std::string_view name);
std::string nameOfCode(const std::vector<NamedCode>& table, std::string_view code);

// Versions 1 and 2c: read and write community, no user.
bool usesCommunities(std::string_view version);

// Net-SNMP derives keys only from pass phrases of at least this length.
constexpr std::size_t kMinPassphraseLength = 8;

// A UDP port number from 1 to 65535, digits only.
bool isPort(std::string_view text);

// What is wrong with a switch address (full IPv4 or IPv6 literal, or host
// name; never a numeric shorthand), "" when nothing is.
std::string addressProblem(std::string_view address);

// The first problem in field order, "" when the form can connect.
std::string checkConnectForm(const ConnectForm& form);

// The address without IPv6 brackets and surrounding blanks.
std::string normalisedAddress(std::string_view address);

// The session parameters of a checked form (request time-out as default).
snmp::SessionParameters sessionParametersOf(const ConnectForm& form);

// What the window says when the identity read failed.
std::string identityFailureMessage(snmp::IdentityFailure failure, const ConnectForm& form);
// What it says when no installed model matched.
std::string unmatchedIdentityMessage(ModelMatch how, const snmp::SwitchIdentity& identity);

} // namespace app
