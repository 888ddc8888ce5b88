#pragma once

#include "app/connect/connect_form.h"
#include "app/connect/keyring.h"
#include "app/connect/recent_switches.h"

#include <QStringList>

#include <functional>
#include <optional>
#include <string>

// The conventional command line: qmx-module --connect [ADDRESS] [--port N]
// [--snmp-version 1|2c|3] [--user NAME] [--security-level LEVEL]
// [--auth-protocol P] [--privacy-protocol P] [--model MODEL] [--no-vlan-edit]
// [--bulk-reads|--no-bulk-reads].
// Secrets come from the environment, the keyring or the window, never from
// an option.
namespace app {

struct ConnectOptions {
    std::optional<std::string> address;
    std::optional<std::string> port;
    std::optional<std::string> version;
    std::optional<std::string> user;
    std::optional<std::string> securityLevel; // as codes
    std::optional<std::string> authProtocol;
    std::optional<std::string> privProtocol;
    std::optional<std::string> model;
    bool noVlanEdit = false;
    std::optional<bool> bulkReads;
    SwitchSecrets environment; // QMX_READ_COMMUNITY, QMX_WRITE_COMMUNITY, QMX_AUTH_PASSPHRASE, QMX_PRIV_PASSPHRASE
};

struct ConnectOptionsParse {
    std::string error; // "" when parsed
    ConnectOptions options;
};

// A start the conventional way: the first argument is an option ("--...")
// other than --help and --version alone; the console's line starts with "/".
bool isConventionalStart(const QStringList& arguments);

using Environment = std::function<std::string(const char* name)>;
// `arguments` as QCoreApplication::arguments() gives them: program first.
// A value the module cannot use (an address shorthand, a port outside
// 1-65535, an unknown version, level or protocol, a model not among
// `models`) is an error that lists the accepted values.
ConnectOptionsParse parseConnectOptions(const QStringList& arguments, const Environment& environment,
                                        const std::vector<InstalledModel>& models);

// The recent entry the options point at (same address, and port, version
// and user where given), or nullptr.
const RecentSwitch* recentFor(const std::vector<RecentSwitch>& recents, const ConnectOptions& options);
// `base` with every option given and every secret from the environment.
ConnectForm applyOptions(ConnectForm base, const ConnectOptions& options);
// Secrets still empty in `form` taken from `secrets`.
void fillMissingSecrets(ConnectForm& form, const SwitchSecrets& secrets);
// The secrets the form's version and level use.
SwitchSecrets secretsOf(const ConnectForm& form);

} // namespace app
