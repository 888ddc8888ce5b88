// Sends one set to the agent at 127.0.0.1:<port> with a community it does
// not know, recorded in the journal at <database>, and waits for an answer
// that never comes (the test kills it meanwhile).
#include "journal/journal_writer.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "snmp/snmp_layer.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 3 || !snmp::snmpLayerInit())
        return 2;
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.agentPort = argv[2];
    parameters.version = "2c";
    parameters.writeCommunity = "not-the-community";
    parameters.requestTimeout = "60000";
    snmp::setSessionParameters(parameters);
    auto writer = std::make_shared<journal::JournalWriter>(journal::WriterOptions{
        .path = QString::fromLocal8Bit(argv[1]), .model = "QMX-7720-ZA", .maxRequests = 10, .notice = {}});
    if (!writer->waitOpened(std::chrono::seconds(5)))
        return 3;
    snmp::setSetObserver(writer);
    snmp::CCommonSnmp session;
    session.Open(snmp::kPduSet);
    session.addValue("1.3.6.1.2.1.1.6.0", snmp::kTypeOctetString, "Killed mid-set");
    std::unique_ptr<snmp::CSnmpResponse> response;
    return session.send(response) == snmp::kStatusOk ? 0 : 1;
}
