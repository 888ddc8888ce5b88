#include "app/command_table.h"
#include "app/device_tools.h"
#include "debug_lines.h"
#include "dialogs/dialog_session.h"
#include "dialogs/mib/forwarding_table_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/mib/spanning_tree_table_dialog.h"
#include "dialogs/mib/stp_configuration_dialog.h"
#include "qt_wait.h"
#include "scripted_prompter.h"
#include "sim/in_process_transport.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <set>

using namespace dialogs::mib;

namespace {

// Dialog sessions talk to a simulated QMX-7720-ZA in-process; every request is recorded.
class DialogsAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override { startSwitch(-1); }

    void startSwitch(int fdbEntries)
    {
        sim::ModelData model;
        std::string error;
        ASSERT_TRUE(sim::loadModel(sim::defaultModelDirectory(), "QMX-7720-ZA", model, &error)) << error;
        sim::SwitchSettings settings;
        settings.scenario = false;
        settings.rebootTime = std::chrono::milliseconds(200);
        settings.fdbEntries = fdbEntries;
        m_transport = std::make_shared<sim::InProcessTransport>(sim::SimulatedSwitch(std::move(model), settings));
        dialogs::CDialogSession::setTransport(m_transport);
        snmp::SessionParameters parameters;
        parameters.agentAddress = "192.0.2.10";
        parameters.requestTimeout = "1000";
        snmp::setSessionParameters(parameters);
    }
    void TearDown() override { dialogs::CDialogSession::setTransport(nullptr); }

    // Waits for the dialog's next walk end.
    static void waitForWalk(dialogs::CDialogBase& dialog, int walks = 1)
    {
        int ended = 0;
        const auto connection = QObject::connect(&dialog, &dialogs::CDialogBase::walkEnded, [&] { ++ended; });
        ASSERT_TRUE(waitUntil([&] { return ended >= walks; }));
        QObject::disconnect(connection);
    }

    std::vector<snmp::Pdu> sets() const
    {
        std::vector<snmp::Pdu> found;
        for (const snmp::Pdu& pdu : m_transport->requests())
            if (pdu.type == snmp::PduType::Set)
                found.push_back(pdu);
        return found;
    }

    static std::vector<std::pair<std::string, std::int64_t>> integers(const snmp::Pdu& pdu)
    {
        std::vector<std::pair<std::string, std::int64_t>> bindings;
        for (const snmp::VarBind& binding : pdu.bindings) {
            EXPECT_EQ(binding.value.type, snmp::Asn::Integer);
            bindings.emplace_back(snmp::oidToText(binding.oid), binding.value.integer);
        }
        return bindings;
    }

    std::shared_ptr<sim::InProcessTransport> m_transport;
};

// The main window's side of a command, as far as the device tools need it.
class WindowContext final : public app::MainWindowContext {
public:
    const std::string& deviceName() const override { return m_name; }
    int portCount() const override { return 28; }
    snmp::CCommonSnmp& setSession() override { return m_session.snmp(); }
    void beginDialog() override { ++begun; }
    void endDialog() override { ++ended; }

    int begun = 0;
    int ended = 0;

private:
    std::string m_name = "QMX-7720-ZA";
    dialogs::CDialogSession m_session{"m_cCommonSNMPset"};
};

std::vector<std::string> column(const QTreeWidget& list, int index)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts.push_back(list.topLevelItem(i)->text(index).toStdString());
    return texts;
}

} // namespace

TEST_F(DialogsAgainstSimulator, ForwardingTableListsEveryVlanAndFiltersByExactPort)
{
    CForwardingTableDialog dialog;
    dialog.show();
    waitForWalk(dialog);
    const QTreeWidget& list = *dialog.list();
    // 50 learnt entries spread over the model's VLANs, plus the switch's own address.
    ASSERT_EQ(list.topLevelItemCount(), 51);
    EXPECT_EQ(dialog.findChild<QLabel*>("entries")->text(), "51");
    EXPECT_EQ(dialog.findChild<QLabel*>("agingTime")->text(), "300");
    const std::vector<std::string> macs = column(list, 0);
    EXPECT_EQ(std::set<std::string>(macs.begin(), macs.end()).size(), 51u) << "a MAC text repeats";
    EXPECT_NE(std::find(macs.begin(), macs.end(), "02-51-4D-00-00-01"), macs.end());
    const std::vector<std::string> statuses = column(list, 1);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Own"), 1);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), "Learn"), 50);

    const std::vector<std::string> ports = column(list, 2);
    const std::string port = ports.front() == "0" ? ports.back() : ports.front();
    const auto onPort = std::count(ports.begin(), ports.end(), port);
    dialog.findChild<QLineEdit*>("portFilter")->setText(QString::fromStdString(port));
    dialog.findChild<QPushButton*>("refresh")->click();
    waitForWalk(dialog);
    EXPECT_EQ(list.topLevelItemCount(), onPort);
    for (const std::string& shown : column(list, 2))
        EXPECT_EQ(shown, port);

    // "0" + port is another text: nothing matches it.
    dialog.findChild<QLineEdit*>("portFilter")->setText(QString::fromStdString("0" + port));
    dialog.findChild<QPushButton*>("refresh")->click();
    waitForWalk(dialog);
    EXPECT_EQ(list.topLevelItemCount(), 0);
    EXPECT_EQ(dialog.findChild<QLabel*>("entries")->text(), " 0");
}

TEST_F(DialogsAgainstSimulator, ForwardingTableClosedMidWalkClosesBothSessionsInOrder)
{
    startSwitch(3000);
    int closedMidWalk = 0;
    for (int round = 0; round < 25; ++round) {
        DebugLines lines;
        auto dialog = std::make_unique<CForwardingTableDialog>();
        dialog->show();
        const QTreeWidget* list = dialog->list();
        ASSERT_TRUE(waitUntil([&] { return list->topLevelItemCount() > 0; }));
        dialog->reject();
        const int rowsAtClose = list->topLevelItemCount();
        settle(10);
        EXPECT_EQ(list->topLevelItemCount(), rowsAtClose);
        closedMidWalk += rowsAtClose < 3001;
        dialog.reset();
        const std::vector<std::string> expected{"==================DestroyWindow===============",
                                                "==================m_cCommonSNMP.Close===============",
                                                "==================m_cCommonSNMPGetTime.Close==============="};
        EXPECT_EQ(lines.banners(), expected);
    }
    EXPECT_GT(closedMidWalk, 0) << "every walk had ended before its dialog closed";
}

TEST_F(DialogsAgainstSimulator, StpApplySendsTheSixBindingsInOrder)
{
    ScriptedPrompter prompter;
    CStpConfigurationDialog dialog(28);
    waitForWalk(dialog);
    auto* maxAge = dialog.findChild<QLineEdit*>("maxAge");
    EXPECT_EQ(maxAge->text(), "2000");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("helloTime")->text(), "200");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("forwardDelay")->text(), "1500");
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("enable")->isChecked());
    EXPECT_TRUE(dialog.findChild<QPushButton*>("portSetting")->isEnabled());
    EXPECT_EQ(dialog.findChild<QComboBox*>("version")->currentText(), "RSTP");

    maxAge->setText("2400");
    dialog.findChild<QComboBox*>("priority")->setEditText("4096");
    dialog.findChild<QComboBox*>("version")->setCurrentIndex(1);
    m_transport->clearRequests();
    dialog.apply();
    EXPECT_TRUE(prompter.shown().empty());
    const auto sent = sets();
    ASSERT_EQ(sent.size(), 1u);
    const std::vector<std::pair<std::string, std::int64_t>> expected{
        {"1.3.6.1.2.1.17.2.12.0", 2400},
        {"1.3.6.1.2.1.17.2.13.0", 200},
        {"1.3.6.1.2.1.17.2.14.0", 1500},
        {"1.3.6.1.2.1.17.2.2.0", 4096},
        {"1.3.6.1.4.1.32473.10.75.7.6.1.2.0", 0},
        {"1.3.6.1.4.1.32473.10.75.7.6.1.1.0", 1},
    };
    EXPECT_EQ(integers(sent[0]), expected);

    // A refused relation sends nothing.
    maxAge->setText("4000");
    dialog.findChild<QLineEdit*>("forwardDelay")->setText("2000");
    m_transport->clearRequests();
    dialog.apply();
    EXPECT_TRUE(sets().empty());
    EXPECT_EQ(prompter.texts(), std::vector<std::string>{"To set the parameters Forward Delay and Max Age, the following "
                                                         "relation is to be satisfied: \n2*(Forward Delay - 1) >= Max Age"});
}

TEST_F(DialogsAgainstSimulator, StpDisabledBySwitchLocksEditingUntilChecked)
{
    {
        CStpConfigurationDialog first(28);
        waitForWalk(first);
        auto* enable = first.findChild<QCheckBox*>("enable");
        enable->click(); // unchecked: the editing controls go
        EXPECT_FALSE(first.findChild<QLineEdit*>("maxAge")->isEnabled());
        first.apply();
    }
    CStpConfigurationDialog dialog(28);
    waitForWalk(dialog);
    auto* enable = dialog.findChild<QCheckBox*>("enable");
    EXPECT_FALSE(enable->isChecked());
    for (const char* name : {"maxAge", "helloTime", "forwardDelay"})
        EXPECT_FALSE(dialog.findChild<QLineEdit*>(name)->isEnabled()) << name;
    EXPECT_FALSE(dialog.findChild<QComboBox*>("priority")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QComboBox*>("version")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("portSetting")->isEnabled());
    enable->click();
    EXPECT_TRUE(dialog.findChild<QLineEdit*>("maxAge")->isEnabled());
    EXPECT_FALSE(dialog.findChild<QPushButton*>("portSetting")->isEnabled());
}

TEST_F(DialogsAgainstSimulator, PortStpKeepsTrunkMembersAlikeAndNavigates)
{
    ScriptedPrompter prompter;
    CSpanningTreeTableDialog table(28);
    table.show();
    waitForWalk(table);
    ASSERT_EQ(table.list()->topLevelItemCount(), 28);
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < table.list()->topLevelItemCount(); ++i) {
        std::vector<std::string> texts;
        for (int c = 0; c < table.list()->columnCount(); ++c)
            texts.push_back(table.list()->topLevelItem(i)->text(c).toStdString());
        rows.push_back(texts);
    }
    EXPECT_EQ(rows[0][3], "Y");

    // Port 21 belongs to aggregated link 1 of the model.
    CPortStpDialog port(rows, 20, 28);
    waitForWalk(port);
    EXPECT_EQ(port.findChild<QLabel*>("port")->text(), "21");
    auto* priority = port.findChild<QComboBox*>("priority");
    EXPECT_EQ(priority->currentText(), "128");
    EXPECT_EQ(port.findChild<QLineEdit*>("pathCost")->text(), "20000");
    priority->setEditText("144");
    m_transport->clearRequests();
    EXPECT_FALSE(port.apply());
    EXPECT_EQ(prompter.texts(),
              std::vector<std::string>{"Cannot add ports with different STP configurations to an aggregated link."});
    EXPECT_TRUE(sets().empty());

    // Port 20 is in no link: the change goes out as three INTEGER bindings.
    port.findChild<QPushButton*>("previous")->click();
    EXPECT_EQ(port.findChild<QLabel*>("port")->text(), "20");
    priority->setEditText("144");
    port.findChild<QLineEdit*>("pathCost")->setText("0");
    EXPECT_TRUE(port.apply());
    const auto sent = sets();
    ASSERT_EQ(sent.size(), 1u);
    const std::vector<std::pair<std::string, std::int64_t>> expected{
        {"1.3.6.1.2.1.17.2.15.1.2.20", 144},
        {"1.3.6.1.4.1.32473.10.75.7.6.2.1.5.20", 0},
        {"1.3.6.1.2.1.17.2.15.1.4.20", 1},
    };
    EXPECT_EQ(integers(sent[0]), expected);

    // Navigation stops at both ends.
    CPortStpDialog last(rows, 27, 28);
    EXPECT_FALSE(last.findChild<QPushButton*>("next")->isEnabled());
    EXPECT_TRUE(last.findChild<QPushButton*>("previous")->isEnabled());
    CPortStpDialog first(rows, -1, 28);
    EXPECT_EQ(first.currentRow(), 0);
    EXPECT_FALSE(first.findChild<QPushButton*>("previous")->isEnabled());
}

TEST_F(DialogsAgainstSimulator, SaveConfigurationAsksThenReports)
{
    ScriptedPrompter prompter;
    WindowContext context;
    m_transport->clearRequests();
    app::runSaveConfiguration(context.setSession()); // Cancel: nothing sent
    EXPECT_TRUE(sets().empty());

    prompter.answer(true);
    app::runSaveConfiguration(context.setSession());
    const std::vector<std::string> expectedTexts{"Do you want to save the configuration?",
                                                 "Do you want to save the configuration?", "success"};
    EXPECT_EQ(prompter.texts(), expectedTexts);
    const auto sent = sets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(integers(sent[0]), (std::vector<std::pair<std::string, std::int64_t>>{{"1.3.6.1.4.1.32473.10.75.7.1.10.0", 1}}));
}

TEST_F(DialogsAgainstSimulator, RebootSendsOneSetWhileTheWindowIsHidden)
{
    ScriptedPrompter prompter;
    WindowContext context;
    app::runReboot(context);
    EXPECT_EQ(context.begun, 0);

    prompter.answer(true);
    m_transport->clearRequests();
    app::runReboot(context);
    EXPECT_EQ(context.begun, 1);
    EXPECT_EQ(context.ended, 1);
    EXPECT_EQ(prompter.texts().size(), 2u) << "a reboot reports nothing";
    const auto sent = sets();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(integers(sent[0]), (std::vector<std::pair<std::string, std::int64_t>>{{"1.3.6.1.4.1.32473.10.75.7.1.9.0", 1}}));

    // While the switch restarts, saving fails.
    prompter.answer(true);
    app::runSaveConfiguration(context.setSession());
    EXPECT_EQ(prompter.texts().back(), "failed");
}
