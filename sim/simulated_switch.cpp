#include "sim/simulated_switch.h"
#include "sim/switch_oids.h"

namespace sim {
namespace {

std::chrono::milliseconds steadyNow()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

} // namespace

SimulatedSwitch::SimulatedSwitch(ModelData model, SwitchSettings settings, Clock clock)
    : m_model(std::move(model)), m_settings(settings), m_clock(clock ? std::move(clock) : Clock(steadyNow)),
      m_firmware{oids::kTransfer, 1, std::nullopt}, m_config{oids::kTransfer, 5, std::nullopt}
{
    m_bootAt = now();
    defineRowTables();
    seed();
    m_saved = m_mib;
}

void SimulatedSwitch::refresh()
{
    if (m_rebootUntil && now() >= *m_rebootUntil)
        finishReboot();
    m_mib.assign(joined(oids::kSysUpTime, {0}), ticksValue(uptimeTicks()));
    runScenario();
    syncTransfer(m_firmware);
    syncTransfer(m_config);
    syncPoe();
    m_mib.assign(joined(oids::kDot1dStp, {3, 0}), ticksValue(uptimeTicks() - m_lastTopologyChange));
    m_mib.assign(joined(oids::kDot1dStp, {4, 0}), counterValue(m_topologyChanges));
}

std::optional<snmp::VarBind> SimulatedSwitch::get(const snmp::Oid& oid)
{
    refresh();
    const MibEntry* entry = m_mib.find(oid);
    if (auto answer = m_settings.faults.answerFor(oid, entry ? &entry->value : nullptr))
        return snmp::VarBind{oid, std::move(*answer)};
    if (!entry)
        return std::nullopt;
    return snmp::VarBind{oid, entry->value};
}

std::optional<snmp::VarBind> SimulatedSwitch::getNext(const snmp::Oid& oid)
{
    refresh();
    auto found = m_mib.next(oid);
    if (found)
        if (auto answer = m_settings.faults.answerFor(found->oid, &found->value))
            found->value = std::move(*answer);
    return found;
}

int SimulatedSwitch::set(const snmp::Oid& oid, const snmp::Value& value)
{
    refresh();
    if (m_rebootUntil || m_settings.faults.refuses(oid, value) || (m_refusal && m_refusal(oid, value)))
        return kGenErr;
    const RowTable* table = rowTableOf(oid);
    if (table) {
        const snmp::Oid index = table->indexOf(oid);
        if (table->columnOf(oid) == table->statusColumn) {
            if (value.type != snmp::Asn::Integer)
                return kWrongType;
            if (const int error = checkRowStatus(*table, index, value.integer))
                return error;
            applyRowStatus(*table, index, value.integer);
            return kNoError;
        }
        if (!table->exists(m_mib, index))
            return kNoCreation;
    }
    const MibEntry* entry = m_mib.find(oid);
    if (!entry)
        return table ? kNoCreation : kNotWritable;
    if (entry->access != Access::ReadWrite)
        return kNotWritable;
    if (value.type != entry->value.type)
        return kWrongType;
    if (const int error = checkValue(oid, value))
        return error;
    m_mib.assign(oid, value);
    afterSet(oid, value);
    syncStpBranch();
    return kNoError;
}

bool SimulatedSwitch::creatable(const snmp::Oid& oid) const
{
    const RowTable* table = rowTableOf(oid);
    if (!table || table->columnOf(oid) != table->statusColumn)
        return false;
    const snmp::Oid index = table->indexOf(oid);
    return !table->exists(m_mib, index) && table->validIndex(index);
}

bool SimulatedSwitch::rebooting()
{
    refresh();
    return m_rebootUntil.has_value();
}

std::chrono::milliseconds SimulatedSwitch::rebootRemaining()
{
    refresh();
    return m_rebootUntil ? *m_rebootUntil - now() : std::chrono::milliseconds(0);
}

void SimulatedSwitch::setFanFault(bool fault)
{
    m_mib.assign(joined(oids::kFanStatus, {0}), integerValue(fault ? 2 : 1));
}

std::vector<snmp::VarBind> SimulatedSwitch::snapshot()
{
    refresh();
    std::vector<snmp::VarBind> all;
    for (const auto& [oid, entry] : m_mib.entries())
        all.push_back({oid, entry.value});
    return all;
}

} // namespace sim
