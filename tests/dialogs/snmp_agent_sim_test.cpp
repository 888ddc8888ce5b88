// The SNMP agent dialogs against the simulated switch in process: each
// creation's set requests compared whole, the scalars, deletion and the
// sessions' close order.
#include "debug_lines.h"
#include "dialogs/management/snmp_community_table_dialog.h"
#include "dialogs/management/snmp_engine_id_dialog.h"
#include "dialogs/management/snmp_global_state_dialog.h"
#include "dialogs/management/snmp_group_table_dialog.h"
#include "dialogs/management/snmp_host_table_dialog.h"
#include "dialogs/management/snmp_trap_dialog.h"
#include "dialogs/management/snmp_user_table_dialog.h"
#include "dialogs/management/snmp_view_table_dialog.h"
#include "dialogs/ip_address_edit.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "simulated_switch_fixture.h"
#include "walk_ends.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dialogs;
using namespace dialogs::management;

namespace {

const std::string kAgent = "1.3.6.1.4.1.32473.10.75.7.25";

class AgentDialogs : public SimulatedSwitchTest<> {
protected:
    void SetUp() override { startSwitch("QMX-7720-ZA"); }

    // The community dialog walks its table, then the users.
    static void waitForWalk(CDialogBase& dialog, int walks = 1) { WalkEnds(dialog).wait(walks); }

    // Applies, waits for the write and the walk after it.
    void applyAndReread(CAgentTableDialog& dialog, int walks)
    {
        WalkEnds ends(dialog);
        dialog.apply();
        ASSERT_TRUE(waitForWrite(dialog));
        ends.wait(walks);
    }

    template <typename T>
    static T* child(const QObject& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void type(const QObject& dialog, const char* name, const char* text)
    {
        child<QLineEdit>(dialog, name)->setText(QString::fromUtf8(text));
    }
    static void choose(const QObject& dialog, const char* name, const char* item)
    {
        auto* box = child<QComboBox>(dialog, name);
        box->setCurrentIndex(box->findText(QString::fromUtf8(item)));
        ASSERT_GE(box->currentIndex(), 0) << item;
    }
    static std::vector<std::string> rowOf(const QTreeWidget& list, const std::string& first)
    {
        for (int i = 0; i < list.topLevelItemCount(); ++i)
            if (list.topLevelItem(i)->text(0).toStdString() == first) {
                std::vector<std::string> texts;
                for (int c = 0; c < list.columnCount(); ++c)
                    texts.push_back(list.topLevelItem(i)->text(c).toStdString());
                return texts;
            }
        return {};
    }

    ScriptedPrompter m_prompter;
};

Binding integer(const std::string& oid, int value)
{
    return {oid, snmp::kTypeInteger, std::to_string(value)};
}

Binding octets(const std::string& oid, std::string value)
{
    return {oid, snmp::kTypeOctetString, std::move(value)};
}

} // namespace

namespace dialogs {
void PrintTo(const Binding& b, std::ostream* out)
{
    *out << b.oid << " " << b.type << " \"" << b.value << "\"";
}
} // namespace dialogs

TEST_F(AgentDialogs, CreationsSendTheirRequestsInOrderAndTheNewRowIsListed)
{
    const std::string user = kAgent + ".2.1.1.", group = kAgent + ".3.1.1.", view = kAgent + ".4.1.1.",
                      community = kAgent + ".5.1.1.", host = kAgent + ".6.1.1.";
    struct Case {
        const char* what;
        std::function<std::unique_ptr<CAgentTableDialog>()> open;
        std::function<void(CAgentTableDialog&)> fill;
        std::vector<Bindings> sets;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"V1 user", [] { return std::make_unique<CSnmpUserTableDialog>(); },
         [](CAgentTableDialog& d) {
             type(d, "userName", "ab");
             type(d, "groupName", "grp");
         },
         {{integer(user + "8.2.97.98.1", 5)}, {octets(user + "3.2.97.98.1", "grp")}, {integer(user + "8.2.97.98.1", 1)}},
         {"ab", "grp", "V1", "None", "None"}},
        {"V3 SHA and DES user", [] { return std::make_unique<CSnmpUserTableDialog>(); },
         [](CAgentTableDialog& d) {
             type(d, "userName", "cd");
             type(d, "groupName", "grp");
             choose(d, "version", "V3");
             child<QCheckBox>(d, "encrypted")->setChecked(true);
             choose(d, "authProtocol", "SHA");
             type(d, "authPassword", " authpass1 ");
             choose(d, "privProtocol", "DES");
             type(d, "privPassword", "privpass1");
         },
         {{integer(user + "8.2.99.100.3", 5)},
          {octets(user + "3.2.99.100.3", "grp")},
          {integer(user + "4.2.99.100.3", 3), integer(user + "6.2.99.100.3", 2)},
          {octets(user + "5.2.99.100.3", "authpass1"), octets(user + "7.2.99.100.3", "privpass1")},
          {integer(user + "8.2.99.100.3", 1)}},
         {"cd", "grp", "V3", "SHA", "DES_CBC"}},
        // No binding without an OID: the view names reach the switch.
        {"group", [] { return std::make_unique<CSnmpGroupTableDialog>(); },
         [](CAgentTableDialog& d) {
             type(d, "groupName", "g");
             choose(d, "model", "v3");
             choose(d, "level", "AuthPriv");
             type(d, "readView", "r");
             type(d, "writeView", "w");
             type(d, "notifyView", "n");
         },
         {{integer(group + "7.1.103.3.3", 5)},
          {octets(group + "4.1.103.3.3", "r"), octets(group + "5.1.103.3.3", "w"), octets(group + "6.1.103.3.3", "n")},
          {integer(group + "7.1.103.3.3", 1)}},
         {"g", "r", "w", "n", "v3", "AuthPriv"}},
        {"view", [] { return std::make_unique<CSnmpViewTableDialog>(); },
         [](CAgentTableDialog& d) {
             type(d, "viewName", "v");
             type(d, "subtree", "1.3.6");
             type(d, "mask", "1.1");
             choose(d, "type", "Excluded");
         },
         {{integer(view + "5.1.118.3.1.3.6", 5)},
          {octets(view + "3.1.118.3.1.3.6", std::string("\x01\x01", 2)), integer(view + "4.1.118.3.1.3.6", 2)},
          {integer(view + "5.1.118.3.1.3.6", 1)}},
         {"v", "1.3.6", "1.1", "Excluded"}},
        {"community", [] { return std::make_unique<CSnmpCommunityTableDialog>(); },
         [](CAgentTableDialog& d) {
             type(d, "communityName", "com");
             // The combo offers the users of versions 1 and 2c only.
             // (the V1 user made above among them, the V3 one not).
             auto* users = child<QComboBox>(d, "user");
             ASSERT_EQ(users->count(), 3);
             EXPECT_EQ(users->currentText(), "ab");
             EXPECT_EQ(users->itemText(1), "public");
             EXPECT_EQ(users->itemText(2), "private");
         },
         {{integer(community + "3.3.99.111.109", 5)},
          {octets(community + "2.3.99.111.109", "ab")},
          {integer(community + "3.3.99.111.109", 1)}},
         {"com", "ab"}},
        {"host", [] { return std::make_unique<CSnmpHostTableDialog>(); },
         [](CAgentTableDialog& d) {
             child<CIpAddressEdit>(d, "address")->setText("10.0.0.1");
             choose(d, "version", "V3-AuthPriv");
             type(d, "name", "pub");
         },
         {{integer(host + "4.10.0.0.1", 5)},
          {octets(host + "2.10.0.0.1", "pub"), integer(host + "3.10.0.0.1", 5)},
          {integer(host + "4.10.0.0.1", 1)}},
         {"10.0.0.1", "V3-AuthPriv", "pub"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto dialog = c.open();
        const int walks = dynamic_cast<CSnmpCommunityTableDialog*>(dialog.get()) ? 2 : 1;
        waitForWalk(*dialog, walks);
        c.fill(*dialog);
        takeSets();
        applyAndReread(*dialog, walks);
        EXPECT_EQ(takeSets(), c.sets);
        EXPECT_TRUE(m_prompter.shown().empty());
        EXPECT_EQ(rowOf(*dialog->list(), c.listed.front()), c.listed);
    }
}

TEST_F(AgentDialogs, DeleteDestroysTheSelectedRowAndAsksForOneFirst)
{
    CSnmpCommunityTableDialog dialog;
    waitForWalk(dialog, 2);
    QTreeWidget& list = *dialog.list();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    dialog.deleteSelected();
    EXPECT_EQ(m_prompter.texts(), std::vector<std::string>{"Please select the item would be delete!\n"});
    EXPECT_TRUE(takeSets().empty());

    list.setCurrentItem(list.topLevelItem(1));
    dialog.deleteSelected();
    waitForWalk(dialog, 2);
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{integer(kAgent + ".5.1.1.3.7.109.111.114.118.105.110.116", 6)}}));
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(0), "qevtal");
}

TEST_F(AgentDialogs, EngineIdOddLengthAndDefaultAreWrittenThenReadBack)
{
    CSnmpEngineIdDialog dialog;
    auto* edit = child<QLineEdit>(dialog, "engineId");
    ASSERT_TRUE(waitUntil([&] { return !edit->text().isEmpty(); }));
    EXPECT_EQ(edit->text(), "800081d903000000005e005320");

    const auto write = [&](auto action) {
        takeSets();
        action();
        EXPECT_TRUE(waitForWrite(dialog));
        settle(50);
        return takeSets();
    };
    edit->setText("8000081c04465");
    EXPECT_EQ(write([&] { dialog.apply(); }),
              (std::vector<Bindings>{{octets(kAgent + ".7.0", std::string("\x08\x00\x00\x81\xc0\x44\x65", 7))}}));
    EXPECT_TRUE(waitUntil([&] { return edit->text() == "08000081c04465"; }));
    EXPECT_EQ(write([&] { dialog.restoreDefault(); }),
              (std::vector<Bindings>{{octets(kAgent + ".7.0", std::string("\x80\x00\x08\x1c\x04\x46\x53", 7))}}));
    EXPECT_TRUE(waitUntil([&] { return edit->text() == "8000081c044653"; }));
    edit->setText("80000");
    EXPECT_TRUE(write([&] { dialog.apply(); }).empty());
    EXPECT_EQ(m_prompter.texts(), std::vector<std::string>{"ID length is 10-64"});
}

TEST_F(AgentDialogs, TrapsAreSixOrNineByModelAndGlobalStateRoundTrips)
{
    for (const auto& [model, count] : {std::pair<std::string, std::size_t>{"QMX-7720-ZA", 6}, {"QMX-7740-ZP", 9}}) {
        SCOPED_TRACE(model);
        startSwitch(model);
        CSnmpTrapDialog dialog(model);
        auto* apply = child<QWidget>(dialog, "apply");
        ASSERT_TRUE(waitUntil([&] { return apply->isEnabled(); }));
        EXPECT_EQ(child<QCheckBox>(dialog, "trap7")->isVisibleTo(&dialog), count == 9);
        child<QCheckBox>(dialog, "trap2")->setChecked(false);
        takeSets();
        dialog.apply();
        ASSERT_TRUE(waitForWrite(dialog));
        Bindings expected;
        for (std::size_t i = 1; i <= count; ++i)
            expected.push_back(integer(kAgent + ".8." + std::to_string(i) + ".0", i == 2 ? 2 : 1));
        EXPECT_EQ(takeSets(), std::vector<Bindings>{expected});
    }

    CSnmpGlobalStateDialog state;
    auto* enable = child<QCheckBox>(state, "enable");
    ASSERT_TRUE(waitUntil([&] { return enable->isChecked(); }));
    enable->setChecked(false);
    takeSets();
    state.apply();
    ASSERT_TRUE(waitForWrite(state));
    waitForWalk(state); // read again after the set succeeded
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{integer(kAgent + ".1.0", 2)}}));
    EXPECT_FALSE(enable->isChecked());
}

TEST_F(AgentDialogs, TheFourSessionsCloseInTheirOrder)
{
    DebugLines lines;
    {
        CSnmpUserTableDialog dialog;
        waitForWalk(dialog);
        dialog.reject();
    }
    EXPECT_EQ(lines.banners(), (std::vector<std::string>{"==================DestroyWindow===============",
                                                         "==================m_cCommonSNMP.Close===============",
                                                         "==================m_cCommonSNMPSet.Close===============",
                                                         "==================m_cCommonSNMPTable.Close===============",
                                                         "==================m_cCommonSNMPGetUse.Close==============="}));
}
