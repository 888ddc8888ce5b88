#include "snmp/snmp_layer.h"

#include "snmp/udp_transport.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <atomic>
#include <cstdlib>
#include <mutex>

namespace snmp {
namespace {

std::atomic<int> g_defaultTimeoutMs{5000};

struct Layer {
    std::shared_ptr<UdpTransport> transport;
};

Layer g_layer;

void initNetSnmp()
{
    const auto lib = NETSNMP_DS_LIBRARY_ID;
    netsnmp_ds_set_boolean(lib, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(lib, NETSNMP_DS_LIB_DONT_PERSIST_STATE, 1);
    netsnmp_ds_set_boolean(lib, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(lib, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(lib, NETSNMP_DS_LIB_DONT_LOAD_HOST_FILES, 1);
    // The certificate index is created under the persistent directory at
    // initialisation; a path below a device file can never be created.
    netsnmp_ds_set_string(lib, NETSNMP_DS_LIB_PERSISTENT_DIR, "/dev/null");
    // No MIB module is loaded: OIDs travel and print as numbers only.
    setenv("MIBS", "", 1);
    netsnmp_set_mib_directory("");
    init_snmp("qmx-module");
}

// The transport is released by an exit handler registered after Net-SNMP
// (and OpenSSL under it) initialised, so its I/O thread ends while OpenSSL
// can still free that thread's state.
void releaseTransport()
{
    g_layer.transport.reset();
}

Layer& layer(bool& ok)
{
    static bool initialised = [] {
        initNetSnmp();
        g_layer.transport = UdpTransport::start();
        std::atexit(&releaseTransport);
        return g_layer.transport != nullptr;
    }();
    ok = initialised;
    return g_layer;
}

} // namespace

bool snmpLayerInit()
{
    bool ok = false;
    layer(ok);
    return ok;
}

bool SnmpInit()
{
    return snmpLayerInit();
}

void SetSnmpTimeout(int ms)
{
    if (ms > 0)
        g_defaultTimeoutMs.store(ms);
}

int snmpDefaultTimeoutMs()
{
    return g_defaultTimeoutMs.load();
}

std::shared_ptr<Transport> netSnmpTransport()
{
    bool ok = false;
    Layer& instance = layer(ok);
    return ok ? instance.transport : nullptr;
}

} // namespace snmp
