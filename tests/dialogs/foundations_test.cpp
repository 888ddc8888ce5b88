#include "../snmp/silent_agent.h"
#include "dialogs/dialog_base.h"
#include "dialogs/ip_address_edit.h"
#include "dialogs/management/lldp_med_dialog.h"
#include "dialogs/management/lldp_remote_dialog.h"
#include "dialogs/management/surveillance_vlan_dialog.h"
#include "dialogs/management/time_range_editor_dialog.h"
#include "dialogs/mib/forwarding_table_dialog.h"
#include "dialogs/mib/port_stp_dialog.h"
#include "dialogs/resizable_dialog.h"
#include "dialogs/switching/dhcp_screening_dialog.h"
#include "dialogs/switching/trunk_configuration_dialog.h"
#include "dialogs/switching/vlan_configuration_dialog.h"
#include "parameters_scope.h"
#include "platform/qt_prompter.h"
#include "qt_wait.h"
#include "snmp/common_snmp.h"
#include "snmp/session_parameters.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using dialogs::CResizableDialog;

TEST(ResizableDialog, PlacesByModeAndPercent)
{
    const QRect r(10, 20, 100, 50);
    for (const auto& [mode, percent, placed] :
         {std::tuple{CResizableDialog::MoveX, 50, QRect(30, 20, 100, 50)}, {CResizableDialog::MoveY, 100, QRect(10, 40, 100, 50)},
          {CResizableDialog::MoveXY, 25, QRect(20, 25, 100, 50)}, {CResizableDialog::GrowX, 100, QRect(10, 20, 140, 50)},
          {CResizableDialog::GrowY, 50, QRect(10, 20, 100, 60)}, {CResizableDialog::GrowXY, 0, r}})
        EXPECT_EQ(CResizableDialog::place(r, mode, percent, QSize(40, 20)), placed) << mode << " " << percent;
}

TEST(ResizableDialog, ControlsFollowTheFrameAndTheFirstSizeIsTheMinimum)
{
    struct TwoButtonDialog : CResizableDialog {
        TwoButtonDialog()
        {
            resize(300, 200);
            list->setGeometry(10, 10, 200, 100);
            ok->setGeometry(220, 160, 60, 25);
            setLayoutTable({{list, GrowXY, 100}, {ok, MoveXY, 100}});
        }
        QPushButton* list = new QPushButton("list", this);
        QPushButton* ok = new QPushButton("ok", this);
    } dialog;
    dialog.show();
    ASSERT_TRUE(waitUntil([&] { return dialog.isVisible(); }));
    EXPECT_TRUE(dialog.isSizeGripEnabled());
    EXPECT_EQ(dialog.minimumSize(), QSize(300, 200));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(dialog.isModal());

    // Larger, then back and smaller: controls return, the frame stops at the first size.
    struct Step {
        QSize asked, size;
        QRect list, ok;
    };
    for (const Step& step : {Step{{400, 260}, {400, 260}, {10, 10, 300, 160}, {320, 220, 60, 25}},
                             Step{{100, 100}, {300, 200}, {10, 10, 200, 100}, {220, 160, 60, 25}}}) {
        dialog.resize(step.asked);
        ASSERT_TRUE(waitUntil([&] { return dialog.size() == step.size; }));
        EXPECT_EQ(dialog.list->geometry(), step.list);
        EXPECT_EQ(dialog.ok->geometry(), step.ok);
    }
}

TEST(IpAddressEdit, DottedTextInAndOutWithBlankFieldsObservable)
{
    dialogs::CIpAddressEdit edit;
    EXPECT_TRUE(edit.isBlank());
    EXPECT_TRUE(edit.hasBlankField());
    edit.setText("192.168.1.20");
    EXPECT_EQ(edit.text(), "192.168.1.20");
    EXPECT_FALSE(edit.hasBlankField());

    edit.field(2)->clear();
    EXPECT_TRUE(edit.hasBlankField());
    EXPECT_FALSE(edit.isBlank());

    edit.setText("10.0.300.1");
    EXPECT_TRUE(edit.hasBlankField());
    EXPECT_TRUE(edit.field(2)->text().isEmpty());
    edit.setText("10.0.0");
    EXPECT_TRUE(edit.hasBlankField());
    edit.setText("010.000.000.001");
    EXPECT_EQ(edit.text(), "10.0.0.1");
}

TEST(IpAddressEdit, FieldsRefuseWhatIsNoOctet)
{
    dialogs::CIpAddressEdit edit;
    edit.show();
    QLineEdit* first = edit.field(0);
    first->setFocus();
    for (const QChar c : QString("2561")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(first, &key);
    }
    // "256" is refused, so the last digit lands after "25".
    EXPECT_EQ(first->text(), "251");
    EXPECT_TRUE(edit.hasBlankField());
}

TEST(QtPrompter, QuestionsDefaultToCancel)
{
    platform::QtPrompter prompter;
    QString defaultText;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        defaultText = box->defaultButton()->text();
        EXPECT_EQ(box->icon(), QMessageBox::Question);
        box->defaultButton()->click();
    });
    EXPECT_FALSE(prompter.askOkCancel("Do you want to reboot the device?", ""));
    EXPECT_EQ(defaultText.remove('&'), "Cancel");
}

// A dialog whose write goes to a switch that does not answer: the window goes
// on processing events, its controls stay off until the end, and a close
// asked for meanwhile waits for the end.
TEST(WritePath, SilentSwitchNeitherFreezesTheWindowNorIsCutShortByClosing)
{
    SilentAgent agent;
    snmp::SessionParameters parameters;
    parameters.agentAddress = "127.0.0.1";
    parameters.agentPort = std::to_string(agent.port());
    parameters.requestTimeout = "600";
    snmp::setSessionParameters(parameters);

    struct WritingDialog : dialogs::CDialogBase {
        WritingDialog()
        {
            auto* layout = new QVBoxLayout(this);
            layout->addWidget(apply);
            layout->addWidget(off);
            off->setEnabled(false);
        }
        void write()
        {
            runWrite(
                [&session = session](dialogs::WriteContext& write) {
                    for (int step = 1; step <= 11; ++step) {
                        write.progress(step, 11);
                        if (step == 11)
                            write.set(session, {{"1.3.6.1.2.1.1.5.0", snmp::kTypeOctetString, "name"}});
                    }
                },
                [this] { endedOnce = !endedOnce && !closedBeforeEnd; });
        }
        dialogs::CDialogSession& session = addSession("m_cCommonSNMPSet");
        QPushButton* apply = new QPushButton("Apply", this);
        QPushButton* off = new QPushButton("Off", this);
        bool endedOnce = false;
        bool closedBeforeEnd = false;
    } dialog;
    dialog.show();

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    dialog.write();
    EXPECT_TRUE(agent.receivesWithin(std::chrono::seconds(2)));
    EXPECT_TRUE(dialog.writing());
    EXPECT_FALSE(dialog.apply->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor, Qt::BusyCursor);
    ASSERT_TRUE(waitUntil([&] { return ticks >= 5; }, 500)) << "the window froze during the write";
    EXPECT_EQ(dialog.findChild<QLabel*>("writeProgress")->text(), "Writing port 11 of 11");
    ASSERT_TRUE(waitUntil([&] { return !dialog.writing(); }));
    EXPECT_TRUE(dialog.endedOnce);
    EXPECT_TRUE(dialog.apply->isEnabled());
    EXPECT_FALSE(dialog.off->isEnabled()) << "a control that was off came back on";
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    dialog.write();
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible()) << "closed in the middle of the write";
    ASSERT_TRUE(waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_FALSE(dialog.writing());
}

// Each dialog's read on opening (or on the command that reads) goes to a
// switch that does not answer: the window goes on processing events.
TEST(Reads, SilentSwitchFreezesNoDialogWhileItReads)
{
    using namespace dialogs;
    SilentAgent agent;
    ParametersScope scope({.agentAddress = "127.0.0.1", .agentPort = std::to_string(agent.port()), .requestTimeout = "1000"});
    const std::pair<const char*, std::function<CDialogBase*()>> cases[] = {
        {"trunk state", [] { return new switching::CTrunkConfigurationDialog(28); }},
        {"asymmetric flag", [] { return new switching::CVlanConfigurationDialog(28, true); }},
        {"DHCP screening", [] { auto* d = new switching::CDhcpScreeningDialog(28); d->refresh(); return d; }},
        {"LLDP MED state", [] { return new management::CLldpMedDialog(10); }},
        {"LLDP remote state", [] { return new management::CLldpRemoteDialog; }},
        {"time range row", [] { return new management::CTimeBasedPoeConfigDialog({{1, "office-hours", "1"}}, 1); }},
        {"surveillance conflict", [] { auto* d = new management::CSurveillanceVlanDialog; d->apply(); return d; }},
        {"aging time", [] { return new mib::CForwardingTableDialog; }}, // refreshes once events run
        {"port STP row", [] { return new mib::CPortStpDialog({{"1", "Forwarding"}}, 0, 28); }},
    };
    for (const auto& [read, open] : cases) {
        QElapsedTimer clock;
        int ticks = 0; // in the first 400 ms
        QTimer timer;
        QObject::connect(&timer, &QTimer::timeout, [&] { ticks += clock.elapsed() <= 400; });
        clock.start();
        timer.start(20);
        std::unique_ptr<CDialogBase> dialog(open());
        waitUntil([&] { return clock.elapsed() > 400; });
        EXPECT_GE(ticks, 5) << "the window froze on the " << read;
        dialog.reset();
    }
}
