#include "app/module_app.h"

#include "app/command_line.h"
#include "app/connect/device_description.h"
#include "platform/program_folder.h"
#include "app/user_settings.h"
#include "platform/prompter.h"
#include "platform/qt_debug_sink.h"
#include "snmp/agent_address.h"
#include "snmp/session_parameters.h"
#include "snmp/snmp_layer.h"

#include <cstdio>
#include <vector>

namespace app {
namespace {

constexpr char kCaption[] = "qmx-module";

std::string commandLine(const QStringList& arguments)
{
    std::vector<std::string> words;
    for (qsizetype i = 1; i < arguments.size(); ++i)
        words.push_back(arguments[i].toStdString());
    return joinArguments(words);
}

} // namespace

CModuleApp::CModuleApp(QStringList arguments) : m_arguments(std::move(arguments)), m_userIniPath(userIniPath())
{
    // Not part of the console's line.
    m_noChangeLog = takeNoChangeLogOption(m_arguments);
}

CModuleApp::~CModuleApp() = default;

bool CModuleApp::initialiseSnmp()
{
    platform::installQtDebugSink();

    if (!snmp::snmpLayerInit()) {
        platform::prompter().warn("Failed to initialize communication port !", kCaption);
        return false;
    }
    snmp::SnmpInit(); // result not checked: the layer is already up
    snmp::SetSnmpTimeout(kLegacySnmpTimeoutMs);
    return true;
}

bool CModuleApp::takeInstance(const std::string& deviceName)
{
    // By number: the same switch named two ways is still one instance.
    const snmp::SessionParameters& parameters = snmp::sessionParameters();
    m_guard = std::make_unique<InstanceGuard>(
        instanceName(deviceName, snmp::destinationAddress(parameters), snmp::agentPortNumber(parameters)));
    return m_guard->acquire();
}

int CModuleApp::run(const std::function<int()>& runMainWindow)
{
    if (!initialiseSnmp())
        return kExitRefused;

    const std::string line = commandLine(m_arguments);
    if (line.empty()) {
        platform::prompter().warn("No parameter input !", kCaption);
        platform::prompter().inform("To connect to a switch, start qmx-module --connect; qmx-module --help lists the options.",
                                    kCaption);
        return kExitRefused;
    }
    ConsoleStart start = readConsoleLine(line);
    if (!start.refusal.empty()) {
        platform::prompter().warn(start.refusal, kCaption);
        return kExitRefused;
    }
    start.parameters.bulkReads = readTablesInBulk();
    snmp::setSessionParameters(start.parameters);
    // The console's own second start: the first window comes up, silently.
    const std::string deviceName = readDeviceName(m_userIniPath);
    if (!takeInstance(deviceName))
        return kExitOtherInstance;
    return runWithJournal(deviceName, runMainWindow);
}

int CModuleApp::runWithJournal(const std::string& model, const std::function<int()>& runMainWindow)
{
    m_journal.start(model, m_noChangeLog);
    const int result = runMainWindow();
    m_journal.flush();
    return result;
}

int CModuleApp::runConnect(const Ask& ask, const std::function<int()>& runMainWindow)
{
    if (!initialiseSnmp())
        return kExitRefused;
    bool claimed = false;
    bool alreadyOpen = false;
    const Claim claim = [&](const ConnectOutcome& outcome) {
        snmp::setSessionParameters(outcome.parameters);
        if (!takeInstance(outcome.model.name)) {
            alreadyOpen = true;
            const snmp::SessionParameters& p = snmp::sessionParameters();
            std::fprintf(stderr, "qmx-module: the window of %s at %s port %u is already open; it was brought to the front.\n",
                         outcome.model.name.c_str(), p.agentAddress.c_str(), unsigned{snmp::agentPortNumber(p)});
            return false;
        }
        claimed = true;
        platform::setModelFolder(outcome.model.folder);
        return true;
    };
    const std::optional<ConnectOutcome> outcome = ask(claim);
    if (!outcome)
        return alreadyOpen ? kExitOtherInstance : kExitCancelled;
    if (!claimed && !claim(*outcome))
        return kExitOtherInstance;
    return runWithJournal(outcome->model.name, runMainWindow);
}

} // namespace app
