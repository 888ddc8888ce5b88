#include "app/instance_guard.h"
#include "qt_wait.h"

#include <QCoreApplication>
#include <QLocalSocket>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

#include <sys/wait.h>
#include <unistd.h>

using app::InstanceGuard;

namespace {

// Distinct per test process, so parallel test runs do not meet.
QString uniqueName(const char* tag)
{
    return QStringLiteral("Module:QMX-7720-ZA-test-%1-%2").arg(getpid()).arg(QString::fromLatin1(tag));
}

// Runs `body` in a child process as the unprivileged "nobody"; `ready` once
// `body` succeeded there. The child waits to be ended.
class ForeignUserProcess {
public:
    explicit ForeignUserProcess(const std::function<bool()>& body)
    {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        if ((m_pid = fork()) == 0) {
            if (setgid(65534) == 0 && setuid(65534) == 0 && body())
                (void)!write(fds[1], "1", 1);
            close(fds[1]); // a failed body must not leave the parent waiting
            pause();
            _exit(0);
        }
        close(fds[1]);
        char done = 0;
        ready = m_pid > 0 && read(fds[0], &done, 1) == 1;
        close(fds[0]);
    }
    ~ForeignUserProcess()
    {
        if (m_pid > 0 && kill(m_pid, SIGKILL) == 0)
            waitpid(m_pid, nullptr, 0);
    }
    bool ready = false;

private:
    pid_t m_pid = -1;
};

} // namespace

TEST(InstanceGuard, SecondGuardForAHeldNameWakesTheHolderOthersRunAndAFreedNameIsFree)
{
    // DeviceName may hold 259 characters: names that differ only at their end stay apart.
    const QString longName(259, QLatin1Char('L'));
    InstanceGuard first(longName + uniqueName("same"));
    ASSERT_TRUE(first.acquire() && first.holds());
    int wakes = 0;
    QObject::connect(&first, &InstanceGuard::wakeRequested, [&] { ++wakes; });
    {
        InstanceGuard second(longName + uniqueName("same"));
        EXPECT_FALSE(second.acquire() || second.holds());
        EXPECT_TRUE(waitUntil([&] { return wakes > 0; }, 5000));
        InstanceGuard other(longName + uniqueName("other"));
        EXPECT_TRUE(other.acquire() && other.holds());
    }
    InstanceGuard next(longName + uniqueName("other"));
    EXPECT_TRUE(next.acquire() && next.holds());

    // The socket address carries the user and holds far fewer characters.
    const QString user = QLatin1Char('.') + QString::number(getuid()) + QLatin1Char('.');
    const QString shortName = InstanceGuard::socketName(app::instanceName("QMX-7720-ZA", "192.0.2.10", 161));
    EXPECT_TRUE(shortName.endsWith(QStringLiteral("Module:QMX-7720-ZA192.0.2.10:161")) && shortName.contains(user));
    const QString longSocket = InstanceGuard::socketName(longName + uniqueName("same"));
    EXPECT_TRUE(longSocket.toUtf8().size() <= 100 && longSocket.contains(user));
}

TEST(InstanceGuard, AnotherUserCanNeitherBlockNorWakeOurs)
{
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to start a process as another user";

    // Another user takes our exact socket name: we still start.
    const QString squatted = InstanceGuard::socketName(uniqueName("squatted"));
    ForeignUserProcess squatter([&] {
        auto* server = new QLocalServer; // lives until the child is ended
        server->setSocketOptions(QLocalServer::AbstractNamespaceOption);
        return server->listen(squatted);
    });
    ASSERT_TRUE(squatter.ready);
    InstanceGuard blocked(uniqueName("squatted"));
    EXPECT_TRUE(blocked.acquire());

    // Another user connects to our listener: that is no wake-up.
    InstanceGuard ours(uniqueName("woken"));
    ASSERT_TRUE(ours.acquire());
    const QString ourSocket = InstanceGuard::socketName(uniqueName("woken"));
    ForeignUserProcess intruder([&] {
        QLocalSocket socket;
        socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
        socket.connectToServer(ourSocket);
        return socket.waitForConnected(1000);
    });
    ASSERT_TRUE(intruder.ready);
    InstanceGuard sameUser(uniqueName("woken"));
    EXPECT_FALSE(sameUser.acquire());

    int wakes = 0;
    QObject::connect(&ours, &InstanceGuard::wakeRequested, [&] { ++wakes; });
    EXPECT_TRUE(waitUntil([&] { return wakes > 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(wakes, 1); // ours only, not the intruder's
}
