// scripts/bench freeze: the UI thread's longest stall in each case where the
// module waits on the network, against the simulated switch behind snmpd.
#include "../bench_support.h"
#include "commands/command_table.h"
#include "dialogs/background_close.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "app/connect/connect_window.h"
#include "dialogs/device_tools.h"
#include "platform/prompter.h"
#include "snmp/agent_address.h"
#include "snmp/snmp_layer.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QThread>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <functional>
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

// The main window as the device commands see it; records its dialog scopes.
class BenchWindow final : public commands::MainWindowContext {
public:
    const std::string& deviceName() const override { return m_name; }
    int portCount() const override { return 28; }
    int combinationPortCount() const override { return 4; }
    bool allGiga() const override { return false; }
    snmp::CCommonSnmp& setSession() override { std::abort(); }
    void beginDialog() override { ++begun; }
    void endDialog() override { ++ended; }
    int begun = 0, ended = 0;

private:
    std::string m_name = "QMX-7720-ZA";
};

// A local UDP port nothing reads: a switch that never answers. (Pausing the
// agent would not do: it would act on the held requests when resumed, and a
// reboot would silence it for the cases after.)
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
    sim::SnmpdProcess& agent;
    YesPrompter& prompter;
    SilentPort silent;

    // New sessions talk to the silent port, or to the agent.
    void talkTo(std::uint16_t port) const
    {
        snmp::SessionParameters parameters = snmp::sessionParameters();
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

qint64 saveSilent(Bench& bench)
{
    BenchWindow window;
    const int before = bench.prompter.messages;
    bench.talkTo(bench.silent.port());
    const qint64 stall = longestStallMs([&] { dialogs::runSaveConfiguration(window); },
                                        [&] { return bench.prompter.messages > before; });
    bench.talkTo(bench.agent.port());
    return stall;
}

qint64 rebootSilent(Bench& bench)
{
    BenchWindow window;
    bench.talkTo(bench.silent.port());
    const qint64 stall = longestStallMs([&] { dialogs::runReboot(window); }, [&] { return window.ended > 0; });
    bench.talkTo(bench.agent.port());
    return stall;
}

std::string slowResolver(const std::string&)
{
    QThread::msleep(2000);
    return "127.0.0.1";
}

qint64 connectSlowName(Bench& bench)
{
    snmp::setResolver(&slowResolver);
    app::ConnectWindow window({.models = app::findInstalledModels(QMX_SOURCE_MODELS_DIR), .transport = snmp::netSnmpTransport(),
                               .options = {}, .settings = [] { return std::unique_ptr<QSettings>(); }, .claim = {}});
    window.show();
    window.findChild<QLineEdit*>(QStringLiteral("address"))->setText(QStringLiteral("switch.bench.invalid"));
    window.findChild<QLineEdit*>(QStringLiteral("port"))->setText(QString::number(bench.agent.port()));
    window.findChild<QLineEdit*>(QStringLiteral("readCommunity"))->setText(QStringLiteral("qevtal"));
    auto* version = window.findChild<QComboBox*>(QStringLiteral("version"));
    version->setCurrentIndex(version->findData(QStringLiteral("1")));
    bool ended = false;
    QObject::connect(&window, &app::ConnectWindow::attemptEnded, [&ended] { ended = true; });
    const qint64 stall = longestStallMs([&] { window.findChild<QPushButton*>(QStringLiteral("connect"))->click(); },
                                        [&] { return ended; });
    snmp::setResolver(nullptr);
    if (window.result() != QDialog::Accepted)
        std::fprintf(stderr, "bench_freeze: connect failed: %s\n", window.statusText().toStdString().c_str());
    return stall;
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
    const qint64 stall = longestStallMs(
        [&] {
            clock.start();
            dialog->reject();
            dialog.reset();
        },
        [&] { return clock.elapsed() > 300; });
    bench.talkTo(bench.agent.port());
    return stall;
}

qint64 refreshBusySession(Bench& bench)
{
    auto dialog = dialogReading(bench);
    // Until every read, the ones out and the ones Refresh queued, has ended.
    const qint64 stall = longestStallMs([&] { dialog->refresh(); }, [&] { return !dialog->reading(); });
    bench.talkTo(bench.agent.port());
    return stall;
}

// One line each; a new case is one more row.
const std::vector<std::pair<const char*, qint64 (*)(Bench&)>> kCases = {
    {"Save against a silent switch", &saveSilent},
    {"Reboot against a silent switch", &rebootSilent},
    {"Connect by a host name whose resolution takes 2 s", &connectSlowName},
    {"close a dialog with a read out against a silent switch", &closeWithReadOut},
    {"Refresh pressed on a busy session", &refreshBusySession},
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (!snmp::snmpLayerInit())
        return 1;
    YesPrompter prompter;
    platform::setPrompter(&prompter);

    sim::SwitchAgentOptions options;
    options.scenario = false;
    const auto agent = startBenchAgent("bench_freeze", options);
    if (!agent)
        return 1;
    Bench bench{*agent, prompter, {}};
    for (const auto& [name, run] : kCases)
        std::printf("%s: longest UI stall %lld ms\n", name, static_cast<long long>(run(bench)));
    std::printf("(target <= 50 ms each; the idle UI thread's longest stall over 2 s: %lld ms)\n",
                static_cast<long long>(idleStallMs(2000)));
    std::fflush(stdout);
    dialogs::waitForBackgroundCloses(); // the abandoned requests time out behind the cases
    return 0;
}
