#include "dialogs/device_tools.h"

#include "commands/command_table.h"
#include "dialogs/about_dialog.h"
#include "dialogs/binding.h"
#include "dialogs/device_tool_rules.h"
#include "dialogs/dialog_session.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"
#include "snmp/set_journal.h"

#include <QCoreApplication>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QThreadPool>

#include <functional>

namespace dialogs {
namespace {

bool confirmed(const char* question)
{
    return platform::prompter().askOkCancel(question, {});
}

// Sends one set on a session of its own from a pool thread, so the UI thread
// never waits on the switch; `done` gets the status on the UI thread unless
// `owner` (when given) is gone by then. The pool is drained at program exit.
void sendOffUiThread(QObject* owner, const char* source, dialogs::Bindings set, int timeoutMs,
                     std::function<void(int)> done)
{
    const bool owned = owner != nullptr;
    QPointer<QObject> guard(owner);
    auto session = std::make_shared<dialogs::CDialogSession>("m_cCommonSNMPset",
                                                             std::make_shared<snmp::JournalContext>(source));
    QThreadPool::globalInstance()->start([session, set = std::move(set), timeoutMs, owned, guard,
                                          done = std::move(done)]() mutable {
        const int status = session->exchangeByGetNext(snmp::kPduSet, set, timeoutMs);
        session.reset();
        if (QCoreApplication* application = QCoreApplication::instance())
            QMetaObject::invokeMethod(
                application, [status, owned, guard, done = std::move(done)] {
                    if (!owned || guard)
                        done(status);
                },
                Qt::QueuedConnection);
    });
}

} // namespace

void startTelnet(const std::string& agentAddress)
{
    if (agentAddress.empty())
        return;
    // The program is not waited for; a failed start shows nothing.
    QProcess::startDetached(QStringLiteral("x-terminal-emulator"), dialogs::qTexts(dialogs::telnetArguments(agentAddress)));
}

void runTelnet(const std::string& agentAddress)
{
    if (confirmed(dialogs::kTelnetQuestion))
        startTelnet(agentAddress);
}

void runWeb(const std::string& agentAddress)
{
    if (!confirmed(dialogs::kWebQuestion))
        return;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        platform::prompter().warn(dialogs::kNoBrowserMessage, {});
        return;
    }
    QProcess::startDetached(opener, dialogs::qTexts(dialogs::browserArguments(agentAddress)));
}

void runSaveConfiguration(commands::MainWindowContext& context)
{
    if (!confirmed(dialogs::kSaveQuestion))
        return;
    sendOffUiThread(dynamic_cast<QObject*>(&context), "Save Configuration", dialogs::saveConfigurationSet(), dialogs::kSaveTimeoutMs,
                    [](int status) { platform::prompter().inform(dialogs::saveConfigurationReport(status), {}); });
}

void runReboot(commands::MainWindowContext& context)
{
    if (!confirmed(dialogs::kRebootQuestion))
        return;
    // The window stays hidden until the set has ended; the switch may
    // restart before it answers, and nothing is reported either way.
    context.beginDialog();
    sendOffUiThread(dynamic_cast<QObject*>(&context), "Reboot", dialogs::rebootSet(), 0,
                    [&context](int) { context.endDialog(); });
}

void runAbout(const std::string& deviceName)
{
    dialogs::CAboutDialog about(deviceName);
    about.exec();
}

} // namespace dialogs
