#pragma once

#include <memory>

// One-time set-up of the message library layer and the two start-up calls
// the application makes. Net-SNMP reads no configuration or MIB file and
// writes nothing: no persistent state, no certificate index directory.
namespace snmp {

class Transport;

// Initialises Net-SNMP and starts the I/O thread once; false when that
// failed ("Failed to initialize communication port !" for the caller).
bool snmpLayerInit();

// Start-up calls kept from the legacy library: SnmpInit initialises the
// layer; SetSnmpTimeout sets the time-out used for targets that carry none.
bool SnmpInit();
void SetSnmpTimeout(int ms);
int snmpDefaultTimeoutMs();

// The process-wide Net-SNMP transport (initialising the layer first);
// nullptr when the layer could not be initialised.
std::shared_ptr<Transport> netSnmpTransport();

} // namespace snmp
