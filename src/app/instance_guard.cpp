#include "app/instance_guard.h"

#include "platform/debug_output.h"

#include <QCryptographicHash>
#include <QLocalSocket>

#include <sys/socket.h>
#include <unistd.h>

namespace app {
namespace {

constexpr int kConnectTimeoutMs = 1000;
// sun_path holds 108 bytes; the abstract namespace spends one on its marker.
constexpr qsizetype kMaxSocketNameBytes = 100;

// The user id of the process at the other end of a connected local socket.
bool peerUid(qintptr descriptor, uid_t& uid)
{
    ucred credentials{};
    socklen_t length = sizeof credentials;
    if (getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &length) != 0)
        return false;
    uid = credentials.uid;
    return true;
}

bool isOwnUser(qintptr descriptor)
{
    uid_t uid = 0;
    return peerUid(descriptor, uid) && uid == getuid();
}

} // namespace

QString instanceName(const std::string& deviceName, const std::string& agentAddress, std::uint16_t agentPort)
{
    // The port has no ":", so the last one ends the address, an IPv6 one too.
    return QStringLiteral("Module:") + QString::fromStdString(deviceName) + QString::fromStdString(agentAddress) +
           QLatin1Char(':') + QString::number(agentPort);
}

QString InstanceGuard::socketName(const QString& instanceName)
{
    const QString prefix = QStringLiteral("qmx-module.%1.").arg(getuid());
    const QString readable = prefix + instanceName;
    if (readable.toUtf8().size() <= kMaxSocketNameBytes)
        return readable;
    return prefix + QString::fromLatin1(QCryptographicHash::hash(instanceName.toUtf8(), QCryptographicHash::Sha256).toHex());
}

InstanceGuard::InstanceGuard(QString instanceName, QObject* parent)
    : QObject(parent), m_socketName(socketName(instanceName))
{
    m_server.setSocketOptions(QLocalServer::AbstractNamespaceOption);
    connect(&m_server, &QLocalServer::newConnection, this, &InstanceGuard::acceptConnections);
}

InstanceGuard::~InstanceGuard() = default;

InstanceGuard::Holder InstanceGuard::wakeHolder()
{
    QLocalSocket socket;
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
    socket.connectToServer(m_socketName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return Holder::None;
    // Someone else's listener on our name must not keep our module from
    // starting; it is neither woken nor obeyed.
    if (!isOwnUser(socket.socketDescriptor()))
        return Holder::Foreign;
    // The connection itself is the wake-up call.
    socket.disconnectFromServer();
    return Holder::Ours;
}

bool InstanceGuard::acquire()
{
    if (m_server.isListening())
        return true;
    // Two attempts: a rival may take the name between our probe and listen.
    for (int attempt = 0; attempt < 2; ++attempt) {
        switch (wakeHolder()) {
        case Holder::Ours:
            return false;
        case Holder::Foreign:
            platform::debugOutput("instance name held by another user; running unguarded");
            return true;
        case Holder::None:
            break;
        }
        if (m_server.listen(m_socketName))
            return true;
    }
    platform::debugOutput("instance guard unavailable; running unguarded");
    return true;
}

void InstanceGuard::acceptConnections()
{
    while (QLocalSocket* socket = m_server.nextPendingConnection()) {
        const bool ours = isOwnUser(socket->socketDescriptor());
        socket->abort();
        socket->deleteLater();
        if (ours)
            emit wakeRequested();
    }
}

} // namespace app
