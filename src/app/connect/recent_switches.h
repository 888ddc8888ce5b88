#pragma once

#include "app/connect/connect_form.h"
#include "app/user_settings.h"

#include <QSettings>

#include <array>
#include <memory>
#include <string>
#include <vector>

// The switches connected before, newest first, in the user's configuration
// folder. Never a community or pass phrase: those live in the keyring.
namespace app {

struct RecentSwitch {
    std::string address;
    std::string port = "161";
    std::string version = "3";
    std::string user;
    std::string securityLevel = "1";
    std::string authProtocol;
    std::string privProtocol;
    std::string model;
    bool vlanEdit = true;
    bool secretsInKeyring = false;

    bool operator==(const RecentSwitch&) const = default;
};

constexpr std::size_t kMaxRecentSwitches = 10;

// The form's settings without its secrets.
RecentSwitch recentSwitchOf(const ConnectForm& form, const std::string& model, bool secretsInKeyring);
// The form an entry fills (secrets empty).
ConnectForm formOf(const RecentSwitch& entry);
// One switch is one address and port, whatever the credentials.
bool sameSwitch(const RecentSwitch& a, const RecentSwitch& b);
// `entry` first, any older entry for the same switch dropped, at most kMaxRecentSwitches.
std::vector<RecentSwitch> withConnected(std::vector<RecentSwitch> list, const RecentSwitch& entry);
// The list's columns: address, version, user, model; for example
// "192.0.2.10:161", "v3 authPriv SHA-256/AES-128", "admin", "QMX-7720-ZA".
constexpr std::size_t kRecentColumns = 4;
std::array<std::string, kRecentColumns> recentColumns(const RecentSwitch& entry);
// The keyring entry's name: one per switch, like the list's entries.
std::string keyringKey(const RecentSwitch& entry);

std::vector<RecentSwitch> loadRecentSwitches(QSettings& settings);
void saveRecentSwitches(QSettings& settings, const std::vector<RecentSwitch>& list);

} // namespace app
