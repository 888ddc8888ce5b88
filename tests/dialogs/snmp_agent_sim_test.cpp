// The SNMP agent dialogs against the simulated switch in process: each
// creation's set requests compared whole, the scalars, deletion and the
// sessions' close order.
#include "debug_lines.h"
#include "dialogs/background_close.h"
#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_group_table_dialog.h"
#include "dialogs/management/snmp_host_table_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "dialogs/management/snmp_user_table_dialog.h"
#include "dialogs/management/snmp_view_table_dialog.h"
#include "simulated_switch_fixture.h"

using namespace dialogs;
using namespace dialogs::management;

namespace {

const std::string kAgent = "1.3.6.1.4.1.32473.10.75.7.25.";

using AgentDialogs = SimulatedSwitchTest<>;

// A row's creation: made to wait, the sets that fill it, then made active.
std::vector<std::string> creation(const std::string& status, std::vector<std::string> fills)
{
    fills.insert(fills.begin(), status + "=5");
    fills.push_back(status + "=1");
    return fills;
}

} // namespace

TEST_F(AgentDialogs, CreationsSendTheirRequestsInOrderAndTheNewRowIsListedOrDestroyedWhenAStepFails)
{
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CAgentTableDialog>()> open;
        Fields fields;
        std::vector<std::string> sets, listed;
    };
    const Case cases[] = {
        {"V1 user", [] { return std::make_unique<CSnmpUserTableDialog>(); }, {{"userName", "ab"}, {"groupName", "grp"}},
         creation("2.1.1.8.2.97.98.1", {"2.1.1.3.2.97.98.1=\"grp\""}), {"ab", "grp", "V1", "None", "None"}},
        {"V3 SHA and DES user", [] { return std::make_unique<CSnmpUserTableDialog>(); },
         {{"userName", "cd"}, {"groupName", "grp"}, {"version", "V3"}, {"encrypted", "on"}, {"authProtocol", "SHA"},
          {"authPassword", " authpass1 "}, {"privProtocol", "DES"}, {"privPassword", "privpass1"}},
         creation("2.1.1.8.2.99.100.3", {"2.1.1.3.2.99.100.3=\"grp\"", "2.1.1.4.2.99.100.3=3 2.1.1.6.2.99.100.3=2",
                                         "2.1.1.5.2.99.100.3=\"authpass1\" 2.1.1.7.2.99.100.3=\"privpass1\""}),
         {"cd", "grp", "V3", "SHA", "DES_CBC"}},
        // No binding without an OID: the view names reach the switch.
        {"group", [] { return std::make_unique<CSnmpGroupTableDialog>(); },
         {{"groupName", "g"}, {"model", "v3"}, {"level", "AuthPriv"}, {"readView", "r"}, {"writeView", "w"}, {"notifyView", "n"}},
         creation("3.1.1.7.1.103.3.3", {"3.1.1.4.1.103.3.3=\"r\" 3.1.1.5.1.103.3.3=\"w\" 3.1.1.6.1.103.3.3=\"n\""}),
         {"g", "r", "w", "n", "v3", "AuthPriv"}},
        {"view", [] { return std::make_unique<CSnmpViewTableDialog>(); },
         {{"viewName", "v"}, {"subtree", "1.3.6"}, {"mask", "1.1"}, {"type", "Excluded"}},
         creation("4.1.1.5.1.118.3.1.3.6", {"4.1.1.3.1.118.3.1.3.6=0x0101 4.1.1.4.1.118.3.1.3.6=2"}), {"v", "1.3.6", "1.1", "Excluded"}},
        {"community", [] { return std::make_unique<CSnmpCommunityTableDialog>(); }, {{"communityName", "com"}},
         creation("5.1.1.3.3.99.111.109", {"5.1.1.2.3.99.111.109=\"ab\""}), {"com", "ab"}},
        {"host", [] { return std::make_unique<CSnmpHostTableDialog>(); },
         {{"address", "10.0.0.1"}, {"version", "V3-AuthPriv"}, {"name", "pub"}},
         creation("6.1.1.4.10.0.0.1", {"6.1.1.2.10.0.0.1=\"pub\" 6.1.1.3.10.0.0.1=5"}), {"10.0.0.1", "V3-AuthPriv", "pub"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto dialog = c.open();
        const bool community = dynamic_cast<CSnmpCommunityTableDialog*>(dialog.get());
        WalkEnds(*dialog).wait(community ? 2 : 1); // the community dialog walks its table, then the users
        fill(*dialog, c.fields);
        if (community) { // the users of versions 1 and 2c only: the V1 user made above, the V3 one not
            EXPECT_EQ(items(*child<QComboBox>(*dialog, "user")), (std::vector<std::string>{"ab", "public", "private"}));
        }
        // Refused at its second step, the row is destroyed again; the inputs stay for the next try.
        const auto oidOf = [](const std::string& set) { return set.substr(0, set.find('=')); };
        m_transport->withSwitch([refused = kAgent + oidOf(c.sets[1])](sim::SimulatedSwitch& device) {
            device.refuseSets([refused](const snmp::Oid& oid, const snmp::Value&) { return snmp::oidToText(oid) == refused; });
        });
        EXPECT_EQ(setsAndRereadBy(*dialog, kAgent, [&] { dialog->apply(); }, community ? 2 : 1),
                  (Texts{c.sets[0], c.sets[1], oidOf(c.sets[0]) + "=6"}));
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Unsuccessful!"});
        EXPECT_TRUE(rowOf(*dialog->list(), c.listed.front()).empty());
        prompter.clear();
        m_transport->withSwitch([](sim::SimulatedSwitch& device) { device.refuseSets({}); });

        EXPECT_EQ(setsAndRereadBy(*dialog, kAgent, [&] { dialog->apply(); }, community ? 2 : 1), c.sets);
        EXPECT_TRUE(prompter.shown().empty());
        EXPECT_EQ(rowOf(*dialog->list(), c.listed.front()), c.listed);
    }
}

TEST_F(AgentDialogs, DeleteDestroysTheSelectedRowAndAsksForOneFirstAndTheFourSessionsCloseInOrder)
{
    DebugLines lines;
    {
        CSnmpCommunityTableDialog dialog;
        WalkEnds(dialog).wait(2);
        QTreeWidget& list = *dialog.list();
        ASSERT_EQ(list.topLevelItemCount(), 2);
        dialog.deleteSelected();
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{"Please select the item would be delete!\n"});
        EXPECT_EQ(takeSetTexts(""), Texts{});

        list.setCurrentItem(list.topLevelItem(1));
        dialog.deleteSelected();
        WalkEnds(dialog).wait(2);
        EXPECT_EQ(takeSetTexts(kAgent), std::vector<std::string>{"5.1.1.3.7.109.111.114.118.105.110.116=6"});
        ASSERT_EQ(list.topLevelItemCount(), 1);
        EXPECT_EQ(list.topLevelItem(0)->text(0), "qevtal");
        dialog.reject();
    }
    dialogs::waitForBackgroundCloses();
    EXPECT_EQ(lines.banners(),
              closeBanners({"m_cCommonSNMP", "m_cCommonSNMPSet", "m_cCommonSNMPTable", "m_cCommonSNMPGetUse"}));
}

TEST_F(AgentDialogs, EngineIdOddLengthAndDefaultAreWrittenThenReadBack)
{
    CSnmpEngineIdDialog dialog;
    auto* edit = child<QLineEdit>(dialog, "engineId");
    ASSERT_TRUE(waitUntil([&] { return !edit->text().isEmpty(); }));
    EXPECT_EQ(edit->text(), "800081d903000000005e005320");

    edit->setText("8000081c04465");
    EXPECT_EQ(setsBy(dialog, kAgent, [&] { dialog.apply(); }), std::vector<std::string>{"7.0=0x08000081c04465"});
    EXPECT_TRUE(waitUntil([&] { return edit->text() == "08000081c04465"; }));
    EXPECT_EQ(setsBy(dialog, kAgent, [&] { dialog.restoreDefault(); }), std::vector<std::string>{"7.0=0x8000081c044653"});
    EXPECT_TRUE(waitUntil([&] { return edit->text() == "8000081c044653"; }));
}

TEST_F(AgentDialogs, TrapsAreSixOrNineByModelAndGlobalStateRoundTrips)
{
    for (const auto& [model, count] : {std::pair<std::string, std::size_t>{"QMX-7720-ZA", 6}, {"QMX-7740-ZP", 9}}) {
        SCOPED_TRACE(model);
        startSwitch(model);
        CSnmpTrapDialog dialog(model);
        ASSERT_TRUE(waitUntil([&] { return child<QWidget>(dialog, "apply")->isEnabled(); }));
        EXPECT_EQ(child<QCheckBox>(dialog, "trap7")->isVisibleTo(&dialog), count == 9);
        child<QCheckBox>(dialog, "trap2")->setChecked(false);
        std::string expected;
        for (std::size_t i = 1; i <= count; ++i)
            expected += (i == 1 ? "8." : " 8.") + std::to_string(i) + ".0=" + (i == 2 ? "2" : "1");
        EXPECT_EQ(setsBy(dialog, kAgent, [&] { dialog.apply(); }), std::vector<std::string>{expected});
    }

    CSnmpGlobalStateDialog state;
    auto* enable = child<QCheckBox>(state, "enable");
    ASSERT_TRUE(waitUntil([&] { return enable->isChecked(); }));
    enable->setChecked(false);
    EXPECT_EQ(setsBy(state, kAgent, [&] { state.apply(); }), std::vector<std::string>{"1.0=2"});
    WalkEnds(state).wait(1); // read again after the set succeeded
    EXPECT_FALSE(enable->isChecked());
}
