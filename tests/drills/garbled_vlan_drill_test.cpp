// The VLAN dialogs that write back what they read, fed garbled answers: with
// a garbled PVID Apply stays off, and a VLAN row read garbled is either not
// listed or, with a port list too short for the switch, listed but refused
// for editing, so editing every listed VLAN without a change leaves the
// switch's VLANs and PVIDs as they were. (A list longer than the ports is
// read as a list: its further octets are ignored.)
#include "relayed_switch.h"

#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "dialogs/switching/vlan_entry_rules.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "walk_ends.h"
#include "write_wait.h"

namespace drills {
namespace {

enum class Dialog { Pvid, EditVlan };

struct Case {
    Dialog dialog;
    Garble garble;
};

constexpr const char* kPvidColumn = "1.3.6.1.4.1.32473.10.75.7.7.7.1.1";
// VLAN 10's egress ports: the row the edit drill garbles.
constexpr const char* kVlan10Egress = "1.3.6.1.4.1.32473.10.75.7.7.6.1.2.10";

class GarbledVlanDrill : public RelayedSwitch<::testing::TestWithParam<Case>> {
protected:
    // The VLAN table and the PVIDs as a clean walk sees them.
    static std::vector<WalkRow> switchState()
    {
        std::vector<std::string> columns = dialogs::switching::vlanTableRead().oids;
        std::vector<WalkRow> rows;
        for (const std::vector<std::string>& walked : {columns, std::vector<std::string>{kPvidColumn}}) {
            snmp::CCommonSnmp session;
            WalkCollector walk(session, walked);
            walk.start();
            EXPECT_TRUE(walk.waitForEnd());
            const std::vector<WalkRow> part = walk.rows();
            rows.insert(rows.end(), part.begin(), part.end());
        }
        return rows;
    }
};

TEST_P(GarbledVlanDrill, NothingAGarbledReadSaidIsWrittenBack)
{
    const Case c = GetParam();
    ScriptedPrompter prompter;
    const std::vector<WalkRow> before = switchState();
    ASSERT_GT(before.size(), 28u);
    relay.setFaults({.rewrite = [c](const snmp::Pdu& request, snmp::Pdu& answer) {
        garbleAnswer(c.garble, request, answer, [&c](const snmp::Oid& oid, Garble) {
            return c.dialog == Dialog::Pvid ? within(oid, kPvidColumn) : oid == oidOf(kVlan10Egress);
        });
    }});

    dialogs::switching::CVlanConfigurationDialog config(28, true);
    WalkEnds configWalks(config);
    configWalks.wait(3);
    EXPECT_GT(relay.counts().rewritten, 0);
    EXPECT_EQ(relay.counts().setRequests, 0) << "loading sent a set";

    if (c.dialog == Dialog::Pvid) {
        dialogs::switching::CPvidDialog pvid(28, config.vlans());
        WalkEnds pvidWalks(pvid);
        pvidWalks.wait(2);
        pvid.apply();
        EXPECT_TRUE(waitForWrite(pvid));
        EXPECT_TRUE(prompter.shown().empty());
        EXPECT_EQ(relay.counts().setRequests, 0);
    } else {
        ASSERT_FALSE(config.vlans().empty());
        const auto* garbled = dialogs::switching::findVlan(config.vlans(), 10);
        EXPECT_EQ(garbled != nullptr, c.garble == Garble::IntegerForText) << "listed";
        for (const dialogs::switching::VlanEntry& vlan : config.vlans()) {
            dialogs::switching::CVlanEntryDialog entry(false, 28, config.vlans(), vlan.vid, false);
            WalkEnds entryWalks(entry);
            entryWalks.wait(1);
            entry.ok();
            EXPECT_TRUE(waitForWrite(entry));
            EXPECT_EQ(entry.result(), vlan.partial ? QDialog::Rejected : QDialog::Accepted) << vlan.vid;
        }
        EXPECT_EQ(prompter.texts(), std::vector<std::string>(garbled ? 1 : 0, dialogs::switching::kPartialVlan));
        EXPECT_GT(relay.counts().setRequests, 0);
    }
    relay.setFaults({});
    EXPECT_EQ(switchState(), before);
}

INSTANTIATE_TEST_SUITE_P(VlanDialogs, GarbledVlanDrill,
                         ::testing::Values(Case{Dialog::Pvid, Garble::TextForInteger},
                                           Case{Dialog::Pvid, Garble::NoSuchName},
                                           Case{Dialog::Pvid, Garble::ShortAnswer},
                                           Case{Dialog::EditVlan, Garble::IntegerForText},
                                           Case{Dialog::EditVlan, Garble::NoSuchName},
                                           Case{Dialog::EditVlan, Garble::ShortAnswer}));

} // namespace
} // namespace drills
