#include "dialogs/management/lldp_global_dialog.h"
#include "dialogs/management/lldp_med_dialog.h"
#include "dialogs/management/lldp_remote_dialog.h"
#include "dialogs/management/surveillance_vlan_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "simulated_switch_fixture.h"
#include "widget_lookup.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace dialogs::management;
using dialogs::Binding;
using dialogs::Bindings;

namespace {

const std::string kLldp = "1.3.6.1.4.1.32473.10.75.6.24.";
const std::string kSurveillance = "1.3.6.1.4.1.32473.10.75.7.26.1.";
const std::string kOui = "1.3.6.1.4.1.32473.10.75.7.26.2.1.1.";

Binding integer(const std::string& oid, std::int64_t value)
{
    return {oid, snmp::kTypeInteger, std::to_string(value)};
}

// The LLDP and surveillance dialogs against a simulated switch in process.
class LldpAgainstSimulator : public SimulatedSwitchTest<> {
protected:
    void startSwitch(const std::string& model)
    {
        sim::SwitchSettings settings = quietSwitch();
        settings.rebootTime = std::chrono::milliseconds(20000);
        SimulatedSwitchTest::startSwitch(model, settings);
    }
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

TEST_F(LldpAgainstSimulator, GlobalSettingsShowTheSwitchAndSendTheTimersInOrder)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CLldpGlobalDialog dialog;
    auto* interval = child<QLineEdit>(dialog, "txInterval");
    auto* delay = child<QLineEdit>(dialog, "txDelay");
    ASSERT_TRUE(waitUntil([&] { return !interval->text().isEmpty(); }));
    EXPECT_TRUE(child<QCheckBox>(dialog, "enable")->isChecked());
    EXPECT_EQ(child<QLineEdit>(dialog, "holdMultiplier")->text() + " " + interval->text() + " " +
                  child<QLineEdit>(dialog, "reinitDelay")->text() + " " + delay->text(),
              "4 30 2 2");
    EXPECT_EQ(child<QLineEdit>(dialog, "chassisIdSubtype")->text(), "macAddress");
    EXPECT_EQ(child<QLineEdit>(dialog, "chassisId")->text(), "00-00-5E-00-53-20");

    interval->setText("40");
    delay->setText("10");
    takeSets();
    dialog.applyParameters();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_TRUE(prompter.shown().empty());
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{integer(kLldp + "2.0", 4), integer(kLldp + "3.0", 40),
                                                  integer(kLldp + "4.0", 2), integer(kLldp + "5.0", 10)}}));
}

TEST_F(LldpAgainstSimulator, StateApplyTriesThreeTimesSilentlyAndDisablingEmptiesTheRemoteTable)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    {
        CLldpRemoteDialog remote;
        ASSERT_TRUE(waitUntil([&] { return child<QLineEdit>(remote, "count")->text() == "3"; }));
        EXPECT_EQ(row(*remote.list(), 0), (std::vector<std::string>{"1", "1", "macAddress", "00-00-5E-00-53-A1",
                                                                    "interfaceName", "gi1/0/24", "uplink to floor 2",
                                                                    "core-1", "core switch, building A"}));
    }
    CLldpGlobalDialog dialog;
    auto* enable = child<QCheckBox>(dialog, "enable");
    ASSERT_TRUE(waitUntil([&] { return enable->isChecked(); }));
    enable->setChecked(false);
    takeSets();
    dialog.applyState();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), std::vector<Bindings>{{integer(kLldp + "1.0", 2)}});
    EXPECT_TRUE(prompter.shown().empty());

    // A switch that does not answer gets the set three times, and no message.
    m_transport->withSwitch([](sim::SimulatedSwitch& device) {
        EXPECT_EQ(device.set(sim::joined(sim::oids::kReboot, {0}), sim::integerValue(1)), sim::kNoError);
    });
    enable->setChecked(true);
    dialog.applyState();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), std::vector<Bindings>(3, {integer(kLldp + "1.0", 1)}));
    EXPECT_TRUE(prompter.shown().empty());
    dialog.reject();

    startSwitch("QMX-7720-ZA");
    m_transport->withSwitch([](sim::SimulatedSwitch& device) {
        device.set(sim::joined(sim::oids::kLldpSettings, {1, 0}), sim::integerValue(2));
    });
    CLldpRemoteDialog empty;
    ASSERT_TRUE(waitUntil([&] { return !prompter.shown().empty(); }));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"There is no LLDP Remote Port"});
    EXPECT_EQ(child<QLineEdit>(empty, "count")->text(), "0");
}

TEST_F(LldpAgainstSimulator, MedSetsEachPortOfTheRangeAndRefusesWhileLldpIsOff)
{
    startSwitch("QMX-7710-ZP");
    ScriptedPrompter prompter;
    CLldpMedDialog dialog(10);
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    EXPECT_TRUE(prompter.shown().empty());
    auto* from = child<QComboBox>(dialog, "fromPort");
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->count(), 4);

    from->setCurrentIndex(1);
    child<QComboBox>(dialog, "toPort")->setCurrentIndex(2);
    child<QComboBox>(dialog, "pseTlv")->setCurrentIndex(0);
    takeSets();
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{integer(kLldp + "7.1.2.2", 1)}, {integer(kLldp + "7.1.2.3", 1)}}));
    ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
    EXPECT_EQ(row(*dialog.list(), 2), (std::vector<std::string>{"3", "Enable"}));
    EXPECT_EQ(row(*dialog.list(), 3), (std::vector<std::string>{"4", "Disable"}));

    m_transport->withSwitch([](sim::SimulatedSwitch& device) {
        device.set(sim::joined(sim::oids::kLldpSettings, {1, 0}), sim::integerValue(2));
    });
    for (int refresh = 0; refresh < 2; ++refresh) {
        dialog.refresh();
        ASSERT_TRUE(waitForReads(dialog));
        ASSERT_TRUE(waitUntil([&] { return dialog.list()->topLevelItemCount() == 8; }));
        EXPECT_FALSE(child<QComboBox>(dialog, "pseTlv")->isEnabled());
        EXPECT_FALSE(from->isEnabled());
    }
    EXPECT_EQ(prompter.texts(), std::vector<std::string>(2, "The LLDP is disable ,so can not set LLDP MED !"));
}

TEST_F(LldpAgainstSimulator, SurveillanceOuisAddAndDeleteWithTheirChecks)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CSurveillanceVlanDialog dialog;
    waitRefresh(dialog);
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 1);
    EXPECT_EQ(row(*dialog.list(), 0),
              (std::vector<std::string>{"0", "Corvane_Surveillance_Device", "default", "00-00-5E-00-00-00"}));

    auto* mac = child<QLineEdit>(dialog, "mac");
    child<QLineEdit>(dialog, "description")->setText("lobby");
    child<QComboBox>(dialog, "componentType")->setCurrentIndex(2);
    mac->setText("00-00-5e-01-02-03");
    takeSets();
    dialog.add();
    mac->setText("00-11-22-AA-BB-CC");
    dialog.add();
    ASSERT_TRUE(waitForWrite(dialog));
    const std::string index = ".0.17.34.170.187.204";
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{integer(kOui + "5" + index, 4)},
                                                 {{kOui + "2" + index, snmp::kTypeOctetString, "lobby"},
                                                  integer(kOui + "4" + index, 2)}}));
    waitRefresh(dialog);
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 2);
    EXPECT_EQ(row(*dialog.list(), 1), (std::vector<std::string>{"1", "Video_Encoder", "lobby", "00-11-22-AA-BB-CC"}));
    EXPECT_TRUE(mac->text().isEmpty());

    dialog.remove();
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(0));
    dialog.remove();
    dialog.list()->setCurrentItem(dialog.list()->topLevelItem(1));
    dialog.remove();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), std::vector<Bindings>{{integer(kOui + "5" + index, 6)}});
    EXPECT_EQ(prompter.texts(), (std::vector<std::string>{"This OUI is default, please select the default mode!",
                                                          "Please Selecte the OUI Entry you would to delete",
                                                          "The default Surveillance OUI can not be deleted."}));
    waitRefresh(dialog);
    EXPECT_EQ(dialog.list()->topLevelItemCount(), 1);
}

TEST_F(LldpAgainstSimulator, SurveillanceApplyChecksTheVoiceVlanAndDisablingSendsTheStateAlone)
{
    startSwitch("QMX-7720-ZA");
    ScriptedPrompter prompter;
    CSurveillanceVlanDialog dialog;
    auto* enable = child<QCheckBox>(dialog, "enable");
    waitRefresh(dialog);
    const auto setVoice = [&](int state) {
        m_transport->withSwitch([state](sim::SimulatedSwitch& device) {
            device.set(sim::joined(sim::oids::kVoiceVlan, {2, 0}), sim::integerValue(state));
        });
    };
    setVoice(1);
    enable->setChecked(true);
    child<QComboBox>(dialog, "priority")->setCurrentIndex(1);
    takeSets();
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"The vlan ID already is voice vlan ID."});
    waitRefresh(dialog);
    EXPECT_TRUE(takeSets().empty());

    setVoice(2);
    enable->setChecked(true);
    child<QComboBox>(dialog, "priority")->setCurrentIndex(1);
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{integer(kSurveillance + "2.0", 1), integer(kSurveillance + "3.0", 1),
                                                  integer(kSurveillance + "1.0", 1)}}));
    waitRefresh(dialog);
    EXPECT_TRUE(enable->isChecked());
    EXPECT_EQ(child<QComboBox>(dialog, "priority")->currentText(), "High");

    enable->setChecked(false);
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), std::vector<Bindings>{{integer(kSurveillance + "1.0", 2)}});
}

TEST_F(LldpAgainstSimulator, SurveillanceRefreshHoldsItsControlsUntilTheOuiWalkEnds)
{
    startSwitch("QMX-7720-ZA");
    m_transport->withSwitch([](sim::SimulatedSwitch& device) { device.set(sim::joined(sim::oids::kSurveillance, {1, 0}), sim::integerValue(1)); });
    CSurveillanceVlanDialog dialog;
    // A second refresh between the walks would leave the VLAN combo half filled.
    std::vector<std::string> enabledBetweenWalks;
    int walks = 0;
    QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, [&] {
        for (const char* name : {"refresh", "apply", "add", "delete"})
            if (walks < 2 && child<QPushButton>(dialog, name)->isEnabled())
                enabledBetweenWalks.push_back(name);
        ++walks;
    });
    waitRefresh(dialog);
    EXPECT_EQ(enabledBetweenWalks, std::vector<std::string>{});
    EXPECT_TRUE(child<QPushButton>(dialog, "add")->isEnabled());
}
