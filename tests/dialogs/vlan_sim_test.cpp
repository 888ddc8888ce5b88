// The VLAN dialogs against a simulated switch in process: what each change
// sends, request by request, and what the switch holds afterwards.
#include "../sim/switch_fixture.h"
#include "dialogs/dialog_session.h"
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "sim/in_process_transport.h"
#include "sim/switch_oids.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace dialogs {
// Readable failures: OID, type code, value bytes in hexadecimal.
void PrintTo(const Binding& binding, std::ostream* out)
{
    *out << binding.oid << " " << binding.type << " ";
    for (const unsigned char c : binding.value)
        *out << "0123456789abcdef"[c >> 4] << "0123456789abcdef"[c & 15];
}
} // namespace dialogs

using dialogs::Binding;
using dialogs::Bindings;
using namespace dialogs::switching;

namespace {

const std::string kVlan = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";
const std::string kPvid = "1.3.6.1.4.1.32473.10.75.7.7.7.1.1.";
constexpr int kInt = snmp::kTypeInteger;
constexpr int kOctets = snmp::kTypeOctetString;

std::string octets(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class VlanDialogsAgainstSimulator : public ::testing::Test {
protected:
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    void startSwitch(const std::string& model)
    {
        sim::SwitchSettings settings;
        settings.scenario = false;
        m_transport = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(loadedModel(model), settings));
        dialogs::CDialogSession::setTransport(m_transport);
        snmp::SessionParameters parameters;
        parameters.agentAddress = "192.0.2.10";
        parameters.requestTimeout = "1000";
        snmp::setSessionParameters(parameters);
    }

    // The set requests since the last call, each as the bindings it carried.
    std::vector<Bindings> takeSets()
    {
        std::vector<Bindings> sets;
        for (const snmp::Pdu& pdu : m_transport->requests()) {
            if (pdu.type != snmp::PduType::Set)
                continue;
            sets.emplace_back();
            for (const snmp::VarBind& b : pdu.bindings) {
                const snmp::Value& v = b.value;
                if (v.type == snmp::Asn::OctetString)
                    sets.back().push_back({snmp::oidToText(b.oid), kOctets, v.octets});
                else if (v.type == snmp::Asn::Gauge32)
                    sets.back().push_back({snmp::oidToText(b.oid), snmp::kTypeUnsigned, std::to_string(v.unsignedValue)});
                else
                    sets.back().push_back({snmp::oidToText(b.oid), kInt, std::to_string(v.integer)});
            }
        }
        m_transport->clearRequests();
        return sets;
    }

    std::string octetsAt(const std::string& oid)
    {
        std::string value;
        m_transport->withSwitch([&](sim::SimulatedSwitch& device) {
            snmp::Oid parsed;
            snmp::oidFromText(oid, parsed);
            if (const auto found = device.get(parsed))
                value = found->value.octets;
        });
        return value;
    }

    std::shared_ptr<sim::InProcessTransport> m_transport;
};

// Counts a dialog's walk ends from its construction on.
class WalkEnds {
public:
    explicit WalkEnds(dialogs::CDialogBase& dialog)
    {
        QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, &m_context, [this] { ++m_count; });
    }
    // Waits until `count` more walks have ended.
    void wait(int count)
    {
        m_taken += count;
        EXPECT_TRUE(waitUntil([&] { return m_count >= m_taken; }));
    }

private:
    QObject m_context;
    int m_count = 0;
    int m_taken = 0;
};

void click(const QObject& dialog, const QString& name)
{
    auto* box = dialog.findChild<QCheckBox*>(name);
    ASSERT_NE(box, nullptr) << name.toStdString();
    box->click();
}

QTreeWidgetItem* rowOf(QTreeWidget& list, const QString& vid)
{
    const auto found = list.findItems(vid, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
}

} // namespace

TEST_F(VlanDialogsAgainstSimulator, AddedVlanIsWrittenInSixRequestsAndListed)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(28, true);
    WalkEnds configWalks(config);
    configWalks.wait(3);
    ASSERT_EQ(config.list()->topLevelItemCount(), 4);
    m_transport->clearRequests();

    CVlanEntryDialog entry(true, 28, config.vlans(), 0, true);

    WalkEnds entryWalks(entry);
    entryWalks.wait(1);
    entry.findChild<QLineEdit*>("vid")->setText("100");
    entry.findChild<QLineEdit*>("name")->setText("lab");
    for (const char* box : {"Tag_1", "Tag_2", "Untag_3", "Tag_28"})
        click(entry, box);
    entry.ok();
    ASSERT_TRUE(waitForWrite(entry));
    EXPECT_EQ(entry.result(), QDialog::Accepted);
    EXPECT_TRUE(prompter.shown().empty());
    const std::vector<Bindings> expected = {
        {{kVlan + "5.100", kInt, "5"}},
        {{kVlan + "2.100", kOctets, octets({0xff, 0xff, 0xff, 0xf0})}},
        {{kVlan + "4.100", kOctets, octets({0x20, 0, 0, 0})}},
        {{kVlan + "2.100", kOctets, octets({0xe0, 0, 0, 0x10})}},
        {{kVlan + "1.100", kOctets, "lab"}},
        {{kVlan + "5.100", kInt, "1"}},
    };
    EXPECT_EQ(takeSets(), expected);

    config.refresh();
    configWalks.wait(3);
    QTreeWidgetItem* added = rowOf(*config.list(), "100");
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->text(1), "lab");
    EXPECT_EQ(added->text(2), "4");
    EXPECT_EQ(added->text(3), "1,2,3,28");
    EXPECT_EQ(added->text(4), "3");
}

// Every port is made a member before the real sets: when one of them is
// refused, the VLAN gets back what it had, right after the refusal.
TEST_F(VlanDialogsAgainstSimulator, RefusedMemberSetLeavesTheVlanAsItWas)
{
    const std::string before = octets({0xff, 0, 0, 0x40}); // 1-8, 26
    const std::string none = octets({0, 0, 0, 0});
    const std::string egressOid = kVlan + "2.10";
    const std::string untaggedOid = kVlan + "4.10";
    const struct {
        std::string refused;
        int refusedAt; // the how-manieth set to that object
        std::vector<Bindings> expected;
    } cases[] = {
        {untaggedOid, 1,
         {{{kVlan + "5.10", kInt, "2"}},
          {{egressOid, kOctets, octets({0xff, 0xff, 0xff, 0xf0})}},
          {{untaggedOid, kOctets, octets({0, 0x80, 0, 0})}},
          {{egressOid, kOctets, before}},
          {{kVlan + "1.10", kOctets, "office"}},
          {{kVlan + "5.10", kInt, "1"}}}},
        {egressOid, 2,
         {{{kVlan + "5.10", kInt, "2"}},
          {{egressOid, kOctets, octets({0xff, 0xff, 0xff, 0xf0})}},
          {{untaggedOid, kOctets, octets({0, 0x80, 0, 0})}},
          {{egressOid, kOctets, octets({0xff, 0x80, 0, 0x40})}},
          {{untaggedOid, kOctets, none}},
          {{egressOid, kOctets, before}},
          {{kVlan + "1.10", kOctets, "office"}},
          {{kVlan + "5.10", kInt, "1"}}}},
    };
    for (const auto& c : cases) {
        startSwitch("QMX-7720-ZA");
        ScriptedPrompter prompter;
        CVlanConfigurationDialog config(28, true);
        WalkEnds configWalks(config);
        configWalks.wait(3);
        m_transport->withSwitch([&](sim::SimulatedSwitch& device) {
            snmp::Oid refused;
            snmp::oidFromText(c.refused, refused);
            device.refuseSets([refused, at = c.refusedAt, seen = 0](const snmp::Oid& oid, const snmp::Value&) mutable {
                return oid == refused && ++seen == at;
            });
        });
        m_transport->clearRequests();

        CVlanEntryDialog entry(false, 28, config.vlans(), 10, true);

        WalkEnds entryWalks(entry);
        entryWalks.wait(1);
        click(entry, "Untag_9");
        entry.ok();
        ASSERT_TRUE(waitForWrite(entry));
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_EQ(takeSets(), c.expected) << c.refused;
        EXPECT_EQ(octetsAt(egressOid), before) << c.refused;
        EXPECT_EQ(octetsAt(untaggedOid), none) << c.refused;
    }
}

TEST_F(VlanDialogsAgainstSimulator, EditOfTheDefaultVlanSendsNoStatusAndNoAllPortsStep)
{
    startSwitch("QMX-7710-ZP");
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(10, true);
    WalkEnds configWalks(config);
    configWalks.wait(3);
    m_transport->clearRequests();
    CVlanEntryDialog entry(false, 10, config.vlans(), 1, false);
    WalkEnds entryWalks(entry);
    entryWalks.wait(1);
    click(entry, "Tag_10");
    entry.ok();
    ASSERT_TRUE(waitForWrite(entry));
    const std::vector<Bindings> expected = {
        {{kVlan + "4.1", kOctets, octets({0xff, 0x80, 0, 0})}},
        {{kVlan + "2.1", kOctets, octets({0xff, 0xc0, 0, 0})}},
        {{kVlan + "1.1", kOctets, "default"}},
        {{kVlan + "5.1", kInt, "1"}},
    };
    EXPECT_EQ(takeSets(), expected);
}

TEST_F(VlanDialogsAgainstSimulator, PvidsOfFiftyTwoPortsAreWrittenOneRequestEach)
{
    startSwitch("QMX-7752-ZA");
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(52, true);
    WalkEnds configWalks(config);
    configWalks.wait(3);
    CPvidDialog pvid(52, config.vlans());
    WalkEnds pvidWalks(pvid);
    pvidWalks.wait(2);
    ASSERT_EQ(pvid.pvidEdit(52)->text(), "1");
    m_transport->clearRequests();
    std::vector<Bindings> expected;
    for (int port = 1; port <= 52; ++port) {
        // Ports 43 to 46 are members of aggregated links and keep PVID 1.
        const std::string value = port >= 43 && port <= 46 ? "1" : port % 2 ? "10" : "20";
        pvid.pvidEdit(port)->setText(QString::fromStdString(value));
        expected.push_back({{kPvid + std::to_string(port), snmp::kTypeUnsigned, value}});
    }
    pvid.apply();
    ASSERT_TRUE(waitForWrite(pvid, 30000));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(pvid.result(), QDialog::Accepted);
    EXPECT_EQ(takeSets(), expected);

    // A trunk member's PVID is refused before anything is sent.
    CPvidDialog again(52, config.vlans());
    WalkEnds againWalks(again);
    againWalks.wait(2);
    EXPECT_EQ(again.pvidEdit(2)->text(), "20");
    again.pvidEdit(43)->setText("10");
    again.apply();
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"You should let all Trunk member in the same PVID !"});
    EXPECT_TRUE(takeSets().empty());
}

TEST_F(VlanDialogsAgainstSimulator, DeleteAndAsymmetricModeAskAndRefuseBeforeSending)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(28, true);
    WalkEnds configWalks(config);
    configWalks.wait(3);
    m_transport->clearRequests();

    config.list()->setCurrentItem(rowOf(*config.list(), "1"));
    config.remove();
    config.list()->setCurrentItem(rowOf(*config.list(), "30"));
    config.remove();
    ASSERT_TRUE(waitForWrite(config));
    configWalks.wait(3);
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Can't delete the default VLAN!"});
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{{kVlan + "5.30", kInt, "6"}}}));
    EXPECT_EQ(rowOf(*config.list(), "30"), nullptr);
    EXPECT_NE(rowOf(*config.list(), "20"), nullptr);

    // Voice VLAN on: refused, the box shows the switch's mode again.
    prompter.clear();
    m_transport->withSwitch([](sim::SimulatedSwitch& device) {
        device.set(sim::joined(sim::oids::kVoiceVlan, {2, 0}), sim::integerValue(1));
    });
    config.refresh();
    configWalks.wait(3);
    auto* box = config.findChild<QCheckBox*>("asymmetric");
    box->setChecked(true);
    config.applyAsymmetric();
    EXPECT_FALSE(box->isChecked());
    m_transport->withSwitch([](sim::SimulatedSwitch& device) {
        device.set(sim::joined(sim::oids::kVoiceVlan, {2, 0}), sim::integerValue(2));
    });
    config.refresh();
    configWalks.wait(3);
    box->setChecked(true);
    config.applyAsymmetric(); // Cancel
    prompter.answer(true);
    config.applyAsymmetric();
    ASSERT_TRUE(waitForWrite(config));
    configWalks.wait(3);
    ASSERT_EQ(prompter.shown().size(), 3u);
    EXPECT_EQ(prompter.shown()[0].kind, ScriptedPrompter::Kind::Warn);
    EXPECT_EQ(prompter.shown()[1].text, kAsymmetricQuestion);
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{{"1.3.6.1.4.1.32473.10.75.7.7.5.0", kInt, "1"}}}));
    EXPECT_TRUE(box->isChecked());
}

TEST_F(VlanDialogsAgainstSimulator, VlanEditFlagOffKeepsChangesDisabledThroughRefreshes)
{
    startSwitch("QMX-7720-ZA");
    const auto enabled = [](const QObject& dialog, const char* name) {
        return dialog.findChild<QPushButton*>(name)->isEnabled();
    };
    for (const bool vlanEdit : {false, true}) {
        CVlanConfigurationDialog config(28, vlanEdit);
        WalkEnds configWalks(config);
        for (int refresh = 0; refresh < 2; ++refresh) {
            configWalks.wait(3);
            for (const char* name : {"add", "edit", "delete", "pvid"})
                EXPECT_EQ(enabled(config, name), vlanEdit) << name;
            for (const char* name : {"refresh", "apply", "close"})
                EXPECT_TRUE(enabled(config, name)) << name;
            EXPECT_EQ(config.list()->topLevelItemCount(), 4);
            config.refresh();
        }
        configWalks.wait(3);
    }
    // Untag of a port untagged elsewhere is refused while asymmetric mode is off.
    CVlanEntryDialog entry(true, 28, {{1, "default", "3", "3", 1, 1}}, 0, false);
    WalkEnds entryWalks(entry);
    click(entry, "Untag_3");
    EXPECT_FALSE(entry.findChild<QCheckBox*>("Untag_3")->isChecked());
    EXPECT_TRUE(entry.findChild<QCheckBox*>("Not Member_3")->isChecked());
    EXPECT_EQ(entry.findChild<QCheckBox*>("Untag_3")->accessibleName(), "Untag port 3");
}
