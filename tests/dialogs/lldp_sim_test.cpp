#include "dialogs/management/lldp_global_dialog.h"
#include "dialogs/management/lldp_med_dialog.h"
#include "dialogs/management/lldp_remote_dialog.h"
#include "dialogs/management/surveillance_vlan_dialog.h"
#include "simulated_switch_fixture.h"

#include <QAbstractItemModel>

using namespace dialogs::management;

namespace {

const std::string kLldp = "1.3.6.1.4.1.32473.10.75.6.24.", kSurveillance = "1.3.6.1.4.1.32473.10.75.7.26.";

// The LLDP and surveillance dialogs against a simulated switch in process.
class LldpAgainstSimulator : public SimulatedSwitchTest<> {
protected:
    void startSwitch(const std::string& model)
    {
        SimulatedSwitchTest::startSwitch(model, {.rebootTime = std::chrono::milliseconds(20000), .scenario = false});
    }
    void SetUp() override { startSwitch("QMX-7720-ZA"); }
};

// Waits for the dialog's next refresh to end.
void waitRefresh(CSurveillanceVlanDialog& dialog)
{
    bool done = false;
    const auto connection = QObject::connect(&dialog, &CSurveillanceVlanDialog::refreshed, [&] { done = true; });
    EXPECT_TRUE(waitUntil([&] { return done; }));
    QObject::disconnect(connection);
}

} // namespace

TEST_F(LldpAgainstSimulator, GlobalSettingsSendTheTimersInOrderTheStateThriceSilentlyAndOffEmptiesTheRemoteTable)
{
    {
        CLldpRemoteDialog remote;
        // Refresh waits for the remote walk too, not only for the state get before it.
        Texts refreshWhileListing;
        QObject::connect(remote.list()->model(), &QAbstractItemModel::rowsInserted,
                         [&] { refreshWhileListing = enabledOf(remote, {"refresh"}); });
        ASSERT_TRUE(waitUntil([&] { return child<QLineEdit>(remote, "count")->text() == "3"; }));
        EXPECT_EQ(std::pair(refreshWhileListing, enabledOf(remote, {"refresh"})), std::pair(Texts{}, Texts{"refresh"}));
        EXPECT_EQ(row(*remote.list(), 0), (Texts{"1", "1", "macAddress", "00-00-5E-00-53-A1", "interfaceName", "gi1/0/24",
                                                 "uplink to floor 2", "core-1", "core switch, building A"}));
    }
    CLldpGlobalDialog dialog;
    ASSERT_TRUE(waitUntil([&] { return !child<QLineEdit>(dialog, "txInterval")->text().isEmpty(); }));
    EXPECT_EQ(shown(dialog, {"enable", "holdMultiplier", "txInterval", "reinitDelay", "txDelay", "chassisIdSubtype", "chassisId"}),
              (Texts{"on", "4", "30", "2", "2", "macAddress", "00-00-5E-00-53-20"}));
    fill(dialog, {{"txInterval", "40"}, {"txDelay", "10"}});
    EXPECT_EQ(setsBy(dialog, kLldp, [&] { dialog.applyParameters(); }), Texts{"2.0=4 3.0=40 4.0=2 5.0=10"});
    // Each Apply is held while the read that follows a write is out.
    EXPECT_FALSE(child<QPushButton>(dialog, "stateApply")->isEnabled());
    ASSERT_TRUE(waitForReads(dialog));
    auto* enable = child<QCheckBox>(dialog, "enable");
    enable->setChecked(false);
    EXPECT_EQ(setsBy(dialog, kLldp, [&] { dialog.applyState(); }), Texts{"1.0=2"});
    ASSERT_TRUE(waitForReads(dialog));
    EXPECT_TRUE(prompter.shown().empty());

    // A switch that does not answer gets the set three times, and no message.
    setOnSwitch(sim::joined(sim::oids::kReboot, {0}), sim::integerValue(1));
    enable->setChecked(true);
    EXPECT_EQ(setsBy(dialog, kLldp, [&] { dialog.applyState(); }), Texts(3, "1.0=1"));
    EXPECT_TRUE(prompter.shown().empty());
    dialog.reject();

    startSwitch("QMX-7720-ZA");
    setOnSwitch(sim::joined(sim::oids::kLldpSettings, {1, 0}), sim::integerValue(2));
    CLldpRemoteDialog empty;
    ASSERT_TRUE(waitUntil([&] { return !prompter.shown().empty(); }));
    EXPECT_EQ(prompter.texts(), Texts{"There is no LLDP Remote Port"});
    EXPECT_EQ(child<QLineEdit>(empty, "count")->text(), "0");
}

TEST_F(LldpAgainstSimulator, MedSetsEachPortOfTheRangeAndRefusesWhileLldpIsOff)
{
    startSwitch("QMX-7710-ZP");
    CLldpMedDialog dialog(10);
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    EXPECT_TRUE(prompter.shown().empty());
    auto* from = child<QComboBox>(dialog, "fromPort");
    EXPECT_EQ(from->count(), 4);
    from->setCurrentIndex(1);
    child<QComboBox>(dialog, "toPort")->setCurrentIndex(2);
    child<QComboBox>(dialog, "pseTlv")->setCurrentIndex(0);
    EXPECT_EQ(setsBy(dialog, kLldp, [&] { dialog.apply(); }), (Texts{"7.1.2.2=1", "7.1.2.3=1"}));
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    EXPECT_EQ(row(*dialog.list(), 2), (Texts{"3", "Enable"}));
    EXPECT_EQ(row(*dialog.list(), 3), (Texts{"4", "Disable"}));

    setOnSwitch(sim::joined(sim::oids::kLldpSettings, {1, 0}), sim::integerValue(2));
    for (int refresh = 0; refresh < 2; ++refresh) {
        dialog.refresh();
        ASSERT_TRUE(waitForReads(dialog));
        ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
        EXPECT_EQ(enabledOf(dialog, {"pseTlv", "fromPort"}), Texts{});
    }
    EXPECT_EQ(prompter.texts(), Texts(2, "The LLDP is disable ,so can not set LLDP MED !"));
}

TEST_F(LldpAgainstSimulator, SurveillanceOuisAddAndDeleteWithTheirChecks)
{
    CSurveillanceVlanDialog dialog;
    waitRefresh(dialog);
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 1);
    EXPECT_EQ(row(*dialog.list(), 0), (Texts{"0", "Corvane_Surveillance_Device", "default", "00-00-5E-00-00-00"}));

    child<QComboBox>(dialog, "componentType")->setCurrentIndex(2);
    fill(dialog, {{"description", "lobby"}, {"mac", "00-11-22-AA-BB-CC"}});
    const std::string oui = kSurveillance + "2.1.1.";
    EXPECT_EQ(setsBy(dialog, oui, [&] { dialog.add(); }),
              (Texts{"5.0.17.34.170.187.204=4", "2.0.17.34.170.187.204=\"lobby\" 4.0.17.34.170.187.204=2"}));
    waitRefresh(dialog);
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 2);
    EXPECT_EQ(row(*dialog.list(), 1), (Texts{"1", "Video_Encoder", "lobby", "00-11-22-AA-BB-CC"}));
    EXPECT_TRUE(child<QLineEdit>(dialog, "mac")->text().isEmpty());

    dialog.remove();
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    dialog.remove();
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
    dialog.remove();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSetTexts(oui), Texts{"5.0.17.34.170.187.204=6"});
    EXPECT_EQ(prompter.texts(), (Texts{"Please Selecte the OUI Entry you would to delete",
                                                          "The default Surveillance OUI can not be deleted."}));
    waitRefresh(dialog);
    EXPECT_EQ(dialog.list()->topLevelItemCount(), 1);
}

// Switched on, the refresh reads the VLANs and then the OUIs.
TEST_F(LldpAgainstSimulator, SurveillanceHoldsItsControlsThroughTheRefreshAndApplyChecksTheVoiceVlan)
{
    setOnSwitch(sim::joined(sim::oids::kSurveillance, {1, 0}), sim::integerValue(1));
    CSurveillanceVlanDialog dialog;
    // A second refresh between the walks would leave the VLAN combo half filled;
    // Apply waits for the VLANs and the settings, Add and Delete for the OUIs.
    Texts enabledBetweenWalks;
    int walks = 0;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, [&] {
        const Texts enabled = enabledOf(dialog, {"refresh", "apply", "add", "delete"});
        if (walks++ < 2) {
            std::string line = std::to_string(walks) + ":";
            for (const std::string& name : enabled)
                line += " " + name;
            enabledBetweenWalks.push_back(line);
        }
    });
    waitRefresh(dialog);
    EXPECT_EQ(enabledBetweenWalks, (Texts{"1:", "2: apply"}));
    EXPECT_TRUE(child<QPushButton>(dialog, "add")->isEnabled());

    // While the voice VLAN, of the same ID, is on, nothing is sent.
    for (const int voice : {1, 2}) {
        setOnSwitch(sim::joined(sim::oids::kVoiceVlan, {2, 0}), sim::integerValue(voice));
        child<QComboBox>(dialog, "priority")->setCurrentIndex(1);
        dialog.apply();
        ASSERT_TRUE(waitForWrite(dialog));
        waitRefresh(dialog);
    }
    EXPECT_EQ(prompter.texts(), Texts{"The vlan ID already is voice vlan ID."});
    EXPECT_EQ(takeSetTexts(kSurveillance), Texts{"1.2.0=1 1.3.0=1 1.1.0=1"});
    EXPECT_EQ(shown(dialog, {"enable", "priority"}), (Texts{"on", "High"}));

    // With no VLAN offered, nothing is sent.
    child<QComboBox>(dialog, "vlan")->clear();
    EXPECT_EQ(setsBy(dialog, kSurveillance, [&] { dialog.apply(); }), Texts{});
    EXPECT_EQ(prompter.texts().back(), "No Vlan ID to apply: the switch offered none. Press Refresh to read its VLANs again.");

    child<QCheckBox>(dialog, "enable")->setChecked(false);
    EXPECT_EQ(setsBy(dialog, kSurveillance, [&] { dialog.apply(); }), Texts{"1.1.0=2"});
}

// A surveillance VLAN the filtering table does not list is shown and written back as read.
TEST_F(LldpAgainstSimulator, SurveillanceVlanMissingFromTheListStaysTheOneWritten)
{
    setOnSwitch(sim::joined(sim::oids::kSurveillance, {1, 0}), sim::integerValue(1));
    setOnSwitch(sim::joined(sim::oids::kSurveillance, {2, 0}), sim::integerValue(20));
    CSurveillanceVlanDialog dialog;
    waitRefresh(dialog);
    auto* vlan = child<QComboBox>(dialog, "vlan");
    EXPECT_EQ(std::pair(vlan->currentText().toStdString(), vlan->findText("1")), std::pair(std::string("20"), 0));
    child<QComboBox>(dialog, "priority")->setCurrentIndex(3);
    EXPECT_EQ(setsBy(dialog, kSurveillance, [&] { dialog.apply(); }), Texts{"1.2.0=20 1.3.0=3 1.1.0=1"});

    // A voice VLAN check that gets no answer lets nothing through unchecked.
    sim::SwitchSettings silent = quietSwitch();
    silent.faults.silentGets = {sim::joined(sim::oids::kVoiceVlan, {2, 0})};
    SimulatedSwitchTest::startSwitch("QMX-7720-ZA", silent);
    CSurveillanceVlanDialog unchecked;
    waitRefresh(unchecked);
    EXPECT_EQ(setsBy(unchecked, kSurveillance, [&] { unchecked.apply(); }), Texts{});
    EXPECT_EQ(prompter.texts(), Texts{"Could not read the switch."});
}
