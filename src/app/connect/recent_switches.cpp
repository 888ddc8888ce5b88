#include "app/connect/recent_switches.h"

#include <algorithm>

namespace app {
namespace {

constexpr char kGroup[] = "recentSwitches";

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

std::string read(const QSettings& settings, const char* key, const char* fallback = "")
{
    return settings.value(key, fallback).toString().toStdString();
}

} // namespace

RecentSwitch recentSwitchOf(const ConnectForm& form, const std::string& model, bool secretsInKeyring)
{
    RecentSwitch entry;
    entry.address = normalisedAddress(form.address);
    entry.port = form.port;
    entry.version = form.version;
    entry.vlanEdit = form.vlanEdit;
    entry.model = model;
    entry.secretsInKeyring = secretsInKeyring;
    if (form.version == "3") {
        entry.user = form.user;
        entry.securityLevel = form.securityLevel;
        if (form.securityLevel != "1")
            entry.authProtocol = form.authProtocol;
        if (form.securityLevel == "3")
            entry.privProtocol = form.privProtocol;
    }
    return entry;
}

ConnectForm formOf(const RecentSwitch& entry)
{
    ConnectForm form;
    form.address = entry.address;
    form.port = entry.port;
    form.version = entry.version;
    form.vlanEdit = entry.vlanEdit;
    form.user = entry.user;
    form.securityLevel = entry.securityLevel;
    if (!entry.authProtocol.empty())
        form.authProtocol = entry.authProtocol;
    if (!entry.privProtocol.empty())
        form.privProtocol = entry.privProtocol;
    return form;
}

bool sameSwitch(const RecentSwitch& a, const RecentSwitch& b)
{
    return a.address == b.address && a.port == b.port;
}

std::vector<RecentSwitch> withConnected(std::vector<RecentSwitch> list, const RecentSwitch& entry)
{
    std::erase_if(list, [&](const RecentSwitch& old) { return sameSwitch(old, entry); });
    list.insert(list.begin(), entry);
    if (list.size() > kMaxRecentSwitches)
        list.resize(kMaxRecentSwitches);
    return list;
}

std::array<std::string, kRecentColumns> recentColumns(const RecentSwitch& entry)
{
    const bool bracketed = entry.address.find(':') != std::string::npos;
    std::string version = "v" + entry.version;
    if (entry.version == "3") {
        version += " " + nameOfCode(securityLevels(), entry.securityLevel);
        if (!entry.authProtocol.empty())
            version += " " + nameOfCode(authProtocols(), entry.authProtocol);
        if (!entry.privProtocol.empty())
            version += "/" + nameOfCode(privProtocols(), entry.privProtocol);
    }
    return {(bracketed ? "[" + entry.address + "]" : entry.address) + ":" + entry.port, version,
            entry.version == "3" ? entry.user : "", entry.model};
}

std::string keyringKey(const RecentSwitch& entry)
{
    return entry.address + "/" + entry.port;
}

std::vector<RecentSwitch> loadRecentSwitches(QSettings& settings)
{
    std::vector<RecentSwitch> list;
    const int count = settings.beginReadArray(kGroup);
    for (int i = 0; i < count && list.size() < kMaxRecentSwitches; ++i) {
        settings.setArrayIndex(i);
        RecentSwitch entry;
        entry.address = read(settings, "address");
        entry.port = read(settings, "port", "161");
        entry.version = read(settings, "version", "3");
        entry.user = read(settings, "user");
        entry.securityLevel = read(settings, "securityLevel", "1");
        entry.authProtocol = read(settings, "authProtocol");
        entry.privProtocol = read(settings, "privProtocol");
        entry.model = read(settings, "model");
        entry.vlanEdit = settings.value("vlanEdit", true).toBool();
        entry.secretsInKeyring = settings.value("secretsInKeyring", false).toBool();
        if (!entry.address.empty())
            list.push_back(std::move(entry));
    }
    settings.endArray();
    return list;
}

void saveRecentSwitches(QSettings& settings, const std::vector<RecentSwitch>& list)
{
    settings.remove(kGroup);
    settings.beginWriteArray(kGroup, static_cast<int>(list.size()));
    for (int i = 0; i < static_cast<int>(list.size()); ++i) {
        const RecentSwitch& entry = list[static_cast<std::size_t>(i)];
        settings.setArrayIndex(i);
        settings.setValue("address", text(entry.address));
        settings.setValue("port", text(entry.port));
        settings.setValue("version", text(entry.version));
        settings.setValue("user", text(entry.user));
        settings.setValue("securityLevel", text(entry.securityLevel));
        settings.setValue("authProtocol", text(entry.authProtocol));
        settings.setValue("privProtocol", text(entry.privProtocol));
        settings.setValue("model", text(entry.model));
        settings.setValue("vlanEdit", entry.vlanEdit);
        settings.setValue("secretsInKeyring", entry.secretsInKeyring);
    }
    settings.endArray();
    settings.sync();
}

} // namespace app
