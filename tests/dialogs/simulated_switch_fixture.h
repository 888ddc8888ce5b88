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
inline sim::SwitchSettings quietSwitch() { return {.scenario = false}; }

// A request's bindings as one text: column.instance=value after `prefix`, an
// INTEGER bare, a Gauge32 with "u", an address dotted, an octet string quoted
// or, where any octet is unprintable, as 0x and its hex digits; any other
// type as ? and its tag.
inline std::string setText(const std::vector<snmp::VarBind>& bindings, const std::string& prefix)
{
    std::string text;
    for (const snmp::VarBind& binding : bindings) {
        const snmp::Value& v = binding.value;
        const std::string oid = snmp::oidToText(binding.oid);
        std::string dotted;
        for (unsigned char octet : v.octets)
            dotted += (dotted.empty() ? "" : ".") + std::to_string(octet);
        const bool printable = std::all_of(v.octets.begin(), v.octets.end(), [](unsigned char c) { return c >= 0x20 && c < 0x7f; });
        const std::string value = v.type == snmp::Asn::Gauge32 ? std::to_string(v.unsignedValue) + "u"
                                  : v.type == snmp::Asn::Integer ? std::to_string(v.integer)
                                  : v.type == snmp::Asn::IpAddress ? dotted
                                  : v.type != snmp::Asn::OctetString ? "?" + std::to_string(int(v.type))
                                  : printable ? '"' + v.octets + '"'
                                              : "0x" + QByteArray::fromStdString(v.octets).toHex().toStdString();
        text += (text.empty() ? "" : " ") + (oid.starts_with(prefix) ? oid.substr(prefix.size()) : oid) + "=" + value;
    }
    return text;
}

// Dialog sessions talk to a simulated switch in process, a quiet QMX-7720-ZA
// unless the test starts another; every request is recorded.
template <typename Base = ::testing::Test>
class SimulatedSwitchTest : public Base {
protected:
    void SetUp() override { startSwitch("QMX-7720-ZA"); }
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

    // Waits for the dialog's next `walks` walk ends and the gets under way.
    static void waitForWalk(dialogs::CDialogBase& dialog, int walks = 1)
    {
        WalkEnds(dialog).wait(walks);
        ASSERT_TRUE(waitForReads(dialog));
    }

    // Changes the switch behind the dialogs' back.
    void setOnSwitch(const snmp::Oid& oid, const snmp::Value& value)
    {
        m_transport->withSwitch([&](sim::SimulatedSwitch& device) { EXPECT_EQ(device.set(oid, value), sim::kNoError); });
    }

    // Forgets the requests so far, runs `action`, waits for the dialog's write
    // and returns the sets it sent as setText renders them.
    template <typename Action>
    Texts setsBy(const dialogs::CDialogBase& dialog, const std::string& prefix, Action action)
    {
        m_transport->clearRequests();
        action();
        EXPECT_TRUE(waitForWrite(dialog));
        return takeSetTexts(prefix);
    }

    // setsBy, then waits for the `walks` walks that read the switch again
    // (counted from before the action: the re-read may end before the write is seen to).
    template <typename Action>
    Texts setsAndRereadBy(dialogs::CDialogBase& dialog, const std::string& prefix, Action action, int walks = 1)
    {
        WalkEnds reread(dialog);
        Texts sets = setsBy(dialog, prefix, action);
        reread.wait(walks);
        return sets;
    }

    // The set requests since the last call, each as setText renders it.
    Texts takeSetTexts(const std::string& prefix)
    {
        Texts texts;
        for (const snmp::Pdu& pdu : m_transport->requests())
            if (pdu.type == snmp::PduType::Set)
                texts.push_back(setText(pdu.bindings, prefix));
        m_transport->clearRequests();
        return texts;
    }

    std::shared_ptr<sim::InProcessTransport> m_transport;
    ScriptedPrompter prompter;
};
