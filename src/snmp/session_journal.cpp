// A session's exchanges as the change journal sees them.
#include "snmp/common_snmp.h"
#include "snmp/session_core.h"

namespace snmp {
namespace {

std::string versionText(int version)
{
    return version == 2 ? "2c" : std::to_string(version);
}

} // namespace

void noteAnswer(const SessionCore& core, int status, const CSnmpResponse* response)
{
    if (status == kStatusOk && response && core.request && core.request->getType() != kPduSet)
        noteReadAnswer(response->pdu().bindings, core.journal.get());
}

std::uint64_t journalSending(const SessionCore& core, SetObserver& observer)
{
    SetRecord record;
    record.time = WallClock::now();
    record.address = core.destination.host;
    record.port = core.destination.port;
    record.version = versionText(core.version);
    if (core.version == 3)
        record.userName = core.userName;
    if (core.journal)
        record.source = core.journal->source();
    record.sysName = lastSysName();
    for (const VarBind& binding : core.request->bindings()) {
        SetBindingRecord& written = record.bindings.emplace_back();
        written.oid = oidToText(binding.oid);
        written.type = valueTypeName(binding.value.type);
        written.value = valueRecordText(binding.value);
        if (core.journal)
            if (const std::optional<Value> previous = core.journal->previous(binding.oid))
                written.previous = valueRecordText(*previous);
    }
    return observer.sending(std::move(record));
}

void journalCompleted(const SessionCore& core, SetObserver& observer, std::uint64_t id, int status)
{
    SetOutcome outcome;
    outcome.time = WallClock::now();
    if (status == kStatusOk) {
        outcome.kind = SetOutcome::Kind::Answered;
    } else if (status == kStatusNoAnswer) {
        outcome.kind = SetOutcome::Kind::NoAnswer;
    } else {
        outcome.kind = SetOutcome::Kind::Error;
        outcome.errorStatus = core.request->lastErrorStatus();
        outcome.errorIndex = core.request->lastErrorIndex();
    }
    observer.completed(id, outcome);
}

} // namespace snmp
