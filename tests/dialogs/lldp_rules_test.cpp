#include "dialogs/management/lldp_rules.h"
#include "dialogs/management/surveillance_rules.h"

#include <gtest/gtest.h>

using namespace dialogs::management;

namespace {

const std::string kHold = "The Message TX Hold Multipier should be 2-10";
const std::string kInterval = "The Message TX Interval should be 5-32768";
const std::string kReinit = "The LLDP Reinit Delay should be 1-10";
const std::string kDelay = "The LLDP TX Delay should be 1-8192";
const std::string kQuarter = "LLDP TX Delay should be <= 0.25 * (Message TX Interval)";

} // namespace

TEST(LldpRules, ParameterChecksInOrder)
{
    const std::pair<LldpParameters, std::string> cases[] = {
        {{2, 30, 2, 7}, ""},          {{10, 32768, 10, 8192}, ""},  {{1, 30, 2, 2}, kHold},
        {{11, 30, 2, 2}, kHold},      {{2, 4, 2, 1}, kInterval},    {{2, 32769, 2, 2}, kInterval},
        {{2, 30, 0, 2}, kReinit},     {{2, 30, 11, 2}, kReinit},    {{2, 30, 2, 0}, kDelay},
        {{2, 32768, 2, 8193}, kDelay}, {{2, 30, 2, 8}, kQuarter},   {{0, 0, 0, 0}, kHold}, {{2, 0, 0, 9000}, kInterval},
    };
    for (const auto& [p, message] : cases)
        EXPECT_EQ(checkLldpParameters(p), message) << p.holdMultiplier << " " << p.txInterval << " " << p.reinitDelay << " " << p.txDelay;
}

TEST(LldpRules, SubtypesAndChassisIdTexts)
{
    EXPECT_EQ(chassisIdText(std::string("\x00\x11\x22\xAA\xBB\xCC", 6)), "00-11-22-AA-BB-CC");
    EXPECT_EQ(chassisIdText(""), "");
    using Texts = std::vector<std::string>;
    EXPECT_EQ((Texts{chassisSubtypeName("1"), chassisSubtypeName("4"), chassisSubtypeName("7"), chassisSubtypeName("8"),
                     chassisSubtypeName("0"), portSubtypeName("1"), portSubtypeName("3"), portSubtypeName("6"), portSubtypeName("7")}),
              (Texts{"chassisComponent", "macAddress", "local", "8", "0", "interfaceAlias", "macAddress", "agentCircuitld", "local"}));
}

TEST(SurveillanceRules, OuiAddChecksInOrder)
{
    const std::string format = "Please enter correct MAC format(ex:00-00-00-00-00-01)";
    const std::string isDefault = "This OUI is default, please select the default mode!";
    const std::vector<std::string> listed{"00-00-5E-00-00-00", "00-11-22-AA-BB-CC"};
    const std::vector<std::string> full{"00-00-5E-00-00-00", "00-00-00-00-00-01", "00-00-00-00-00-02",
                                        "00-00-00-00-00-03", "00-00-00-00-00-04", "00-00-00-00-00-05"};
    // Description, MAC, the OUIs listed, message.
    const std::tuple<std::string, std::string, const std::vector<std::string>*, std::string> cases[] = {
        {"cam", "00-11-22-33-44-55", &listed, ""}, {"cam,1", "00-11-22-33-44-55", &listed, "Invalid Description."},
        {"cam", "00-11-22-33-44-5", &listed, format}, {"cam", "00:11:22:33:44:55", &listed, format},
        {"cam", "00-00-00-00-00-00", &listed, format}, {"cam", "00-11-22-33-44-5G", &listed, format},
        {"cam", "ff-FF-ff-FF-ff-FF", &listed, "Broadcast MAC is not allowed."},
        {"cam", "01-00-5E-00-00-01", &listed, "Multicast MAC is not allowed."}, {"cam", "00-00-5E-01-02-03", &listed, isDefault},
        {"cam", "00-00-5e-01-02-03", &listed, isDefault}, // any letter case
        {"cam", "00-11-22-aa-bb-cc", &listed, "The OUI is already exist!"},
        {"cam", "00-11-22-33-44-55", &full, "OUI Table is full,Maximum user defined OUI is 5."},
        {"cam", "00-00-00-00-00-05", &full, "The OUI is already exist!"},
    };
    for (const auto& [description, mac, ouis, message] : cases)
        EXPECT_EQ(checkOuiAdd(description, mac, *ouis), message) << description << " " << mac;
}

TEST(SurveillanceRules, ApplyRefusesAsymmetricVlansTheVoiceVlanAndNoVlan)
{
    EXPECT_EQ(checkSurveillanceApply({"1", "2", "5"}, "6"), "Auto Surveillance Vlan can not support in Asymmetric VLAN mode.");
    EXPECT_EQ(checkSurveillanceApply({"2", "1", "5"}, "6"), "");
    // Enabling needs a VLAN; disabling sends none.
    EXPECT_EQ(checkSurveillanceVlanChoice(true, "") + "|" + checkSurveillanceVlanChoice(false, "") + checkSurveillanceVlanChoice(true, "30"),
              "No Vlan ID to apply: the switch offered none. Press Refresh to read its VLANs again.|");
}
