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

#include <QByteArray>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>
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

// A request's bindings as one text: column.instance=value after `prefix`, an
// INTEGER bare, a Gauge32 with "u", an address dotted, an octet string quoted
// or, where any octet is unprintable, as 0x and its hex digits; any other
// type as ? and its tag.
inline std::string setText(const std::vector<snmp::VarBind>& bindings, const std::string& prefix)
{
    std::string text;
    for (const snmp::VarBind& binding : bindings) {
        const dialogs::Binding b = bindingOf(binding);
        const bool printable = std::all_of(b.value.begin(), b.value.end(), [](unsigned char c) { return c >= 0x20 && c < 0x7f; });
        const snmp::Asn type = binding.value.type;
        const std::string value = type == snmp::Asn::Gauge32 ? b.value + "u"
                                  : type == snmp::Asn::Integer || type == snmp::Asn::IpAddress ? b.value
                                  : type != snmp::Asn::OctetString ? "?" + std::to_string(int(type))
                                  : printable ? '"' + b.value + '"'
                                              : "0x" + QByteArray::fromStdString(b.value).toHex().toStdString();
        text += (text.empty() ? "" : " ") + (b.oid.starts_with(prefix) ? b.oid.substr(prefix.size()) : b.oid) + "=" + value;
    }
    return text;
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

    // Forgets the requests so far, runs `action`, waits for the dialog's write
    // and returns the sets it sent as setText renders them.
    template <typename Action>
    std::vector<std::string> setsBy(const dialogs::CDialogBase& dialog, const std::string& prefix, Action action)
    {
        m_transport->clearRequests();
        action();
        EXPECT_TRUE(waitForWrite(dialog));
        return takeSetTexts(prefix);
    }

    // The sets since the last call, each as setText renders it.
    std::vector<std::string> takeSetTexts(const std::string& prefix)
    {
        std::vector<std::string> texts;
        for (const std::vector<snmp::VarBind>& wire : takeWireSets())
            texts.push_back(setText(wire, prefix));
        return texts;
    }

    std::shared_ptr<sim::InProcessTransport> m_transport;
};
