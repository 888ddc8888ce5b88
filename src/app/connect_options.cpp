#include "app/connect_options.h"

#include <QCommandLineParser>

namespace app {
namespace {

struct ValueOption {
    const char* name;
    const char* valueName;
    std::optional<std::string> ConnectOptions::*field;
    const std::vector<NamedCode>* names; // null: taken as written
};

const ValueOption kValueOptions[] = {
    {"port", "N", &ConnectOptions::port, nullptr},
    {"snmp-version", "1|2c|3", &ConnectOptions::version, nullptr},
    {"user", "NAME", &ConnectOptions::user, nullptr},
    {"security-level", "LEVEL", &ConnectOptions::securityLevel, &securityLevels()},
    {"auth-protocol", "P", &ConnectOptions::authProtocol, &authProtocols()},
    {"privacy-protocol", "P", &ConnectOptions::privProtocol, &privProtocols()},
    {"model", "MODEL", &ConnectOptions::model, nullptr},
};

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

ConnectOptionsParse parseConnectOptions(const QStringList& arguments, const Environment& environment)
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
    if (!positional.isEmpty())
        options.address = positional.front().toStdString();
    for (const ValueOption& option : kValueOptions) {
        if (!parser.isSet(option.name))
            continue;
        std::string value = parser.value(option.name).toStdString();
        if (option.names) {
            std::string code = codeOfName(*option.names, value);
            if (code.empty()) {
                result.error = "--" + std::string(option.name) + ": unknown value \"" + value + "\"";
                return result;
            }
            value = std::move(code);
        }
        options.*option.field = std::move(value);
    }
    if (options.version && !usesCommunities(*options.version) && *options.version != "3") {
        result.error = "--snmp-version: 1, 2c or 3";
        return result;
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
