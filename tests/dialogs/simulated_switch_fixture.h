#pragma once

#include "../sim/switch_fixture.h"
#include "dialogs/binding.h"
#include "dialogs/dialog_session.h"
#include "dialogs/ip_address_edit.h"
#include "sim/in_process_transport.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include "qt_wait.h"
#include "scripted_prompter.h"
#include "walk_ends.h"
#include "widget_lookup.h"
#include "write_wait.h"

// The controls the dialog tests drive.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
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

// Operates a box as a screen reader does: its toggle action changes the box and emits no click.
inline void toggleAsScreenReader(QObject* box)
{
    QAccessible::queryAccessibleInterface(box)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
}

using Fields = std::vector<std::pair<const char*, const char*>>;

// Sets named controls as a user does: a line edit's or address's text, a
// combo's item (or its edit text where no item matches), a box "on" or "off"
// through its accessible toggle.
inline void fill(const QObject& dialog, const Fields& values)
{
    for (const auto& [name, value] : values) {
        auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        const QString text = QString::fromUtf8(value);
        if (auto* combo = qobject_cast<QComboBox*>(control)) {
            const int index = combo->findText(text);
            ASSERT_TRUE(index >= 0 || combo->isEditable()) << name << " " << value;
            index >= 0 ? combo->setCurrentIndex(index) : combo->setEditText(text);
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            if (box->isChecked() != (text == "on"))
                toggleAsScreenReader(box);
        } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
            edit->setText(text);
        } else {
            ASSERT_NE(qobject_cast<dialogs::CIpAddressEdit*>(control), nullptr) << name;
            qobject_cast<dialogs::CIpAddressEdit*>(control)->setText(text);
        }
    }
}

// What the named controls show, in fill's terms (a label its text).
inline std::vector<std::string> shown(const QObject& dialog, std::initializer_list<const char*> names)
{
    std::vector<std::string> texts;
    for (const char* name : names) {
        auto* control = dialog.findChild<QWidget*>(QString::fromLatin1(name));
        if (auto* combo = qobject_cast<QComboBox*>(control))
            texts.push_back(combo->currentText().toStdString());
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            texts.push_back(box->isChecked() ? "on" : "off");
        else if (auto* edit = qobject_cast<QLineEdit*>(control))
            texts.push_back(edit->text().toStdString());
        else
            texts.push_back(qobject_cast<QLabel*>(control) ? qobject_cast<QLabel*>(control)->text().toStdString() : "?");
    }
    return texts;
}

// The named controls that are enabled.
inline std::vector<std::string> enabledOf(const QObject& dialog, const std::vector<std::string>& names)
{
    std::vector<std::string> enabled;
    for (const std::string& name : names)
        if (auto* control = dialog.findChild<QWidget*>(QString::fromStdString(name)); control && control->isEnabled())
            enabled.push_back(name);
    return enabled;
}

// A combo's item texts.
inline std::vector<std::string> items(const QComboBox& combo)
{
    std::vector<std::string> texts;
    for (int i = 0; i < combo.count(); ++i)
        texts.push_back(combo.itemText(i).toStdString());
    return texts;
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
