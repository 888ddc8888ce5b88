#pragma once

#include "sim/manager_entry.h"
#include "sim/mib_store.h"
#include "sim/model_data.h"
#include "sim/row_table.h"
#include "sim/snmp_errors.h"
#include "sim/switch_faults.h"

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

// One simulated switch of the family: its MIB state seeded from a model
// file, and the behaviours the module relies on (row status, consistency
// rules, live port changes, save and reboot, file transfer). Not
// thread-safe: one owner answers one request at a time.
namespace sim {

struct SwitchSettings {
    std::chrono::milliseconds rebootTime{10000};
    int fdbEntries = -1;  // -1: as many as the model file says
    bool scenario = true; // the clock brings ports up and down and changes speeds
    // A file transfer reports "not started" this long, then "running" this long.
    std::chrono::milliseconds transferQueued{1000};
    std::chrono::milliseconds transferRunning{4000};
    SwitchFaults faults = {};
    // A learnt entry of the manager's MAC on its port, in that port's PVID's VLAN.
    ManagerEntry manager = {};
};

class SimulatedSwitch {
public:
    // Milliseconds on a monotonic clock; tests pass their own.
    using Clock = std::function<std::chrono::milliseconds()>;

    explicit SimulatedSwitch(ModelData model, SwitchSettings settings = {}, Clock clock = {});

    std::optional<snmp::VarBind> get(const snmp::Oid& oid);
    std::optional<snmp::VarBind> getNext(const snmp::Oid& oid);
    // A get or get-next that asks for `oid` is to go unanswered.
    bool silent(const snmp::Oid& oid) const { return m_settings.faults.silent(oid); }
    // The error status a read that reaches `oid` is answered with (0: none).
    int readError(const snmp::Oid& oid) const { return m_settings.faults.errorFor(oid); }
    // Checks and applies one binding; returns an SnmpError (snmp_errors.h).
    int set(const snmp::Oid& oid, const snmp::Value& value);
    // The status cell of a row that does not exist but may be created.
    bool creatable(const snmp::Oid& oid) const;

    // After a reboot was requested the switch answers nothing for a while,
    // then comes back with its saved configuration.
    bool rebooting();
    std::chrono::milliseconds rebootRemaining();

    void setFanFault(bool fault);
    // Tests: a set the predicate holds is refused with genErr before any rule,
    // as a switch short of resources would. Empty: nothing is refused.
    using SetRefusal = std::function<bool(const snmp::Oid& oid, const snmp::Value& value)>;
    void refuseSets(SetRefusal refusal) { m_refusal = std::move(refusal); }
    const ModelData& model() const { return m_model; }
    // Every object in OID order, as a walk would see it now.
    std::vector<snmp::VarBind> snapshot();

private:
    struct PortLive {
        bool link = false;
        std::uint64_t negotiatedSpeed = 0;
        std::uint64_t lastChange = 0; // ticks
    };
    struct Transfer {
        snmp::Oid base;   // server, file, operation, status follow at .1 .. .4 from here
        std::uint32_t first = 0;
        std::optional<std::chrono::milliseconds> startedAt;
    };

    std::chrono::milliseconds now() const { return m_clock(); }
    void refresh();
    std::uint64_t uptimeTicks() const;

    // switch_seed.cpp
    void seed();
    void seedSystem();
    void seedInterfaces();
    void seedBridge();
    void seedPorts();
    void seedVlans();
    void seedSecurity();
    void seedManagement();
    void seedPoe();
    void seedLldp();
    void seedNeighbors();
    void seedFdb();
    void defineRowTables();

    // switch_trunk.cpp: what the link admission checks read besides the above
    void seedTrunkChecks();
    void syncStpBranch();

    // switch_rules.cpp
    int checkValue(const snmp::Oid& oid, const snmp::Value& value) const;
    int checkPortSpeed(int port, std::int64_t speed) const;
    int checkPortList(const snmp::Value& value) const;
    int checkVlanMembers(const snmp::Oid& oid, const snmp::Value& value) const;
    int checkTrunkMembers(int link, const snmp::Value& value) const;
    int checkRowStatus(const RowTable& table, const snmp::Oid& index, std::int64_t requested) const;
    void applyRowStatus(const RowTable& table, const snmp::Oid& index, std::int64_t requested);
    void afterSet(const snmp::Oid& oid, const snmp::Value& value);

    // switch_poe.cpp
    int checkPoeValue(const snmp::Oid& oid, const snmp::Value& value) const;
    int checkTimeRangeActivation(const snmp::Oid& index) const;
    bool timeRangeActive(std::uint32_t index) const;

    // switch_live.cpp
    void syncPort(int port);
    void syncPoe();
    void syncStpPort(int port);
    void syncDot1x();
    void runScenario();
    void scenarioStep(std::uint64_t step);
    void startTransfer(Transfer& transfer);
    void syncTransfer(const Transfer& transfer);
    std::string poeStatusText(int port) const;
    double poePortWatts(int port) const;
    void startReboot();
    void finishReboot();

    std::int64_t integerAt(const snmp::Oid& oid) const;
    std::string octetsAt(const snmp::Oid& oid) const;
    const RowTable* rowTableOf(const snmp::Oid& oid) const;

    ModelData m_model;
    SwitchSettings m_settings;
    Clock m_clock;
    MibStore m_mib;
    MibStore m_saved;
    std::vector<RowTable> m_rowTables;
    std::vector<PortLive> m_live;
    std::chrono::milliseconds m_bootAt{0};
    std::uint64_t m_scenarioSteps = 0;
    std::uint64_t m_topologyChanges = 0;
    std::uint64_t m_lastTopologyChange = 0; // ticks
    std::optional<std::chrono::milliseconds> m_rebootUntil;
    Transfer m_firmware;
    Transfer m_config;
    SetRefusal m_refusal;
};

} // namespace sim
