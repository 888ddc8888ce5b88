#include "app/connect/connect_options.h"

#include <QCommandLineParser>

#include <algorithm>

namespace app {
namespace {

// The names an option takes: the window's, with Net-SNMP's short spelling
// of the same code before them ("SHA" for SHA-1, "AES" for AES-128).
std::vector<NamedCode> withAlias(std::vector<NamedCode> names, NamedCode alias)
{
    const auto same = std::find_if(names.begin(), names.end(), [&](const NamedCode& n) { return n.code == alias.code; });
    names.insert(same, alias);
    return names;
}

const std::vector<NamedCode>& versionNames()
{
    static const std::vector<NamedCode> table{{"1", "1"}, {"2c", "2c"}, {"3", "3"}};
    return table;
}

const std::vector<NamedCode>& authProtocolNames()
{
    static const std::vector<NamedCode> table = withAlias(authProtocols(), {"SHA", "3"});
    return table;
}

const std::vector<NamedCode>& privProtocolNames()
{
    static const std::vector<NamedCode> table = withAlias(privProtocols(), {"AES", "4"});
    return table;
}

struct ValueOption {
    const char* name;
    const char* valueName;
    std::optional<std::string> ConnectOptions::*field;
    const std::vector<NamedCode>* names; // null: checked apart
};

const ValueOption kValueOptions[] = {
    {"port", "N", &ConnectOptions::port, nullptr},
    {"snmp-version", "1|2c|3", &ConnectOptions::version, &versionNames()},
    {"user", "NAME", &ConnectOptions::user, nullptr},
    {"security-level", "LEVEL", &ConnectOptions::securityLevel, &securityLevels()},
    {"auth-protocol", "P", &ConnectOptions::authProtocol, &authProtocolNames()},
    {"privacy-protocol", "P", &ConnectOptions::privProtocol, &privProtocolNames()},
    {"model", "MODEL", &ConnectOptions::model, nullptr},
};

std::string listed(const std::vector<NamedCode>& names)
{
    std::string list;
    for (const NamedCode& entry : names)
        list += (list.empty() ? "" : ", ") + std::string(entry.name);
    return list;
}

std::string invalidValue(const std::string& option, const std::string& value, const std::string& accepted)
{
    return "--" + option + ": invalid value \"" + value + "\"; accepted: " + accepted;
}

// "" when `value` is one `option` takes; the error, with what it takes, otherwise.
std::string valueError(const ValueOption& option, const std::string& value, const std::vector<InstalledModel>& models)
{
    const std::string name = option.name;
    if (option.names)
        return codeOfName(*option.names, value).empty() ? invalidValue(name, value, listed(*option.names)) : "";
    if (name == "port" && !isPort(value))
        return invalidValue(name, value, "a number from 1 to 65535");
    if (name == "model" && modelIndex(models, value) < 0) {
        std::string installed;
        for (const InstalledModel& model : models)
            installed += (installed.empty() ? "" : ", ") + model.name;
        return invalidValue(name, value, installed.empty() ? "none, no model is installed" : installed);
    }
    return "";
}

void setIfGiven(std::string& field, const std::optional<std::string>& value)
{
    if (value)
        field = *value;
}

void setIfEmpty(std::string& field, const std::string& value)
{
    if (field.empty())
        field = value;
}

} // namespace

bool isConventionalStart(const QStringList& arguments)
{
    if (arguments.size() < 2 || !arguments[1].startsWith("--"))
        return false;
    return !(arguments.size() == 2 && (arguments[1] == "--help" || arguments[1] == "--version"));
}

ConnectOptionsParse parseConnectOptions(const QStringList& arguments, const Environment& environment,
                                        const std::vector<InstalledModel>& models)
{
    ConnectOptionsParse result;
    QCommandLineParser parser;
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption connect("connect");
    const QCommandLineOption noVlanEdit("no-vlan-edit");
    const QCommandLineOption bulkReads("bulk-reads");
    const QCommandLineOption noBulkReads("no-bulk-reads");
    for (const QCommandLineOption* flag : {&connect, &noVlanEdit, &bulkReads, &noBulkReads})
        parser.addOption(*flag);
    for (const ValueOption& option : kValueOptions)
        parser.addOption(QCommandLineOption(option.name, {}, option.valueName));
    if (!parser.parse(arguments)) {
        result.error = parser.errorText().toStdString();
        return result;
    }
    const QStringList positional = parser.positionalArguments();
    if (!parser.isSet(connect) || positional.size() > 1) {
        result.error = "usage: qmx-module --connect [ADDRESS] [options]; see qmx-module --help";
        return result;
    }
    ConnectOptions& options = result.options;
    if (!positional.isEmpty()) {
        options.address = positional.front().toStdString();
        if (!addressProblem(*options.address).empty()) {
            result.error = invalidValue("connect", *options.address,
                                        "an IPv4 address (192.0.2.10), an IPv6 address or a host name");
            return result;
        }
    }
    for (const ValueOption& option : kValueOptions) {
        if (!parser.isSet(option.name))
            continue;
        std::string value = parser.value(option.name).toStdString();
        if (std::string error = valueError(option, value, models); !error.empty()) {
            result.error = std::move(error);
            return result;
        }
        options.*option.field = option.names ? codeOfName(*option.names, value) : std::move(value);
    }
    if (parser.isSet(bulkReads) && parser.isSet(noBulkReads)) {
        result.error = "--bulk-reads and --no-bulk-reads exclude each other";
        return result;
    }
    options.noVlanEdit = parser.isSet(noVlanEdit);
    if (parser.isSet(bulkReads) || parser.isSet(noBulkReads))
        options.bulkReads = parser.isSet(bulkReads);
    options.environment = {environment("QMX_READ_COMMUNITY"), environment("QMX_WRITE_COMMUNITY"),
                           environment("QMX_AUTH_PASSPHRASE"), environment("QMX_PRIV_PASSPHRASE")};
    return result;
}

const RecentSwitch* recentFor(const std::vector<RecentSwitch>& recents, const ConnectOptions& options)
{
    if (!options.address)
        return nullptr;
    const std::string address = normalisedAddress(*options.address);
    for (const RecentSwitch& entry : recents) {
        if (entry.address != address || (options.port && *options.port != entry.port) ||
            (options.version && *options.version != entry.version) || (options.user && *options.user != entry.user))
            continue;
        return &entry;
    }
    return nullptr;
}

ConnectForm applyOptions(ConnectForm form, const ConnectOptions& options)
{
    setIfGiven(form.address, options.address);
    setIfGiven(form.port, options.port);
    setIfGiven(form.version, options.version);
    setIfGiven(form.user, options.user);
    setIfGiven(form.securityLevel, options.securityLevel);
    setIfGiven(form.authProtocol, options.authProtocol);
    setIfGiven(form.privProtocol, options.privProtocol);
    if (options.noVlanEdit)
        form.vlanEdit = false;
    form.bulkReads = options.bulkReads.value_or(form.bulkReads);
    fillMissingSecrets(form, options.environment);
    return form;
}

void fillMissingSecrets(ConnectForm& form, const SwitchSecrets& secrets)
{
    setIfEmpty(form.readCommunity, secrets.readCommunity);
    setIfEmpty(form.writeCommunity, secrets.writeCommunity);
    setIfEmpty(form.authPassphrase, secrets.authPassphrase);
    setIfEmpty(form.privPassphrase, secrets.privPassphrase);
}

SwitchSecrets secretsOf(const ConnectForm& form)
{
    // Only what the session uses: hidden fields of the other version stay out.
    const snmp::SessionParameters used = sessionParametersOf(form);
    if (usesCommunities(form.version))
        return {used.readCommunity, used.writeCommunity, "", ""};
    return {"", "", used.authPassword, used.privPassword};
}

} // namespace app
