#include "dialogs/ip_address_edit.h"
#include "dialogs/management/syslog_host_dialog.h"
#include "dialogs/management/transfer_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "simulated_switch_fixture.h"
#include "write_wait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>
#include <atomic>

using namespace dialogs;
using namespace dialogs::management;

namespace {

const std::string kT = "1.3.6.1.4.1.32473.10.75.7.3.";
const std::string kS = "1.3.6.1.4.1.32473.10.75.7.16.1.";
enum class Silence { None, StatusReads, AfterRunning };

bool isStatusRead(const snmp::Pdu& pdu)
{
    const std::string oid = pdu.bindings.empty() ? "" : snmp::oidToText(pdu.bindings[0].oid);
    return pdu.type == snmp::PduType::Get && (oid == kT + "4.0" || oid == kT + "8.0");
}

// Leaves status reads unanswered (all, or once the switch said "running");
// every request still reaches the switch and its log.
class SilencingTransport final : public snmp::Transport {
public:
    SilencingTransport(std::shared_ptr<sim::InProcessTransport> inner, Silence silence)
        : m_inner(std::move(inner)), m_silence(silence) {}
    void submit(const snmp::Target& target, snmp::Pdu request, snmp::TransportDone done) override
    {
        const bool status = isStatusRead(request);
        m_inner->submit(target, std::move(request), [this, status, done](snmp::TransportStatus result, snmp::Pdu answer) {
            const bool silent = status && (m_silence == Silence::StatusReads || (m_silence == Silence::AfterRunning && m_sawRunning));
            m_sawRunning = m_sawRunning || (status && !answer.bindings.empty() && answer.bindings[0].value.integer == 3);
            done(silent ? snmp::TransportStatus::Timeout : result, silent ? snmp::Pdu{} : std::move(answer));
        });
    }
    std::shared_ptr<sim::InProcessTransport> m_inner;
    Silence m_silence;
    std::atomic<bool> m_sawRunning{false};
};

class TransferDialogs : public SimulatedSwitchTest<> {
protected:
    void startSwitch(Silence silence)
    {
        sim::SwitchSettings settings = quietSwitch();
        settings.transferQueued = settings.transferRunning = std::chrono::milliseconds(150);
        SimulatedSwitchTest::startSwitch("QMX-7720-ZA", settings);
        m_silencer = std::make_shared<SilencingTransport>(m_transport, silence);
        CDialogSession::setTransport(m_silencer);
    }

    // The set requests since the last call, as bindings; and the status reads.
    std::vector<Bindings> takeSets(int* statusReads = nullptr)
    {
        if (statusReads)
            *statusReads = static_cast<int>(std::ranges::count_if(m_transport->requests(), isStatusRead));
        return SimulatedSwitchTest::takeSets();
    }

    template <typename T>
    static T* child(const QObject& dialog, const char* name) { return dialog.findChild<T*>(name); }

    std::shared_ptr<SilencingTransport> m_silencer;
};

using std::chrono_literals::operator""ms;
const TransferTimings kQuick{.firmwareFirstPoll = 40ms, .configurationFirstPoll = 40ms, .runningPoll = 50ms,
                             .waitingPoll = 30ms, .retryPoll = 30ms, .firstTick = 20ms, .tick = 25ms, .overall = 800ms};

TEST_F(TransferDialogs, EachPathEndsWithItsMessageAndGivesTheControlsBack)
{
    const std::string timeOut = "Time out ! Please check TFTP Server IP and network.";
    struct Case {
        bool firmware, upgrade;
        std::string server, file;
        Silence silence;
        std::string message;
        int statusReads; // -1: any number
    };
    for (const Case& c : std::vector<Case>{
             {false, false, "192.0.2.50", "switch.cfg", Silence::None, "Success !", -1},
             {false, true, "192.0.2.50", "fail.cfg", Silence::None, "Config Restore Fail !", -1},
             {true, true, "192.0.2.50", "image.bin", Silence::None, "Success !", -1},
             {true, false, "192.0.2.50", "fail.bin", Silence::None, "Firmware Upgrade Fail !", -1},
             {true, true, "192.0.2.99", "image.bin", Silence::None, timeOut, -1},          // never starts
             {true, true, "192.0.2.50", "image.bin", Silence::StatusReads, "Get Info Time Out !", 4},
             {false, false, "192.0.2.50", "a.cfg", Silence::StatusReads, timeOut, -1},   // started at once
             {true, false, "192.0.2.50", "image.bin", Silence::AfterRunning, timeOut, -1},
             {true, false, "10.1.1.255", "image.bin", Silence::None, "Invalid TFTP server IP.", 0},
             {true, false, "255.1.1.1", "image.bin", Silence::None, "Invalid TFTP server IP.", 0},
             {true, false, "0.0.0.0", "", Silence::None, "Invalid TFTP server IP.", 0},
             {false, false, "10.1.0.", "a.cfg", Silence::None, "Invalid TFTP server IP.", 0}, // a blank field
             {false, false, "10.0.0.1", "", Silence::None, "Invalid file.", 0},
         }) {
        SCOPED_TRACE(c.file + " " + c.server + " " + c.message);
        startSwitch(c.silence);
        ScriptedPrompter prompter;
        CTransferDialog dialog(kQuick);
        dialog.show();
        child<QComboBox>(dialog, "fileType")->setCurrentIndex(c.firmware ? 1 : 0);
        child<QComboBox>(dialog, "operationType")->setCurrentIndex(c.upgrade ? 0 : 1);
        child<CIpAddressEdit>(dialog, "server")->setText(QString::fromStdString(c.server));
        child<QLineEdit>(dialog, "fileName")->setText(QString::fromStdString(c.file));
        auto* apply = child<QPushButton>(dialog, "apply");
        // The second round starts from nothing the first left behind.
        for (int round = 0; round < 2; ++round) {
            prompter.clear();
            m_silencer->m_sawRunning = false;
            prompter.answer(true);
            dialog.apply();
            if (c.statusReads != 0) {
                EXPECT_FALSE(apply->isEnabled() || child<QPushButton>(dialog, "close")->isEnabled());
                dialog.reject();
                EXPECT_TRUE(dialog.isVisible()) << "closed while transferring";
            }
            ASSERT_TRUE(waitUntil([&] { return apply->isEnabled() && !dialog.writing(); }));
            settle(80);
            std::vector<std::string> expected{c.message};
            if (c.upgrade)
                expected.insert(expected.begin(), kUpgradeQuestion);
            EXPECT_EQ(prompter.texts(), expected);
            const int progress = child<QProgressBar>(dialog, "progress")->value();
            EXPECT_TRUE(c.message == "Success !" ? progress == 99 : progress < 90) << progress;
            int reads = 0;
            const std::vector<Bindings> sets = takeSets(&reads);
            EXPECT_TRUE(c.statusReads < 0 || reads == c.statusReads) << reads;
            const std::string name = kT + (c.firmware ? "1.0" : "5.0"), op = kT + (c.firmware ? "3.0" : "7.0");
            const std::vector<Bindings> expectedSets{{{name, 8, c.server}, {kT + (c.firmware ? "2.0" : "6.0"), 2, c.file}},
                                                     {{op, 1, c.upgrade ? "1" : "2"}}};
            EXPECT_EQ(sets, c.statusReads == 0 ? std::vector<Bindings>{} : expectedSets);
        }
    }
}

TEST_F(TransferDialogs, FileNameIsCutTo64WithItsMessage)
{
    ScriptedPrompter prompter;
    CTransferDialog dialog(kQuick);
    auto* name = child<QLineEdit>(dialog, "fileName");
    name->setText(QString(65, QLatin1Char('f')));
    EXPECT_EQ(name->text(), QString(64, QLatin1Char('f')));
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{kFileNameTooLong});
}

TEST_F(TransferDialogs, SyslogApplyWritesOnlyWhatPassedItsChecks)
{
    startSwitch(Silence::None);
    ScriptedPrompter prompter;
    CSyslogHostDialog dialog;
    auto* apply = child<QPushButton>(dialog, "apply");
    ASSERT_TRUE(waitUntil([&] { return apply->isEnabled(); }));
    auto* address = child<CIpAddressEdit>(dialog, "address");
    auto* port = child<QLineEdit>(dialog, "port");
    EXPECT_FALSE(port->isEnabled());
    takeSets();
    dialog.apply(); // unchecked: the state alone
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{{{kS + "6.0", 1, "2"}}}));

    toggleAsScreenReader(child<QCheckBox>(dialog, "enable"));
    EXPECT_TRUE(port->isEnabled());
    EXPECT_EQ(address->field(3)->accessibleName(), "Host IP octet 4");
    child<QComboBox>(dialog, "facility")->setCurrentIndex(3);
    child<QComboBox>(dialog, "severity")->setCurrentIndex(2);
    const std::string ip = "Syslog Server IP Error.", range = "Invalid UDP port range (1-65535)";
    for (auto [refused, number, message] : {std::tuple{"10.1.1.0", "514", ip}, {"0.1.2.3", "514", ip},
                                            {"255.1.2.3", "514", ip}, {"10.1.1.255", "514", ip}, {"10.1.1.", "514", ip},
                                            {"10.1.1.0", "0", ip}, {"10.1.1.1", "", range}, {"10.1.1.1", "65536", range}}) {
        address->setText(QString::fromLatin1(refused));
        port->setText(QString::fromLatin1(number));
        dialog.apply();
        EXPECT_EQ(prompter.texts(), std::vector<std::string>{message}) << refused << " " << number;
        EXPECT_TRUE(takeSets().empty()) << refused;
        prompter.clear();
    }
    port->setText("65535");
    address->setText(QStringLiteral("10.0.0.1"));
    dialog.apply();
    ASSERT_TRUE(waitForWrite(dialog));
    EXPECT_EQ(takeSets(), (std::vector<Bindings>{
                              {{kS + "1.0", 8, "10.0.0.1"}, {kS + "2.0", 1, "65535"}, {kS + "4.0", 1, "7"}, {kS + "5.0", 1, "152"}},
                              {{kS + "6.0", 1, "1"}}}));
}

} // namespace
