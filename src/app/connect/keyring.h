#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <string>

// Communities and pass phrases of one switch in the desktop's Secret Service
// keyring. Every job is asynchronous; its callback runs on the caller's
// thread, and not at all once `context` is gone.
namespace app {

struct SwitchSecrets {
    std::string readCommunity;
    std::string writeCommunity;
    std::string authPassphrase;
    std::string privPassphrase;

    bool operator==(const SwitchSecrets&) const = default;
};

class Keyring {
public:
    // Whether a Secret Service runs on the session bus or the bus starts one
    // on demand (local D-Bus round trips); `why` says what is missing when
    // neither.
    static bool available(QString* why = nullptr);

    using Done = std::function<void(bool ok)>;
    // `done` gets "" once the secrets are kept, else why not (a locked
    // keyring, a dismissed prompt).
    static void store(const std::string& key, const SwitchSecrets& secrets, QObject* context,
                      std::function<void(QString error)> done);
    // nullopt when there is no entry or the keyring could not be read.
    static void read(const std::string& key, QObject* context, std::function<void(std::optional<SwitchSecrets>)> done);
    static void remove(const std::string& key, QObject* context, Done done);

    static constexpr char kService[] = "qmx-module";
};

} // namespace app
