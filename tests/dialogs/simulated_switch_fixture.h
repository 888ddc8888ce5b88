#pragma once

#include "../sim/switch_fixture.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"
#include "sim/in_process_transport.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include "dialog_controls.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "walk_ends.h"
#include "widget_lookup.h"
#include "write_wait.h"

#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

// A switch that runs no scenario of its own: only the test changes it.
inline sim::SwitchSettings quietSwitch()
{
    sim::SwitchSettings settings;
    settings.scenario = false;
    return settings;
}

inline dialogs::Binding intBinding(const std::string& oid, std::int64_t value)
{
    return {oid, snmp::kTypeInteger, std::to_string(value)};
}

inline dialogs::Binding octetBinding(const std::string& oid, std::string value)
{
    return {oid, snmp::kTypeOctetString, std::move(value)};
}

namespace dialogs {
inline void PrintTo(const Binding& b, std::ostream* out)
{
    *out << b.oid << " " << b.type << " \"" << b.value << "\"";
}
} // namespace dialogs

// A binding of a request as a dialog hands it over: type code and value text.
inline dialogs::Binding bindingOf(const snmp::VarBind& binding)
{
    const snmp::Value& v = binding.value;
    const std::string oid = snmp::oidToText(binding.oid);
    switch (v.type) {
    case snmp::Asn::OctetString:
        return {oid, snmp::kTypeOctetString, v.octets};
    case snmp::Asn::Gauge32:
        return {oid, snmp::kTypeUnsigned, std::to_string(v.unsignedValue)};
    case snmp::Asn::IpAddress: {
        std::string dotted;
        for (unsigned char octet : v.octets)
            dotted += (dotted.empty() ? "" : ".") + std::to_string(octet);
        return {oid, snmp::kTypeIpAddress, dotted};
    }
    default:
        return {oid, snmp::kTypeInteger, std::to_string(v.integer)};
    }
}

// Dialog sessions talk to a simulated switch in process; every request is recorded.
template <typename Base = ::testing::Test>
class SimulatedSwitchTest : public Base {
protected:
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    void startSwitch(sim::ModelData model, const sim::SwitchSettings& settings = quietSwitch())
    {
        m_transport = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(std::move(model), settings));
        dialogs::CDialogSession::setTransport(m_transport);
        snmp::SessionParameters parameters;
        parameters.agentAddress = "192.0.2.10";
        parameters.requestTimeout = "1000";
        snmp::setSessionParameters(parameters);
    }
    void startSwitch(const std::string& model, const sim::SwitchSettings& settings = quietSwitch())
    {
        startSwitch(loadedModel(model), settings);
    }

    // Changes the switch behind the dialogs' back.
    void setOnSwitch(const snmp::Oid& oid, const snmp::Value& value)
    {
        m_transport->withSwitch([&](sim::SimulatedSwitch& device) { EXPECT_EQ(device.set(oid, value), sim::kNoError); });
    }

    // Forgets the requests so far, runs `action` and waits for the dialog's write to end.
    template <typename Action>
    void writeBy(const dialogs::CDialogBase& dialog, Action action)
    {
        m_transport->clearRequests();
        action();
        ASSERT_TRUE(waitForWrite(dialog));
    }

    // The bindings of every set request since the last call, as sent.
    std::vector<std::vector<snmp::VarBind>> takeWireSets()
    {
        std::vector<std::vector<snmp::VarBind>> sets;
        for (const snmp::Pdu& pdu : m_transport->requests())
            if (pdu.type == snmp::PduType::Set)
                sets.push_back(pdu.bindings);
        m_transport->clearRequests();
        return sets;
    }

    // The same, each binding as a dialog hands it over.
    std::vector<dialogs::Bindings> takeSets()
    {
        std::vector<dialogs::Bindings> sets;
        for (const std::vector<snmp::VarBind>& wire : takeWireSets()) {
            sets.emplace_back();
            for (const snmp::VarBind& binding : wire)
                sets.back().push_back(bindingOf(binding));
        }
        return sets;
    }

    std::shared_ptr<sim::InProcessTransport> m_transport;
};
