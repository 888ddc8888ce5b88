#include "dialogs/ip_address_edit.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/transfer_dialog.h"
#include "simulated_switch_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

using namespace dialogs;
using namespace dialogs::management;

const std::string kT = "1.3.6.1.4.1.32473.10.75.7.3.";
const std::string kS = "1.3.6.1.4.1.32473.10.75.7.16.1.";

using std::chrono_literals::operator""ms;

class TransferDialogs : public SimulatedSwitchTest<> {
protected:
    void SetUp() override { startSwitch("QMX-7720-ZA", {.scenario = false, .transferQueued = 150ms, .transferRunning = 150ms}); }
};

const TransferTimings kQuick{.firmwareFirstPoll = 40ms, .configurationFirstPoll = 40ms, .runningPoll = 50ms,
                             .waitingPoll = 30ms, .retryPoll = 30ms, .firstTick = 20ms, .tick = 25ms, .overall = 800ms};

// The paths' messages and times are the machine's (transfer_machine_test);
// here the dialog's checks, the bindings of each kind, and the controls.
TEST_F(TransferDialogs, ATransferWritesItsKindsBindingsAndGivesTheControlsBack)
{
    CTransferDialog dialog(kQuick);
    dialog.show();
    auto* fileName = child<QLineEdit>(dialog, "fileName");
    for (int length : {64, 65})
        fileName->setText(QString(length, QLatin1Char('f')));
    EXPECT_EQ(std::pair(fileName->text(), prompter.texts()), std::pair(QString(64, QLatin1Char('f')), std::vector<std::string>{kFileNameTooLong}));
    auto* apply = child<QPushButton>(dialog, "apply");
    // Firmware or configuration, upgrade or backup, server, file, the last message.
    // Each transfer twice: the second starts from nothing the first left behind.
    using Case = std::tuple<bool, bool, std::string, std::string, std::string>;
    for (const auto& [firmware, upgrade, server, file, message] : std::initializer_list<Case>{
             {false, false, "192.0.2.50", "switch.cfg", "Success !"}, {false, false, "192.0.2.50", "switch.cfg", "Success !"},
             {true, true, "192.0.2.50", "image.bin", "Success !"}, {true, true, "192.0.2.50", "image.bin", "Success !"},
             {true, false, "255.1.1.1", "", "Invalid TFTP server IP."}, {false, false, "10.0.0.1", "", "Invalid file."}}) {
        SCOPED_TRACE(file + " " + server + " " + message);
        const bool refused = message.starts_with("Invalid");
        child<QComboBox>(dialog, "fileType")->setCurrentIndex(firmware ? 1 : 0);
        child<QComboBox>(dialog, "operationType")->setCurrentIndex(upgrade ? 0 : 1);
        child<CIpAddressEdit>(dialog, "server")->setText(QString::fromStdString(server));
        fileName->setText(QString::fromStdString(file));
        prompter.clear();
        prompter.answer(true);
        dialog.apply();
        if (!refused) {
            EXPECT_FALSE(apply->isEnabled() || child<QPushButton>(dialog, "close")->isEnabled());
            dialog.reject();
            EXPECT_TRUE(dialog.isVisible()) << "closed while transferring";
        }
        ASSERT_TRUE(waitUntil([&] { return apply->isEnabled() && !dialog.writing(); }));
        settle(80);
        EXPECT_EQ(prompter.texts(), (upgrade ? std::vector<std::string>{kUpgradeQuestion, message} : std::vector<std::string>{message}));
        EXPECT_EQ(child<QProgressBar>(dialog, "progress")->value() == 99, !refused);
        // Server, file and operation: firmware's columns 1 to 3, configuration's 5 to 7.
        const auto oid = [firmware = firmware](int column) { return std::to_string(firmware ? column : column + 4) + ".0="; };
        const Texts sent{oid(1) + server + " " + oid(2) + '"' + file + '"', oid(3) + (upgrade ? "1" : "2")};
        EXPECT_EQ(takeSetTexts(kT), refused ? Texts{} : sent);
    }
}

TEST_F(TransferDialogs, SyslogApplyWritesOnlyWhatPassedItsChecks)
{
    CSyslogHostDialog dialog;
    ASSERT_TRUE(waitUntil([&] { return child<QPushButton>(dialog, "apply")->isEnabled(); }));
    auto* address = child<CIpAddressEdit>(dialog, "address");
    auto* port = child<QLineEdit>(dialog, "port");
    EXPECT_FALSE(port->isEnabled());
    // Unchecked: the state alone.
    EXPECT_EQ(setsBy(dialog, kS, [&] { dialog.apply(); }), std::vector<std::string>{"6.0=2"});
    // Apply is held until the read that follows it has shown the switch's values.
    ASSERT_TRUE(waitForReads(dialog));

    toggleAsScreenReader(child<QCheckBox>(dialog, "enable"));
    EXPECT_EQ(std::pair(port->isEnabled(), address->field(3)->accessibleName()), std::pair(true, QString("Host IP octet 4")));
    child<QComboBox>(dialog, "facility")->setCurrentIndex(3);
    child<QComboBox>(dialog, "severity")->setCurrentIndex(2);
    // Just outside the address and the port rules.
    for (auto [refused, number] : {std::pair{"10.1.1.0", "514"}, {"10.1.1.1", "65536"}}) {
        address->setText(QString::fromLatin1(refused));
        port->setText(QString::fromLatin1(number));
        dialog.apply();
    }
    EXPECT_EQ(std::pair(prompter.texts(), takeSetTexts("")), std::pair(Texts{"Syslog Server IP Error.", "Invalid UDP port range (1-65535)"}, Texts{}));
    port->setText("65535");
    address->setText(QStringLiteral("10.0.0.1"));
    EXPECT_EQ(setsBy(dialog, kS, [&] { dialog.apply(); }),
              (std::vector<std::string>{"1.0=10.0.0.1 2.0=65535 4.0=7 5.0=152", "6.0=1"}));
}
