// qmx-sim: runs one simulated switch until SIGTERM or SIGINT.
#include "sim/loopback_probe.h"
#include "sim/switch_agent.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace {

const char* const kUsage =
    "usage: qmx-sim [--model <MODEL>] [--listen <ADDRESS>] [--port <PORT>] [--log <FILE>]\n"
    "               [--reboot-seconds <N>] [--fdb-entries <N>] [--no-scenario]\n"
    "               [--refuse-set <OID>[=<VALUE>]]... [--silent-get <OID>]... [--answer <OID>=<VALUE>]...\n"
    "               [--error-get <OID>[=<STATUS>]]... [--manager-port <N> [--manager-mac <MAC>]]\n"
    "ADDRESS: a numeric IPv4 or IPv6 address of this host, 127.0.0.1 by default.\n"
    "Faults, for trying a manager's failure paths:\n"
    "  --refuse-set OID[=VALUE]  every set of OID (with VALUE only: of that value) is answered\n"
    "                            with an error and changes nothing\n"
    "  --silent-get OID          a get or get-next that asks for OID gets no answer: the agent\n"
    "                            holds it, and every request after it, for 8 s\n"
    "  --answer OID=VALUE        a read of OID answers VALUE in the object's own type\n"
    "  --error-get OID[=STATUS]  a get, get-next or get-bulk that reaches OID (or an object\n"
    "                            under it) is answered with error STATUS and its index:\n"
    "                            genErr by default, or a name (tooBig, noSuchName, badValue,\n"
    "                            readOnly, ...) or number of an SNMP error status; here,\n"
    "                            through snmpd, always genErr, and get-next passes over OID\n"
    "The manager's way in:\n"
    "  --manager-port N          the forwarding table holds the manager's MAC as learnt on port\n"
    "                            N (1-100, within the model's ports), in the VLAN of port N's\n"
    "                            PVID: a module finds the port it reaches the switch through\n"
    "  --manager-mac MAC         that MAC, as 00:11:22:33:44:55 or 00-11-22-33-44-55;\n"
    "                            00:00:00:00:00:00 by default, the next hop a module on\n"
    "                            loopback sees\n"
    "VALUE: a decimal number, a dotted address or object id, or text; an OCTET STRING\n"
    "may be given as 0x and hex digits (0xFFFF0000). A VALUE the type cannot hold is\n"
    "answered as an OCTET STRING.\n";

bool parse(int argc, char** argv, sim::SwitchAgentOptions& out)
{
    bool macGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--no-scenario") {
            out.scenario = false;
            continue;
        }
        if (name == "--help") {
            std::fputs(kUsage, stdout);
            std::exit(0);
        }
        if (i + 1 >= argc)
            return false;
        const char* value = argv[++i];
        if (name == "--model")
            out.model = value;
        else if (name == "--listen")
            out.listenAddress = value;
        else if (name == "--port")
            out.port = static_cast<std::uint16_t>(std::atoi(value));
        else if (name == "--log")
            out.requestLog = value;
        else if (name == "--reboot-seconds")
            out.rebootSeconds = std::atoi(value);
        else if (name == "--fdb-entries")
            out.fdbEntries = std::atoi(value);
        else if (name.starts_with("--manager-")) {
            if (!sim::addManagerOption(name, value, out.manager))
                return false;
            macGiven = macGiven || name == "--manager-mac";
        } else if (!sim::addFault(name, value, out.faults))
            return false;
    }
    // A MAC with no port would be learnt nowhere.
    return !macGiven || out.manager.port != 0;
}

} // namespace

int main(int argc, char** argv)
{
    sim::SwitchAgentOptions options;
    if (!parse(argc, argv, options)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    // Blocked before snmpd starts, so a signal cannot end us before we stop it.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    sigprocmask(SIG_BLOCK, &stopSignals, nullptr);

    std::string error;
    auto agent = sim::startSwitchAgent(options, &error);
    if (!agent) {
        std::fprintf(stderr, "qmx-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s simulated switch answering on %s (communities qevtal/morvint)\n", options.model.c_str(),
                sim::hostAndPort(options.listenAddress, agent->port()).c_str());
    std::fflush(stdout);
    int received = 0;
    sigwait(&stopSignals, &received);
    agent.reset();
    return 0;
}
