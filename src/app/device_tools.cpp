#include "app/device_tools.h"

#include "app/command_table.h"
#include "dialogs/about_dialog.h"
#include "dialogs/binding.h"
#include "dialogs/device_tool_rules.h"
#include "dialogs/dialog_session.h"
#include "dialogs/widgets.h"
#include "platform/prompter.h"
#include "snmp/common_snmp.h"

#include <QProcess>
#include <QStandardPaths>

namespace app {
namespace {

bool confirmed(const char* question)
{
    return platform::prompter().askOkCancel(question, {});
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

void runSaveConfiguration(snmp::CCommonSnmp& setSession)
{
    if (!confirmed(dialogs::kSaveQuestion))
        return;
    int status = snmp::kStatusNoAnswer;
    if (dialogs::prepare(setSession, snmp::kPduSet, dialogs::saveConfigurationSet())) {
        std::unique_ptr<snmp::CSnmpResponse> response;
        status = setSession.getNext(response, dialogs::kSaveTimeoutMs);
    }
    platform::prompter().inform(dialogs::saveConfigurationReport(status), {});
}

void runReboot(MainWindowContext& context)
{
    if (!confirmed(dialogs::kRebootQuestion))
        return;
    DialogScope hidden(context);
    // Its own session; the switch may restart before it answers.
    dialogs::CDialogSession reboot("m_cCommonSNMP");
    reboot.exchangeByGetNext(snmp::kPduSet, dialogs::rebootSet());
}

void runAbout(const std::string& deviceName)
{
    dialogs::CAboutDialog about(deviceName);
    about.exec();
}

} // namespace app
