#include "app/module_app.h"

#include "app/command_line.h"
#include "app/device_description.h"
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

int CModuleApp::run(const std::function<int()>& runMainWindow)
{
    platform::installQtDebugSink();

    if (!snmp::snmpLayerInit()) {
        platform::prompter().warn("Failed to initialize communication port !", kCaption);
        return kExitRefused;
    }
    snmp::SnmpInit(); // result not checked: the layer is already up
    snmp::SetSnmpTimeout(kLegacySnmpTimeoutMs);

    const std::string line = commandLine(m_arguments);
    if (line.empty()) {
        platform::prompter().warn("No parameter input !", kCaption);
        return kExitRefused;
    }
    snmp::setSessionParameters(parseCommandLine(line));

    // By number: the same switch named two ways is still one instance.
    const std::string deviceName = readDeviceName(m_userIniPath);
    m_guard = std::make_unique<InstanceGuard>(instanceName(deviceName, snmp::destinationAddress(snmp::sessionParameters())));
    if (!m_guard->acquire())
        return kExitOtherInstance;

    return runMainWindow();
}

} // namespace app
