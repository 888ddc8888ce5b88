// The VLAN dialogs against a simulated switch in process: each change's set
// requests whole and in order, and what the list shows afterwards.
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "simulated_switch_fixture.h"

using dialogs::Bindings;
using Texts = std::vector<std::string>;
using namespace dialogs::switching;

namespace {

const std::string kVlan = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";
// Longer than a name may be typed: an edit writes it back whole.
const std::string kLongName = "office on the second floor east";

std::string octets(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

// One-binding sets of a VLAN's columns.
Bindings status(int vid, int value)
{
    return {intBinding(kVlan + "5." + std::to_string(vid), value)};
}
Bindings octetsOf(int column, int vid, std::string value)
{
    return {octetBinding(kVlan + std::to_string(column) + "." + std::to_string(vid), std::move(value))};
}
Bindings egress(int vid, std::string ports) { return octetsOf(2, vid, std::move(ports)); }
Bindings untagged(int vid, std::string ports) { return octetsOf(4, vid, std::move(ports)); }
Bindings named(int vid, std::string name) { return octetsOf(1, vid, std::move(name)); }

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
         {status(100, 5), egress(100, all28), untagged(100, octets({0x20, 0, 0, 0})), egress(100, octets({0xe0, 0, 0, 0x10})),
          named(100, "lab"), status(100, 1)},
         "1,2,3,28", "3"},
        // The default VLAN: no row status, no all-ports step.
        {"QMX-7710-ZP", 10, false, 1, {"Tag_10"}, "", 0,
         {untagged(1, octets({0xff, 0x80, 0, 0})), egress(1, octets({0xff, 0xc0, 0, 0})), named(1, "default"), status(1, 1)},
         "1,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9"},
        {"QMX-7720-ZA", 28, false, 10, {"Untag_9"}, kVlan + "4.10", 1,
         {status(10, 2), egress(10, all28), untagged(10, octets({0, 0x80, 0, 0})), egress(10, office), named(10, kLongName),
          status(10, 1)},
         "1,2,3,4,5,6,7,8,26", ""},
        {"QMX-7720-ZA", 28, false, 10, {"Untag_9"}, kVlan + "2.10", 2,
         {status(10, 2), egress(10, all28), untagged(10, octets({0, 0x80, 0, 0})), egress(10, octets({0xff, 0x80, 0, 0x40})),
          untagged(10, none), egress(10, office), named(10, kLongName), status(10, 1)},
         "1,2,3,4,5,6,7,8,26", ""},
        // A new VLAN whose egress set is refused every time goes back to no member.
        {"QMX-7720-ZA", 28, true, 100, {"Tag_1", "Tag_2"}, kVlan + "2.100", 0,
         {status(100, 5), egress(100, all28), untagged(100, none), egress(100, octets({0xc0, 0, 0, 0})), untagged(100, none),
          egress(100, none), named(100, "lab"), status(100, 1)},
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
        if (c.add)
            fill(entry, {{"vid", std::to_string(c.vid).c_str()}, {"name", "lab"}});
        for (const char* box : c.clicks)
            toggleAsScreenReader(entry.findChild<QCheckBox*>(box));
        writeBy(entry, [&] { entry.ok(); });
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_TRUE(prompter.shown().empty());
        EXPECT_EQ(takeSets(), c.expected) << c.vid << " " << c.refused;

        config.refresh();
        configWalks.wait(3);
        QTreeWidgetItem* listed = rowOf(*config.list(), QString::number(c.vid));
        ASSERT_NE(listed, nullptr) << c.vid;
        EXPECT_EQ((Texts{listed->text(3).toStdString(), listed->text(4).toStdString()}), (Texts{c.listedEgress, c.listedUntagged}))
            << c.vid << " " << c.refused;
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

TEST_F(VlanDialogsAgainstSimulator, DeleteDestroysTheRowAndAsymmetricModeAsksFirst)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CVlanConfigurationDialog config(28, true);
    WalkEnds walks(config);
    walks.wait(3);
    m_transport->clearRequests();

    config.list()->setCurrentItem(rowOf(*config.list(), "30"));
    config.remove();
    walks.wait(3);
    EXPECT_EQ(takeSets(), std::vector<Bindings>{status(30, 6)});
    EXPECT_EQ(rowOf(*config.list(), "30"), nullptr);
    EXPECT_EQ(config.list()->topLevelItemCount(), 3);

    auto* box = config.findChild<QCheckBox*>("asymmetric");
    box->setChecked(true);
    config.applyAsymmetric(); // Cancel
    prompter.answer(true);
    config.applyAsymmetric();
    walks.wait(3);
    EXPECT_EQ(prompter.texts(), (Texts{kAsymmetricQuestion, kAsymmetricQuestion}));
    EXPECT_EQ(takeSets(), std::vector<Bindings>{{intBinding("1.3.6.1.4.1.32473.10.75.7.7.5.0", 1)}});
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
            const Texts all{"add", "edit", "delete", "pvid", "refresh", "apply", "close"};
            EXPECT_EQ(enabledOf(config, all), vlanEdit ? all : Texts(all.begin() + 4, all.end()));
            EXPECT_EQ(config.list()->topLevelItemCount(), 4);
            config.refresh();
        }
        walks.wait(3);
    }
}
