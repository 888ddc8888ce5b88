#pragma once

#include "dialogs/dialog_session.h"
#include "monitor/panel_device_thread.h"
#include "sim/switch_agent.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "task_queue.h"
#include "udp_relay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>

// Shared pieces of the fault drills: the simulated switch behind the real
// snmpd, session parameters for a port, a walk driven like a dialog's, and a
// panel that records what the polling tells it.
namespace drills {

// The link walk of the polling: ifType, ifSpeed, ifAdminStatus, ifOperStatus, medium.
inline const std::vector<std::string> kLinkColumns = {
    "1.3.6.1.2.1.2.2.1.3", "1.3.6.1.2.1.2.2.1.5", "1.3.6.1.2.1.2.2.1.7", "1.3.6.1.2.1.2.2.1.8",
    "1.3.6.1.4.1.32473.10.75.7.1.13.1.7"};
inline constexpr const char* kSysName = "1.3.6.1.2.1.1.5.0";
inline constexpr const char* kSysLocation = "1.3.6.1.2.1.1.6.0";

// Whether `oid` is an instance under `column`, or `column` itself when `orItself`.
inline bool within(const snmp::Oid& oid, const std::string& column, bool orItself = false)
{
    snmp::Oid prefix;
    snmp::oidFromText(column, prefix);
    return oid.size() + (orItself ? 1 : 0) > prefix.size() && std::equal(prefix.begin(), prefix.end(), oid.begin());
}

// Values as an agent answers them.
inline snmp::Value textValue(std::string octets) { return {snmp::Asn::OctetString, 0, 0, std::move(octets), {}}; }
inline snmp::Value integerValue(std::int64_t integer) { return {snmp::Asn::Integer, integer, 0, {}, {}}; }

// A switch whose ports keep still, so two walks see the same rows.
inline std::unique_ptr<sim::SnmpdProcess> startQuietSwitch(const std::string& model = "QMX-7720-ZA")
{
    sim::SwitchAgentOptions options;
    options.model = model;
    options.scenario = false;
    std::string error;
    auto agent = sim::startSwitchAgent(options, &error);
    EXPECT_TRUE(agent) << error;
    return agent;
}

// Version 1 with the default communities, or a read-write version-3 user of
// the launcher ("simsha": SHA, no privacy; "simshaaes": SHA and AES).
inline void useAgent(std::uint16_t port, const std::string& v3User = {}, int timeoutMs = 1000)
{
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.agentPort = std::to_string(port);
    parameters.requestTimeout = std::to_string(timeoutMs);
    if (!v3User.empty()) {
        parameters.version = "3";
        parameters.userName = v3User;
        parameters.securityLevel = v3User == "simsha" ? "2" : "3";
        parameters.authProtocol = "3";
        parameters.privProtocol = "4";
        parameters.authPassword = "authpass123";
        parameters.privPassword = "privpass123";
    }
    snmp::setSessionParameters(parameters);
}

struct WalkRow {
    std::string suffix;               // of the first column
    std::vector<std::string> values;  // one per column
    bool operator==(const WalkRow&) const = default;
};

// One walk as a dialog's session walks it (asynchronously, re-armed after
// each row), driven on this thread to its end past the last row.
inline std::vector<WalkRow> walkOnce(const std::vector<std::string>& columns)
{
    TaskQueue tasks;
    std::vector<WalkRow> rows;
    bool ended = false;
    dialogs::CDialogSession session("m_cCommonSNMP");
    session.startWalk({.oids = columns}, tasks.poster(),
                      {[&](const dialogs::WalkRow& row) { rows.push_back({row.suffix, row.values}); }, [&] { ended = true; }});
    EXPECT_TRUE(tasks.runUntil([&ended] { return ended; }, std::chrono::seconds(60)));
    EXPECT_EQ(session.endStatus(), snmp::kStatusEnded);
    session.close();
    return rows;
}

// A synchronous get of one object: the status, and the OID and value answered.
struct Got {
    int status = -1;
    std::string oid;
    std::string value;
    bool operator==(const Got&) const = default;
};
inline Got getOne(snmp::CCommonSnmp& session, const std::string& oid, int timeoutMs = 0)
{
    Got got;
    std::unique_ptr<snmp::CSnmpResponse> response;
    if (session.Open(snmp::kPduGet) && session.addValue(oid, snmp::kTypeNull, nullptr) == 0)
        got.status = session.send(response, timeoutMs);
    if (response && response->getOid(0, got.oid))
        got.value = response->getValue(0);
    return got;
}

// The window as the polling sees it: what it was told, in order.
class RecordingPanel final : public monitor::PanelSink {
public:
    void portElementsChanged(std::vector<monitor::ElementStatus> changes, Repaint) override
    {
        std::lock_guard lock(m_mutex);
        m_changes.push_back(std::move(changes));
    }
    void portElementsLost() override { ++m_lost; }
    void blinkTimerWanted() override {}

    std::vector<std::vector<monitor::ElementStatus>> changes() const
    {
        std::lock_guard lock(m_mutex);
        return m_changes;
    }
    int lost() const { return m_lost; }

private:
    mutable std::mutex m_mutex;
    std::vector<std::vector<monitor::ElementStatus>> m_changes;
    std::atomic<int> m_lost = 0;
};

// The main window's four polling sessions, panel data for a 28-port switch
// and its polling thread.
struct PollingWindow {
    monitor::PanelState state;
    snmp::CCommonSnmp fan, poe, devStat, poeStat;
    RecordingPanel panel;
    monitor::PollingTarget target{state, fan, poe, devStat, poeStat, panel, false, "1", {28, false}, false};
    monitor::CPanelDeviceThread polling{&target};

    // The window's close order: sessions first, then the thread.
    ~PollingWindow()
    {
        for (snmp::CCommonSnmp* session : {&fan, &poe, &devStat, &poeStat})
            session->Close();
    }
    // One link walk, to its end.
    bool cycle()
    {
        polling.startLinkWalk();
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!devStat.IsGetDone() && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        return devStat.IsGetDone();
    }
};

// A quiet switch behind the real snmpd for the whole suite, reached through
// a fresh relay by each test.
template <typename Base = ::testing::Test>
class RelayedSwitch : public Base {
protected:
    static void SetUpTestSuite() { s_agent = startQuietSwitch().release(); }
    static void TearDownTestSuite()
    {
        delete s_agent;
        s_agent = nullptr;
    }

    void SetUp() override
    {
        ASSERT_NE(s_agent, nullptr);
        ASSERT_TRUE(relay.ready());
        useAgent(relay.port());
    }

    static inline sim::SnmpdProcess* s_agent = nullptr;
    UdpRelay relay{s_agent ? s_agent->port() : std::uint16_t{0}};
};

} // namespace drills
