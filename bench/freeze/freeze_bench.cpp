// scripts/bench freeze: the UI thread's longest stall in each case where the
// module could wait on the network, against a switch that never answers.
#include "dialogs/background_close.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "platform/prompter.h"
#include "snmp/session_parameters.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

// Answers OK to every question and counts the messages.
class YesPrompter final : public platform::Prompter {
public:
    void inform(const std::string&, const std::string&) override { ++messages; }
    void warn(const std::string&, const std::string&) override { ++messages; }
    bool askOkCancel(const std::string&, const std::string&) override { return true; }
    int messages = 0;
};

// A local UDP port nothing reads: a switch that never answers.
class SilentPort {
public:
    SilentPort() : m_fd(socket(AF_INET, SOCK_DGRAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_fd >= 0 && bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) == 0
            && getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentPort() { close(m_fd); }
    SilentPort(const SilentPort&) = delete;
    SilentPort& operator=(const SilentPort&) = delete;
    std::uint16_t port() const { return m_port; }

private:
    int m_fd;
    std::uint16_t m_port = 0;
};

struct Bench {
    YesPrompter& prompter;
    SilentPort silent;

    // New sessions talk to `port` on this machine.
    void talkTo(std::uint16_t port) const
    {
        snmp::SessionParameters parameters = snmp::sessionParameters();
        parameters.agentAddress = "127.0.0.1";
        parameters.agentPort = std::to_string(port);
        snmp::setSessionParameters(parameters);
    }
};

// Starts the case, then processes events until `done` holds, while a 2 ms
// timer on the UI thread records the longest gap between its ticks.
qint64 longestStallMs(const std::function<void()>& start, const std::function<bool()>& done)
{
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    ticker.start();
    start();
    // The time the case itself took counts as a stall too.
    longest = std::max(longest, sinceTick.restart());
    while (!done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return longest;
}

// A VLAN Configuration dialog whose first reads are out to the silent switch.
std::unique_ptr<dialogs::switching::CVlanConfigurationDialog> dialogReading(Bench& bench)
{
    bench.talkTo(bench.silent.port());
    auto dialog = std::make_unique<dialogs::switching::CVlanConfigurationDialog>(28, true);
    dialog->show();
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 50)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    return dialog;
}

qint64 closeWithReadOut(Bench& bench)
{
    auto dialog = dialogReading(bench);
    QElapsedTimer clock;
    // Closed at once; the requests still out time out behind it.
    return longestStallMs(
        [&] {
            clock.start();
            dialog->reject();
            dialog.reset();
        },
        [&] { return clock.elapsed() > 300; });
}

qint64 refreshBusySession(Bench& bench)
{
    auto dialog = dialogReading(bench);
    // Until every read, the ones out and the ones Refresh queued, has ended.
    return longestStallMs([&] { dialog->refresh(); }, [&] { return !dialog->reading(); });
}

// One line each; a new case is one more row.
const std::vector<std::pair<const char*, qint64 (*)(Bench&)>> kCases = {
    {"close a dialog with a read out against a silent switch", &closeWithReadOut},
    {"Refresh pressed on a busy session", &refreshBusySession},
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    YesPrompter prompter;
    platform::setPrompter(&prompter);

    snmp::SessionParameters parameters;
    parameters.requestTimeout = "1000"; // each silent read ends after this
    snmp::setSessionParameters(parameters);
    Bench bench{prompter, {}};
    for (const auto& [name, run] : kCases)
        std::printf("%s: longest UI stall %lld ms\n", name, static_cast<long long>(run(bench)));
    std::fflush(stdout);
    dialogs::waitForBackgroundCloses(); // the abandoned requests time out behind the cases
    platform::setPrompter(nullptr);
    return 0;
}
