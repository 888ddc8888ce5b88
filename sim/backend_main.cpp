// qmx-sim-backend: one simulated switch served to snmpd through pass_persist.
//   qmx-sim-backend --subtree <OID> --model <MODEL> [--models <DIR>] [--log <FILE>]
//                   [--reboot-seconds <N>] [--fdb-entries <N>] [--no-scenario]
//                   [--refuse-set <OID>[=<VALUE>]] [--silent-get <OID>] [--answer <OID>=<VALUE>]
//                   [--error-get <OID>[=<STATUS>]] [--manager-port <N> --manager-mac <MAC>]
//                   (their arguments %XX-encoded, as faultOptions writes them)
#include "sim/backend_link.h"
#include "sim/oid_text.h"
#include "sim/pass_persist_server.h"
#include "sim/relay_acceptor.h"

#include <cstdio>
#include <optional>
#include <cstdlib>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

struct Arguments {
    std::string model = "QMX-7720-ZA";
    std::string models = sim::defaultModelDirectory();
    std::string log;
    snmp::Oid subtree = {1, 3, 6, 1};
    sim::SwitchSettings settings;
};

bool parse(int argc, char** argv, Arguments& out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view name = argv[i];
        if (name == "--no-scenario") {
            out.settings.scenario = false;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (name == "--model")
            out.model = value;
        else if (name == "--models")
            out.models = value;
        else if (name == "--subtree") {
            if (!sim::parseDottedOid(value, out.subtree))
                return false;
        } else if (name == "--log")
            out.log = value;
        else if (name == "--reboot-seconds")
            out.settings.rebootTime = std::chrono::seconds(std::atoi(value.c_str()));
        else if (name == "--fdb-entries")
            out.settings.fdbEntries = std::atoi(value.c_str());
        else if (name.starts_with("--manager-")) {
            if (!sim::addManagerOption(name, value, out.settings.manager))
                return false;
        } else if (!sim::addFault(name, sim::percentDecoded(value), out.settings.faults))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    Arguments arguments;
    if (!parse(argc, argv, arguments)) {
        std::fprintf(stderr, "usage: qmx-sim-backend --subtree <OID> --model <MODEL> [--models <DIR>] [--log <FILE>] "
                             "[--reboot-seconds <N>] [--fdb-entries <N>] [--no-scenario] [--refuse-set <OID>[=<VALUE>]] "
                             "[--silent-get <OID>] [--answer <OID>=<VALUE>] [--error-get <OID>[=<STATUS>]] "
                             "[--manager-port <N> --manager-mac <MAC>]\n");
        return 2;
    }
    // A later back end of the same snmpd relays to the first one.
    const pid_t agent = getppid();
    sim::Descriptor listener = sim::listenForRelays(agent);
    if (!listener.valid()) {
        if (const sim::Descriptor server = sim::connectToServer(agent); server.valid()) {
            sim::relay(server, arguments.subtree, STDIN_FILENO, STDOUT_FILENO);
            return 0;
        }
    }
    sim::ModelData model;
    std::string error;
    if (!sim::loadModel(arguments.models, arguments.model, model, &error)) {
        std::fprintf(stderr, "qmx-sim-backend: %s\n", error.c_str());
        return 1;
    }
    if (arguments.settings.manager.port > model.portCount) {
        std::fprintf(stderr, "qmx-sim-backend: --manager-port %d: the %s has %d ports\n", arguments.settings.manager.port,
                     arguments.model.c_str(), model.portCount);
        return 1;
    }
    sim::SimulatedSwitch device(std::move(model), arguments.settings);
    std::mutex deviceMutex;
    sim::RequestLog log(arguments.log);
    std::optional<sim::RelayAcceptor> relays;
    if (listener.valid())
        relays.emplace(std::move(listener), device, deviceMutex, log);
    sim::PassPersistServer(device, deviceMutex, log, arguments.subtree, STDIN_FILENO, STDOUT_FILENO).run();
    return 0;
}
