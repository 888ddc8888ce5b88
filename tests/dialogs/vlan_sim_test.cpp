// The VLAN dialogs against a simulated switch in process: each change's set
// requests whole and in order, and what the list shows afterwards.
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "scripted_prompter.h"
#include "simulated_switch_fixture.h"
#include "walk_ends.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using dialogs::Bindings;
using namespace dialogs::switching;

namespace {

const std::string kVlan = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";
constexpr int kInt = snmp::kTypeInteger;
constexpr int kOctets = snmp::kTypeOctetString;
// Longer than a name may be typed: an edit writes it back whole.
const std::string kLongName = "office on the second floor east";

std::string octets(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

class VlanDialogsAgainstSimulator : public SimulatedSwitchTest<> {};

QTreeWidgetItem* rowOf(QTreeWidget& list, const QString& vid)
{
    const auto found = list.findItems(vid, Qt::MatchExactly, 0);
    return found.isEmpty() ? nullptr : found.front();
}

} // namespace

// Every port is made a member before the real port sets: when one of them is
// refused, the VLAN gets back what it had right after the refusal.
TEST_F(VlanDialogsAgainstSimulator, MemberSetsRequestByRequestAndTheListAfterwards)
{
    const std::string all28 = octets({0xff, 0xff, 0xff, 0xf0});
    const std::string office = octets({0xff, 0, 0, 0x40}); // 1-8, 26
    const std::string none = octets({0, 0, 0, 0});
    const struct {
        std::string model;
        int ports;
        bool add;
        int vid;
        std::vector<const char*> clicks;
        std::string refused; // a set to this object is refused ...
        int refusedAt;       // ... the how-manieth time (0: each time its value is refusedValue)
        std::vector<Bindings> expected;
        std::string listedEgress, listedUntagged;
        std::string refusedValue = {};
    } cases[] = {
        {"QMX-7720-ZA", 28, true, 100, {"Tag_1", "Tag_2", "Untag_3", "Tag_28"}, "", 0,
         {{{kVlan + "5.100", kInt, "5"}},
          {{kVlan + "2.100", kOctets, all28}},
          {{kVlan + "4.100", kOctets, octets({0x20, 0, 0, 0})}},
          {{kVlan + "2.100", kOctets, octets({0xe0, 0, 0, 0x10})}},
          {{kVlan + "1.100", kOctets, "lab"}},
          {{kVlan + "5.100", kInt, "1"}}},
         "1,2,3,28", "3"},
        // The default VLAN: no row status, no all-ports step.
        {"QMX-7710-ZP", 10, false, 1, {"Tag_10"}, "", 0,
         {{{kVlan + "4.1", kOctets, octets({0xff, 0x80, 0, 0})}},
          {{kVlan + "2.1", kOctets, octets({0xff, 0xc0, 0, 0})}},
          {{kVlan + "1.1", kOctets, "default"}},
          {{kVlan + "5.1", kInt, "1"}}},
         "1,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9"},
        {"QMX-7720-ZA", 28, false, 10, {"Untag_9"}, kVlan + "4.10", 1,
         {{{kVlan + "5.10", kInt, "2"}},
          {{kVlan + "2.10", kOctets, all28}},
          {{kVlan + "4.10", kOctets, octets({0, 0x80, 0, 0})}},
          {{kVlan + "2.10", kOctets, office}},
          {{kVlan + "1.10", kOctets, kLongName}},
          {{kVlan + "5.10", kInt, "1"}}},
         "1,2,3,4,5,6,7,8,26", ""},
        {"QMX-7720-ZA", 28, false, 10, {"Untag_9"}, kVlan + "2.10", 2,
         {{{kVlan + "5.10", kInt, "2"}},
          {{kVlan + "2.10", kOctets, all28}},
          {{kVlan + "4.10", kOctets, octets({0, 0x80, 0, 0})}},
          {{kVlan + "2.10", kOctets, octets({0xff, 0x80, 0, 0x40})}},
          {{kVlan + "4.10", kOctets, none}},
          {{kVlan + "2.10", kOctets, office}},
          {{kVlan + "1.10", kOctets, kLongName}},
          {{kVlan + "5.10", kInt, "1"}}},
         "1,2,3,4,5,6,7,8,26", ""},
        // A new VLAN whose egress set is refused every time goes back to no member.
        {"QMX-7720-ZA", 28, true, 100, {"Tag_1", "Tag_2"}, kVlan + "2.100", 0,
         {{{kVlan + "5.100", kInt, "5"}}, {{kVlan + "2.100", kOctets, all28}}, {{kVlan + "4.100", kOctets, none}},
          {{kVlan + "2.100", kOctets, octets({0xc0, 0, 0, 0})}}, {{kVlan + "4.100", kOctets, none}},
          {{kVlan + "2.100", kOctets, none}}, {{kVlan + "1.100", kOctets, "lab"}}, {{kVlan + "5.100", kInt, "1"}}},
         "", "", octets({0xc0, 0, 0, 0})},
    };
    for (const auto& c : cases) {
        startSwitch(c.model);
        ScriptedPrompter prompter;
        CVlanConfigurationDialog config(c.ports, true);
        WalkEnds configWalks(config);
        configWalks.wait(3);
        m_transport->withSwitch([&](sim::SimulatedSwitch& device) {
            snmp::Oid refused;
            snmp::oidFromText(c.refused, refused);
            device.refuseSets([&c, refused, seen = 0](const snmp::Oid& oid, const snmp::Value& value) mutable {
                return oid == refused && (c.refusedAt ? ++seen == c.refusedAt : value.octets == c.refusedValue);
            });
            device.set(sim::joined(sim::oids::kVlanEntry, {1, 10}), sim::octetValue(kLongName));
        });
        config.refresh();
        configWalks.wait(3);
        m_transport->clearRequests();

        CVlanEntryDialog entry(c.add, c.ports, config.vlans(), c.vid, c.add || c.vid == 10);
        WalkEnds entryWalks(entry);
        entryWalks.wait(1);
        if (c.add) {
            entry.findChild<QLineEdit*>("vid")->setText(QString::number(c.vid));
            entry.findChild<QLineEdit*>("name")->setText("lab");
        }
        for (const char* box : c.clicks)
            toggleAsScreenReader(entry.findChild<QCheckBox*>(box));
        entry.ok();
        ASSERT_TRUE(waitForWrite(entry));
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_TRUE(prompter.shown().empty());
        EXPECT_EQ(takeSets(), c.expected) << c.vid << " " << c.refused;

        config.refresh();
        configWalks.wait(3);
        QTreeWidgetItem* listed = rowOf(*config.list(), QString::number(c.vid));
        ASSERT_NE(listed, nullptr) << c.vid;
        EXPECT_EQ(listed->text(3).toStdString(), c.listedEgress) << c.vid << " " << c.refused;
        EXPECT_EQ(listed->text(4).toStdString(), c.listedUntagged) << c.vid << " " << c.refused;
    }
}

TEST_F(VlanDialogsAgainstSimulator, PvidsOfFiftyTwoPortsAreWrittenOneRequestEach)
{
    sim::SwitchSettings settings = quietSwitch();
    settings.faults.answers = {{snmp::Oid{1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 7, 7, 1, 1, 1}, "40941"}};
    startSwitch("QMX-7752-ZA", settings);
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(52, true);
    WalkEnds configWalks(config);
    configWalks.wait(3);
    CPvidDialog pvid(52, config.vlans());
    WalkEnds pvidWalks(pvid);
    pvidWalks.wait(2);
    EXPECT_EQ(pvid.pvidEdit(1)->text(), "40941") << "shown whole";
    m_transport->clearRequests();
    std::vector<Bindings> expected;
    for (int port = 1; port <= 52; ++port) {
        // Ports 43 to 46 are members of aggregated links and keep PVID 1.
        const std::string value = port >= 43 && port <= 46 ? "1" : port % 2 ? "10" : "20";
        pvid.pvidEdit(port)->setText(QString::fromStdString(value));
        expected.push_back({{"1.3.6.1.4.1.32473.10.75.7.7.7.1.1." + std::to_string(port), snmp::kTypeUnsigned, value}});
    }
    pvid.apply();
    ASSERT_TRUE(waitForWrite(pvid, 30000));
    EXPECT_EQ(pvid.result(), QDialog::Accepted);
    EXPECT_EQ(takeSets(), expected);
}

TEST_F(VlanDialogsAgainstSimulator, DeleteAndAsymmetricModeRefuseAndAskBeforeSending)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(28, true);
    WalkEnds walks(config);
    walks.wait(3);
    m_transport->clearRequests();

    config.list()->setCurrentItem(rowOf(*config.list(), "1"));
    config.remove();
    config.list()->setCurrentItem(rowOf(*config.list(), "30"));
    config.remove();
    walks.wait(3);
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{{kVlan + "5.30", kInt, "6"}}}));
    EXPECT_EQ(rowOf(*config.list(), "30"), nullptr);
    EXPECT_EQ(config.list()->topLevelItemCount(), 3);

    auto* box = config.findChild<QCheckBox*>("asymmetric");
    box->setChecked(true);
    config.applyAsymmetric(); // Cancel
    prompter.answer(true);
    config.applyAsymmetric();
    walks.wait(3);
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"Can't delete the default VLAN!", kAsymmetricQuestion,
                                                          kAsymmetricQuestion}));
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{{"1.3.6.1.4.1.32473.10.75.7.7.5.0", kInt, "1"}}}));
    EXPECT_TRUE(box->isChecked());
}

TEST_F(VlanDialogsAgainstSimulator, VlanEditFlagOffKeepsChangesDisabledThroughRefreshes)
{
    startSwitch("QMX-7720-ZA");
    for (const bool vlanEdit : {false, true}) {
        CVlanConfigurationDialog config(28, vlanEdit);
        WalkEnds walks(config);
        for (int refresh = 0; refresh < 2; ++refresh) {
            EXPECT_FALSE(config.findChild<QPushButton*>("pvid")->isEnabled()) << "PVID before the VLAN list is read";
            walks.wait(3);
            for (const char* name : {"add", "edit", "delete", "pvid"})
                EXPECT_EQ(config.findChild<QPushButton*>(name)->isEnabled(), vlanEdit) << name;
            for (const char* name : {"refresh", "apply", "close"})
                EXPECT_TRUE(config.findChild<QPushButton*>(name)->isEnabled()) << name;
            EXPECT_EQ(config.list()->topLevelItemCount(), 4);
            config.refresh();
        }
        walks.wait(3);
    }
}
