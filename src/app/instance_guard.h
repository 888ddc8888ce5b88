#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <cstdint>
#include <string>

namespace app {

// One running module per instance name and user. The holder listens on a
// local socket in the abstract namespace (nothing on disk, nothing left
// behind by a crash); a later start connects to it, which wakes the holder.
class InstanceGuard : public QObject {
    Q_OBJECT
public:
    explicit InstanceGuard(QString instanceName, QObject* parent = nullptr);
    ~InstanceGuard() override;

    // True when this process now holds the name. False when another process
    // of the same user holds it; that process has then been woken.
    bool acquire();
    bool holds() const { return m_server.isListening(); }

    // The socket name: the user id beside the instance name, so that another
    // user can neither block nor wake our module (long names are hashed to
    // fit the socket address).
    static QString socketName(const QString& instanceName);

signals:
    // Another start for the same name: the main window comes to the front.
    void wakeRequested();

private:
    enum class Holder { None, Ours, Foreign };
    Holder wakeHolder();
    void acceptConnections();

    QString m_socketName;
    QLocalServer m_server;
};

// "Module:" + device name + agent address, without separators, then ":" and
// the agent port: two agents behind one address are two switches.
QString instanceName(const std::string& deviceName, const std::string& agentAddress, std::uint16_t agentPort);

} // namespace app
