#include "app/connect/keyring.h"

#include <qt6keychain/keychain.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonDocument>
#include <QJsonObject>

namespace app {
namespace {

constexpr char kSecretService[] = "org.freedesktop.secrets";

QByteArray encode(const SwitchSecrets& secrets)
{
    QJsonObject object{{"readCommunity", QString::fromStdString(secrets.readCommunity)},
                       {"writeCommunity", QString::fromStdString(secrets.writeCommunity)},
                       {"authPassphrase", QString::fromStdString(secrets.authPassphrase)},
                       {"privPassphrase", QString::fromStdString(secrets.privPassphrase)}};
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<SwitchSecrets> decode(const QByteArray& data)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    auto field = [&](const char* name) { return object.value(name).toString().toStdString(); };
    return SwitchSecrets{field("readCommunity"), field("writeCommunity"), field("authPassphrase"),
                         field("privPassphrase")};
}

template <typename Job>
Job* makeJob(const std::string& key)
{
    auto* job = new Job(QString::fromLatin1(Keyring::kService));
    job->setAutoDelete(true);
    // Nothing secret ever goes to a plain file when no keyring answers.
    job->setInsecureFallback(false);
    job->setKey(QString::fromStdString(key));
    return job;
}

} // namespace

bool Keyring::available(QString* why)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString reason;
    if (!bus.isConnected())
        reason = "No desktop session bus answers, so no keyring can keep pass phrases.";
    else if (!bus.interface()
             || (!bus.interface()->isServiceRegistered(kSecretService).value()
                 && !bus.interface()->activatableServiceNames().value().contains(kSecretService)))
        reason = "No Secret Service keyring runs in this desktop session.";
    if (why)
        *why = reason;
    return reason.isEmpty();
}

void Keyring::store(const std::string& key, const SwitchSecrets& secrets, QObject* context,
                    std::function<void(QString error)> done)
{
    auto* job = makeJob<QKeychain::WritePasswordJob>(key);
    job->setBinaryData(encode(secrets));
    QObject::connect(job, &QKeychain::Job::finished, context, [done = std::move(done)](QKeychain::Job* finished) {
        if (finished->error() == QKeychain::NoError)
            done(QString());
        else
            done(finished->errorString().isEmpty() ? QString("the keyring refused") : finished->errorString());
    });
    job->start();
}

void Keyring::read(const std::string& key, QObject* context, std::function<void(std::optional<SwitchSecrets>)> done)
{
    auto* job = makeJob<QKeychain::ReadPasswordJob>(key);
    QObject::connect(job, &QKeychain::Job::finished, context, [done = std::move(done)](QKeychain::Job* finished) {
        auto* reader = static_cast<QKeychain::ReadPasswordJob*>(finished);
        done(reader->error() == QKeychain::NoError ? decode(reader->binaryData()) : std::nullopt);
    });
    job->start();
}

void Keyring::remove(const std::string& key, QObject* context, Done done)
{
    auto* job = makeJob<QKeychain::DeletePasswordJob>(key);
    QObject::connect(job, &QKeychain::Job::finished, context, [done = std::move(done)](QKeychain::Job* finished) {
        done(finished->error() == QKeychain::NoError || finished->error() == QKeychain::EntryNotFound);
    });
    job->start();
}

} // namespace app
