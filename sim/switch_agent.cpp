#include "sim/switch_agent.h"

namespace sim {

SnmpdOptions switchAgentSnmpdOptions(const SwitchAgentOptions& options)
{
    SnmpdOptions snmpd;
    // No module that would show this host's own data (system group,
    // interfaces, processes); the back end serves the switch's instead.
    snmpd.modules = {"sysORTable", "snmp_mib",     "vacm_vars",    "vacm_conf",   "usmConf",
                     "usmUser",    "usmStats",     "snmpEngine",   "snmpMPDStats", "setSerialNo", "pass_persist"};
    std::string command = std::string(QMX_SIM_BACKEND) + " --model " + options.model + " --reboot-seconds " +
                          std::to_string(options.rebootSeconds);
    if (!options.requestLog.empty())
        command += " --log " + options.requestLog;
    if (options.fdbEntries >= 0)
        command += " --fdb-entries " + std::to_string(options.fdbEntries);
    if (!options.scenario)
        command += " --no-scenario";
    // snmpd starts one back end per line, each with a state of its own.
    snmpd.passPersist = {".1.3.6.1 " + command + " --subtree .1.3.6.1",
                         ".1.0.8802.1.1.2 " + command + " --subtree .1.0.8802.1.1.2"};
    snmpd.port = options.port;
    return snmpd;
}

std::unique_ptr<SnmpdProcess> startSwitchAgent(const SwitchAgentOptions& options, std::string* error)
{
    return SnmpdProcess::start(switchAgentSnmpdOptions(options), error);
}

} // namespace sim
