// scripts/bench freeze: the UI thread's longest stall while each case runs
// against a switch that never answers, one line per case.
#include "dialogs/background_close.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "platform/prompter.h"
#include "snmp/session_parameters.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

namespace {

using dialogs::switching::CVlanConfigurationDialog;

// A loopback UDP port that takes every request and answers none.
class SilentSwitch {
public:
    SilentSwitch()
    {
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t length = sizeof address;
        auto* named = reinterpret_cast<sockaddr*>(&address);
        if (::bind(m_socket, named, length) == 0 && ::getsockname(m_socket, named, &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~SilentSwitch() { ::close(m_socket); }
    SilentSwitch(const SilentSwitch&) = delete;
    SilentSwitch& operator=(const SilentSwitch&) = delete;
    std::uint16_t port() const { return m_port; }

private:
    int m_socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    std::uint16_t m_port = 0;
};

// "Could not read the switch." and the like, unseen.
struct Unseen : platform::Prompter {
    void inform(const std::string&, const std::string&) override {}
    void warn(const std::string&, const std::string&) override {}
    bool askOkCancel(const std::string&, const std::string&) override { return true; }
};

void runEvents(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
}

// The longest gap between the ticks of a 2 ms timer on the UI thread while
// `action` runs on it, and for 300 ms after.
qint64 longestStall(const std::function<void()>& action)
{
    qint64 longest = 0;
    QElapsedTimer sinceTick;
    QTimer ticker;
    ticker.setInterval(2);
    QObject::connect(&ticker, &QTimer::timeout, [&] { longest = std::max(longest, sinceTick.restart()); });
    sinceTick.start();
    ticker.start();
    QTimer::singleShot(20, action);
    runEvents(320);
    return longest;
}

// A VLAN Configuration dialog whose first reads are out to the silent switch.
std::unique_ptr<CVlanConfigurationDialog> dialogReading()
{
    auto dialog = std::make_unique<CVlanConfigurationDialog>(28, true);
    dialog->show();
    runEvents(50);
    return dialog;
}

struct Case {
    const char* name;
    std::function<qint64()> run;
};

const Case kCases[] = {
    {"close a dialog with a read out against a silent switch",
     [] {
         auto dialog = dialogReading();
         return longestStall([&dialog] {
             dialog->reject();
             dialog.reset();
         });
     }},
    {"Refresh pressed on a busy session",
     [] {
         auto dialog = dialogReading();
         return longestStall([&dialog] { dialog->refresh(); });
     }},
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    Unseen unseen;
    platform::setPrompter(&unseen);

    SilentSwitch silent;
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.agentPort = std::to_string(silent.port());
    snmp::setSessionParameters(parameters);

    for (const Case& c : kCases)
        std::printf("%s: longest UI stall %lld ms\n", c.name, static_cast<long long>(c.run()));
    std::fflush(stdout);
    dialogs::waitForBackgroundCloses(); // the abandoned requests time out behind the cases
    platform::setPrompter(nullptr);
    return 0;
}
