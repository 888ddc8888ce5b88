#include "sim/switch_agent.h"

#include "platform/program_folder.h"
#include "sim/model_data.h"
#include "sim/oid_text.h"

#include <filesystem>

namespace sim {
namespace {

// Installed, the back end and its model files lie beside the running
// program; in the build tree and in tests the build's own are used.
std::string backEndCommand()
{
    const std::filesystem::path folder = platform::programFileFolder();
    std::error_code error;
    if (folder.empty() || !std::filesystem::exists(folder / "qmx-sim-backend", error))
        return QMX_SIM_BACKEND;
    std::string command = (folder / "qmx-sim-backend").string();
    if (std::filesystem::is_directory(folder / "models", error))
        command += " --models " + (folder / "models").string();
    return command;
}

// The model files the back end reads, as backEndCommand chooses them.
std::string modelDirectory(const SwitchAgentOptions& options)
{
    if (!options.modelDirectory.empty())
        return options.modelDirectory;
    const std::filesystem::path folder = platform::programFileFolder();
    std::error_code error;
    if (!folder.empty() && std::filesystem::exists(folder / "qmx-sim-backend", error)
        && std::filesystem::is_directory(folder / "models", error))
        return (folder / "models").string();
    return defaultModelDirectory();
}

} // namespace

SnmpdOptions switchAgentSnmpdOptions(const SwitchAgentOptions& options)
{
    SnmpdOptions snmpd;
    // No module that would show this host's own data (system group,
    // interfaces, processes); the back end serves the switch's instead.
    snmpd.modules = {"sysORTable", "snmp_mib",     "vacm_vars",    "vacm_conf",   "usmConf",
                     "usmUser",    "usmStats",     "snmpEngine",   "snmpMPDStats", "setSerialNo", "pass_persist", "proxy"};
    std::string command = backEndCommand() + " --model " + options.model + " --reboot-seconds " +
                          std::to_string(options.rebootSeconds);
    if (!options.requestLog.empty())
        command += " --log " + options.requestLog;
    if (options.fdbEntries >= 0)
        command += " --fdb-entries " + std::to_string(options.fdbEntries);
    if (!options.scenario)
        command += " --no-scenario";
    if (!options.modelDirectory.empty())
        command += " --models " + options.modelDirectory;
    command += faultOptions(options.faults);
    command += managerOptions(options.manager);
    // snmpd starts one back end per line, each with a state of its own.
    snmpd.passPersist = {".1.3.6.1 " + command + " --subtree .1.3.6.1",
                         ".1.0.8802.1.1.2 " + command + " --subtree .1.0.8802.1.1.2"};
    // pass_persist cannot answer a read with an error: snmpd's proxy can. A
    // proxy to a port nothing answers on fails with genErr at once; snmpd
    // answers a get or get-bulk that reaches OID so, but passes over it on a
    // get-next.
    for (const auto& error : options.faults.errorGets)
        snmpd.extraConfig.push_back("proxy -v 2c -c qmx-unanswered -t 0.05 -r 0 udp:127.0.0.1:9 " +
                                    dottedOid(error.oid));
    snmpd.port = options.port;
    snmpd.listenAddress = options.listenAddress;
    return snmpd;
}

std::unique_ptr<SnmpdProcess> startSwitchAgent(const SwitchAgentOptions& options, std::string* error)
{
    // Said here: the back end would refuse it where nobody sees, and the agent answer without the switch.
    ModelData model;
    if (options.manager.port > 0 && loadModel(modelDirectory(options), options.model, model)
        && options.manager.port > model.portCount) {
        if (error)
            *error = "--manager-port " + std::to_string(options.manager.port) + ": the " + options.model + " has " +
                     std::to_string(model.portCount) + " ports";
        return nullptr;
    }
    return SnmpdProcess::start(switchAgentSnmpdOptions(options), error);
}

} // namespace sim
