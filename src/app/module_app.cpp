#include "app/module_app.h"

#include "app/command_line.h"
#include "app/device_description.h"
#include "platform/program_folder.h"
#include "app/user_settings.h"
#include "platform/prompter.h"
#include "platform/qt_debug_sink.h"
#include "snmp/agent_address.h"
#include "snmp/session_parameters.h"
#include "snmp/snmp_layer.h"

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

CModuleApp::CModuleApp(QStringList arguments) : m_arguments(std::move(arguments)), m_userIniPath(userIniPath()) {}

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

int CModuleApp::runForSwitch(const std::string& deviceName, const std::function<int()>& runMainWindow)
{
    // By number: the same switch named two ways is still one instance.
    m_guard = std::make_unique<InstanceGuard>(instanceName(deviceName, snmp::destinationAddress(snmp::sessionParameters())));
    if (!m_guard->acquire())
        return kExitOtherInstance;
    return runMainWindow();
}

int CModuleApp::run(const std::function<int()>& runMainWindow)
{
    if (!initialiseSnmp())
        return kExitRefused;

    const std::string line = commandLine(m_arguments);
    if (line.empty()) {
        platform::prompter().warn("No parameter input !", kCaption);
        return kExitRefused;
    }
    snmp::SessionParameters parameters = parseCommandLine(line);
    parameters.bulkReads = readTablesInBulk();
    snmp::setSessionParameters(parameters);
    return runForSwitch(readDeviceName(m_userIniPath), runMainWindow);
}

int CModuleApp::runConnect(const Ask& ask, const std::function<int()>& runMainWindow)
{
    if (!initialiseSnmp())
        return kExitRefused;
    const std::optional<ConnectOutcome> outcome = ask();
    if (!outcome)
        return kExitCancelled;
    snmp::setSessionParameters(outcome->parameters);
    platform::setModelFolder(outcome->model.folder);
    return runForSwitch(outcome->model.name, runMainWindow);
}

} // namespace app
