// The question before a write that cuts the path from this computer to the
// switch: each (dialog, change) made with the path unknown, through another
// port, and through the changed one (Cancel, then OK).
#include "dialogs/port_check_grid.h"
#include "dialogs/port_range_control.h"
#include "dialogs/switching/dot1x_port_dialog.h"
#include "dialogs/switching/port_set_info.h"
#include "dialogs/switching/pvid_dialog.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/trunk_member_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "dialogs/switching/vlan_entry_dialog.h"
#include "simulated_switch_fixture.h"

#include <QTimer>

using namespace dialogs::switching;
using dialogs::CDialogBase;
using commands::ManagementPath;

namespace {

// Ends later on the asking thread, as the real read does.
class FixedPath final : public commands::ManagementPathSource {
public:
    explicit FixedPath(ManagementPath path) : m_path(std::move(path)) {}
    void read(std::function<void(const ManagementPath&)> done) override
    {
        QTimer::singleShot(0, [done = std::move(done), path = m_path] { done(path); });
    }
    ManagementPath last() const override { return m_path; }

private:
    ManagementPath m_path;
};

ManagementPath through(int port, int vlan = 1)
{
    ManagementPath path;
    path.known = true;
    path.port = port;
    path.vlan = vlan;
    path.untagged = vlan == 1;
    return path;
}
template <typename Dialog>
Dialog& as(CDialogBase& dialog) { return static_cast<Dialog&>(dialog); }

struct Row {
    std::function<CDialogBase*()> open;
    std::function<void(CDialogBase&)> change;
    ManagementPath cut, other;
    std::string what;
};

std::vector<Row> rows()
{
    std::string all = "1";
    for (int port = 2; port <= 28; ++port)
        all += "," + std::to_string(port);
    const std::vector<VlanEntry> vlans{{1, "default", all, all, 28, 28}, {10, "office", "1,2,3,4,5,6,7,8,26", "", 9, 0}};
    const auto entry = [vlans] { return new CVlanEntryDialog(false, 28, vlans, 1, false); };
    const auto member = [](const char* box) {
        return [box](CDialogBase& d) { toggleAsScreenReader(d.findChild<QCheckBox*>(box)), as<CVlanEntryDialog>(d).ok(); };
    };
    const auto trunks = [] { return new CTrunkConfigurationDialog(28); };
    return {
        {[] { return new CPortSetInfo({28, 4, false}); },
         [](CDialogBase& d) {
             as<CPortSetInfo>(d).selectRow(4);
             fill(d, {{"speed", "Disable"}, {"flowControl", "Disable"}});
             as<CPortSetInfo>(d).apply();
         },
         through(5), through(6), "This disables port 5."},
        {entry, member("Not Member_5"), through(5), through(6), "This removes port 5 from VLAN 1."},
        {entry, member("Tag_5"), through(5), through(6), "This makes port 5 tagged in VLAN 1."},
        {[vlans] { return new CPvidDialog(28, vlans); },
         [](CDialogBase& d) { as<CPvidDialog>(d).pvidEdit(5)->setText("10"), as<CPvidDialog>(d).apply(); }, through(5),
         through(6), "This changes the PVID of port 5 from 1 to 10."},
        {[] { return new CVlanConfigurationDialog(28, true); },
         [](CDialogBase& d) {
             QTreeWidget& list = *as<CVlanConfigurationDialog>(d).list();
             list.setCurrentItem(list.findItems("30", Qt::MatchExactly).value(0));
             as<CVlanConfigurationDialog>(d).remove();
         },
         through(5, 30), through(5), "This deletes VLAN 30."},
        // Ports 4 to 6 in one request.
        {[] { return new CDot1xPortDialog(28, {}); },
         [](CDialogBase& d) {
             as<CDot1xPortDialog>(d).range()->setRange(4, 6);
             fill(d, {{"control", "auto"}});
             as<CDot1xPortDialog>(d).apply();
         },
         through(5), through(7), "This sets the 802.1X port control of port 5 to auto."},
        {[] { return new CTrunkMemberDialog("1", "Static", "21,22", 28); },
         [](CDialogBase& d) { as<CTrunkMemberDialog>(d).ports()->setChecked(0, 23, true), as<CTrunkMemberDialog>(d).ok(); },
         through(23), through(24), "This puts port 23 into trunk 1."},
        {trunks,
         [](CDialogBase& d) {
             as<CTrunkConfigurationDialog>(d).list()->setCurrentItem(as<CTrunkConfigurationDialog>(d).list()->topLevelItem(0));
             fill(d, {{"mode", "Disable"}});
             as<CTrunkConfigurationDialog>(d).applyMode();
         },
         through(21), through(23), "This takes port 21 out of trunk 1."},
        {trunks, [](CDialogBase& d) { fill(d, {{"enable", "off"}}), as<CTrunkConfigurationDialog>(d).applyState(); },
         through(22), through(23), "This takes port 22 out of trunk 1."},
    };
}

class PathCut : public SimulatedSwitchTest<> {
protected:
    void TearDown() override
    {
        commands::setManagementPathSource(nullptr);
        SimulatedSwitchTest::TearDown();
    }

    // The sets `row` sends to a fresh switch with `path` read (none: unknown),
    // the question, if any, answered `ok`.
    Texts sets(const Row& row, std::optional<ManagementPath> path, bool ok = false)
    {
        startSwitch("QMX-7720-ZA");
        commands::setManagementPathSource(path ? std::make_shared<FixedPath>(*path) : nullptr);
        prompter.clear();
        if (ok)
            prompter.answer(true);
        const std::unique_ptr<CDialogBase> dialog(row.open());
        EXPECT_TRUE(waitForReads(*dialog));
        return setsBy(*dialog, "1.3.6.1.4.1.32473.10.75.7.", [&] { row.change(*dialog); });
    }
};

} // namespace

TEST_F(PathCut, AskedOnlyWhenTheChangeCutsThePathAndOkSendsWhatTheDialogSends)
{
    for (const Row& row : rows()) {
        SCOPED_TRACE(row.what);
        const Texts plain = sets(row, std::nullopt);
        EXPECT_NE(plain, Texts{});
        EXPECT_EQ(sets(row, row.other), plain);
        EXPECT_EQ(prompter.texts(), Texts{}) << "asked for a path it leaves alone";
        EXPECT_EQ(sets(row, row.cut), Texts{}) << "Cancel sent";
        EXPECT_EQ(prompter.texts(), Texts{row.what + "\n\nThis change cuts the path from this computer to the switch (port " +
                                          std::to_string(row.cut.port) + ", VLAN " + std::to_string(row.cut.vlan) +
                                          "). Apply it anyway?"});
        EXPECT_EQ(sets(row, row.cut, true), plain);
    }
}
