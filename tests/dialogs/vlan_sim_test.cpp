// The VLAN dialogs against a simulated switch in process: each change's set
// requests whole and in order, and what the list shows afterwards.
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "simulated_switch_fixture.h"

using namespace dialogs::switching;

namespace {

const std::string kVlan = "1.3.6.1.4.1.32473.10.75.7.7.6.1.";
// Longer than a name may be typed: an edit writes it back whole.
const std::string kLongName = "office on the second floor east";

using VlanDialogsAgainstSimulator = SimulatedSwitchTest<>;

} // namespace

// Every port is made a member before the real port sets: when one of them is
// refused, the VLAN gets back what it had right after the refusal.
TEST_F(VlanDialogsAgainstSimulator, MemberSetsRequestByRequestAndTheListAfterwards)
{
    const struct {
        std::string model;
        int ports;
        bool add;
        int vid;
        std::vector<const char*> clicks;
        std::string refused; // a set to this object is refused ...
        int refusedAt;       // ... the how-manieth time (0: each time its value is refusedValue)
        Texts expected;
        std::string listedEgress, listedUntagged;
        std::string refusedValue = {};
    } cases[] = {
        {"QMX-7720-ZA", 28, true, 100, {"Tag_1", "Tag_2", "Untag_3", "Tag_28"}, "", 0,
         {"5.100=5", "2.100=0xfffffff0", "4.100=0x20000000", "2.100=0xe0000010", "1.100=\"lab\"", "5.100=1"}, "1,2,3,28", "3"},
        // The default VLAN: no row status, no all-ports step.
        {"QMX-7710-ZP", 10, false, 1, {"Tag_10"}, "", 0, {"4.1=0xff800000", "2.1=0xffc00000", "1.1=\"default\"", "5.1=1"},
         "1,2,3,4,5,6,7,8,9,10", "1,2,3,4,5,6,7,8,9"},
        {"QMX-7720-ZA", 28, false, 10, {"Untag_9"}, kVlan + "4.10", 1,
         {"5.10=2", "2.10=0xfffffff0", "4.10=0x00800000", "2.10=0xff000040", "1.10=\"" + kLongName + "\"", "5.10=1"},
         "1,2,3,4,5,6,7,8,26", ""},
        {"QMX-7720-ZA", 28, false, 10, {"Untag_9"}, kVlan + "2.10", 2,
         {"5.10=2", "2.10=0xfffffff0", "4.10=0x00800000", "2.10=0xff800040", "4.10=0x00000000", "2.10=0xff000040",
          "1.10=\"" + kLongName + "\"", "5.10=1"},
         "1,2,3,4,5,6,7,8,26", ""},
        // A new VLAN whose egress set is refused every time goes back to no member.
        {"QMX-7720-ZA", 28, true, 100, {"Tag_1", "Tag_2"}, kVlan + "2.100", 0,
         {"5.100=5", "2.100=0xfffffff0", "4.100=0x00000000", "2.100=0xc0000000", "4.100=0x00000000", "2.100=0x00000000",
          "1.100=\"lab\"", "5.100=1"},
         "", "", std::string("\xc0\0\0\0", 4)},
    };
    for (const auto& c : cases) {
        startSwitch(c.model);
        CVlanConfigurationDialog config(c.ports, true);
        WalkEnds configWalks(config);
        configWalks.wait(4);
        m_transport->withSwitch([&](sim::SimulatedSwitch& device) {
            snmp::Oid refused;
            snmp::oidFromText(c.refused, refused);
            device.refuseSets([&c, refused, seen = 0](const snmp::Oid& oid, const snmp::Value& value) mutable {
                return oid == refused && (c.refusedAt ? ++seen == c.refusedAt : value.octets == c.refusedValue);
            });
            device.set(sim::joined(sim::oids::kVlanEntry, {1, 10}), sim::octetValue(kLongName));
        });
        config.refresh();
        configWalks.wait(4);

        CVlanEntryDialog entry(c.add, c.ports, config.vlans(), c.vid, c.add || c.vid == 10);
        WalkEnds(entry).wait(1);
        if (c.add)
            fill(entry, {{"vid", std::to_string(c.vid).c_str()}, {"name", "lab"}});
        for (const char* box : c.clicks)
            toggleAsScreenReader(entry.findChild<QCheckBox*>(box));
        EXPECT_EQ(setsBy(entry, kVlan, [&] { entry.ok(); }), c.expected) << c.vid << " " << c.refused;
        EXPECT_EQ(entry.result(), QDialog::Accepted);
        EXPECT_TRUE(prompter.shown().empty());

        config.refresh();
        configWalks.wait(4);
        const Texts listed = rowOf(*config.list(), std::to_string(c.vid));
        ASSERT_EQ(listed.size(), 5u) << c.vid;
        EXPECT_EQ((Texts{listed[3], listed[4]}), (Texts{c.listedEgress, c.listedUntagged})) << c.vid << " " << c.refused;
    }
}

TEST_F(VlanDialogsAgainstSimulator, PvidsOfFiftyTwoPortsAreWrittenOneRequestEach)
{
    sim::SwitchSettings settings = quietSwitch();
    settings.faults.answers = {{snmp::Oid{1, 3, 6, 1, 4, 1, 32473, 10, 75, 7, 7, 7, 1, 1, 1}, "40941"}};
    startSwitch("QMX-7752-ZA", settings);
    CVlanConfigurationDialog config(52, true);
    WalkEnds(config).wait(4);
    CPvidDialog pvid(52, config.vlans());
    WalkEnds(pvid).wait(2);
    EXPECT_EQ(pvid.pvidEdit(1)->text(), "40941") << "shown whole";
    Texts expected;
    for (int port = 1; port <= 52; ++port) {
        // Ports 43 to 46 are members of aggregated links and keep PVID 1.
        const std::string value = port >= 43 && port <= 46 ? "1" : port % 2 ? "10" : "20";
        pvid.pvidEdit(port)->setText(QString::fromStdString(value));
        expected.push_back(std::to_string(port) + "=" + value + "u");
    }
    pvid.apply();
    ASSERT_TRUE(waitForWrite(pvid, 30000));
    EXPECT_EQ(pvid.result(), QDialog::Accepted);
    EXPECT_EQ(takeSetTexts("1.3.6.1.4.1.32473.10.75.7.7.7.1.1."), expected);
}

TEST_F(VlanDialogsAgainstSimulator, DeleteDestroysTheRowAndAsymmetricModeAsksFirst)
{
    CVlanConfigurationDialog config(28, true);
    WalkEnds walks(config);
    walks.wait(4);
    config.list()->setCurrentItem(config.list()->findItems("30", Qt::MatchExactly).value(0));
    config.remove();
    walks.wait(4);
    EXPECT_EQ(takeSetTexts(kVlan), Texts{"5.30=6"});
    EXPECT_EQ(rowOf(*config.list(), "30"), Texts{});
    EXPECT_EQ(config.list()->topLevelItemCount(), 3);

    auto* box = config.findChild<QCheckBox*>("asymmetric");
    box->setChecked(true);
    config.applyAsymmetric(); // Cancel
    prompter.answer(true);
    config.applyAsymmetric();
    walks.wait(4);
    EXPECT_EQ(prompter.texts(), (Texts{kAsymmetricQuestion, kAsymmetricQuestion}));
    EXPECT_EQ(takeSetTexts("1.3.6.1.4.1.32473.10.75.7.7."), Texts{"5.0=1"});
    EXPECT_TRUE(box->isChecked());
}

TEST_F(VlanDialogsAgainstSimulator, VlanEditFlagOffKeepsChangesDisabledThroughRefreshes)
{
    for (const bool vlanEdit : {false, true}) {
        CVlanConfigurationDialog config(28, vlanEdit);
        WalkEnds walks(config);
        for (int refresh = 0; refresh < 2; ++refresh) {
            EXPECT_FALSE(config.findChild<QPushButton*>("pvid")->isEnabled()) << "PVID before the VLAN list is read";
            walks.wait(4);
            const Texts all{"add", "edit", "delete", "pvid", "refresh", "apply", "close"};
            EXPECT_EQ(enabledOf(config, all), vlanEdit ? all : Texts(all.begin() + 4, all.end()));
            EXPECT_EQ(config.list()->topLevelItemCount(), 4);
            config.refresh();
        }
        walks.wait(4);
    }
}
