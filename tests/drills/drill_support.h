#pragma once

#include "../monitor/polling_rig.h"
#include "../snmp/session_parameters_for.h"
#include "dialogs/dialog_session.h"
#include "sim/switch_agent.h"
#include "snmp/common_snmp.h"
#include "task_queue.h"
#include "udp_relay.h"

#include <gtest/gtest.h>

#include <algorithm>
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
    std::string error;
    auto agent = sim::startSwitchAgent({.model = model, .requestLog = {}, .scenario = false, .modelDirectory = {}}, &error);
    EXPECT_TRUE(agent) << error;
    return agent;
}

// Version 1 with the default communities, or a read-write version-3 user of
// the launcher ("simsha": SHA, no privacy; others: SHA and AES).
inline void useAgent(std::uint16_t port, const std::string& v3User = {}, int timeoutMs = 1000)
{
    snmp::setSessionParameters(sessionParametersFor(port, {v3User.c_str(), v3User == "simsha" ? "2" : "3", "3", "4"}, timeoutMs));
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

// The main window's polling of a 28-port switch, driven a cycle at a time.
struct PollingWindow : PollingRig {
    PollingWindow() : PollingRig([] { return std::make_unique<snmp::CCommonSnmp>(); }, {28, false}, false, false) {}
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
