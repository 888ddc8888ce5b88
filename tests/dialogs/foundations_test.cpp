#include "../snmp/session_parameters_for.h"
#include "../snmp/silent_agent.h"
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
#include "snmp/common_snmp.h"
#include "walk_ends.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace dialogs;

TEST(ResizableDialog, PlacesControlsByModeAndPercentAndKeepsTheFirstSizeAsTheMinimum)
{
    const QRect r(10, 20, 100, 50);
    for (const auto& [mode, percent, placed] :
         {std::tuple{CResizableDialog::MoveX, 50, QRect(30, 20, 100, 50)}, {CResizableDialog::MoveY, 100, QRect(10, 40, 100, 50)},
          {CResizableDialog::MoveXY, 25, QRect(20, 25, 100, 50)}, {CResizableDialog::GrowX, 100, QRect(10, 20, 140, 50)},
          {CResizableDialog::GrowY, 50, QRect(10, 20, 100, 60)}, {CResizableDialog::GrowXY, 0, r}})
        EXPECT_EQ(CResizableDialog::place(r, mode, percent, QSize(40, 20)), placed) << mode << " " << percent;

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
    EXPECT_EQ(dialog.minimumSize(), QSize(300, 200));
    EXPECT_TRUE(dialog.isSizeGripEnabled() && dialog.isModal() && (dialog.windowFlags() & Qt::WindowStaysOnTopHint));

    // Larger, then back and smaller: controls return, the frame stops at the first size.
    // Asked for, then the frame, list and button.
    for (const auto& [asked, size, list, ok] :
         {std::tuple{QSize(400, 260), QSize(400, 260), QRect(10, 10, 300, 160), QRect(320, 220, 60, 25)},
          {QSize(100, 100), QSize(300, 200), QRect(10, 10, 200, 100), QRect(220, 160, 60, 25)}}) {
        dialog.resize(asked);
        ASSERT_TRUE(waitUntil([&, size = size] { return dialog.size() == size; }));
        EXPECT_EQ(std::pair(dialog.list->geometry(), dialog.ok->geometry()), std::pair(list, ok));
    }
}

TEST(IpAddressEdit, DottedTextInAndOutBlankFieldsAndKeysThatMakeNoOctet)
{
    CIpAddressEdit edit;
    const auto state = [&] {
        return QStringList{edit.field(0)->text(), edit.field(1)->text(), edit.field(2)->text(), edit.field(3)->text()}.join('.') +
               (edit.isBlank() ? " blank" : "") + (edit.hasBlankField() ? " gap" : "") + " -> " + edit.text();
    };
    EXPECT_EQ(state(), "... blank gap -> ...");
    // Text, then what the edit shows and gives back: a field that is no octet stays blank, never 0.
    for (const auto& [text, shown] : {std::pair{"192.168.1.20", "192.168.1.20 -> 192.168.1.20"}, {"10.0.300.1", "10.0..1 gap -> 10.0..1"},
                                      {"10.0.0", "10.0.0. gap -> 10.0.0."}, {"010.000.000.001", "10.0.0.1 -> 10.0.0.1"}}) {
        edit.setText(text);
        EXPECT_EQ(state(), shown) << text;
    }

    edit.field(0)->clear();
    for (const QChar c : QString("2561")) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(edit.field(0), &key);
    }
    // "256" is refused, so the last digit lands after "25".
    EXPECT_EQ(edit.field(0)->text(), "251");
}

TEST(QtPrompter, QuestionsDefaultToCancel)
{
    platform::QtPrompter prompter;
    QString shown; // the icon, the default button and the text's format
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shown = (box->icon() == QMessageBox::Question ? "question, " : "") + box->defaultButton()->text().remove('&') + QString::number(box->textFormat());
        box->defaultButton()->click();
    });
    EXPECT_FALSE(prompter.askOkCancel("Do you want to reboot the device?", ""));
    EXPECT_EQ(shown, "question, Cancel" + QString::number(Qt::PlainText));
}

// A dialog whose write goes to a switch that does not answer: the window goes
// on processing events, its controls stay off until the end (a walk ending
// meanwhile turns none on), a message shows the normal cursor, and Esc
// meanwhile waits for the end, which decides the result. Reads that time out
// open no guard, and no read freezes the window.
TEST(WritePath, SilentSwitchNeitherFreezesTheWindowNorIsCutShortByClosing)
{
    struct : platform::Prompter {
        void inform(const std::string&, const std::string&) override { cursor = QApplication::overrideCursor()->shape(); }
        void warn(const std::string& text, const std::string&) override { warnings.push_back(text); }
        bool askOkCancel(const std::string&, const std::string&) override { return false; }
        Qt::CursorShape cursor = Qt::BlankCursor;
        std::vector<std::string> warnings;
    } prompter;
    platform::setPrompter(&prompter);
    SilentAgent agent;
    ParametersScope scope(sessionParametersFor(agent.port(), kVersion1, 600));

    struct WritingDialog : CDialogBase {
        WritingDialog()
        {
            off->setEnabled(false);
            waitsFor(refresh, {read});
        }
        void write()
        {
            runWrite(
                [&session = session](WriteContext& write) {
                    write.inform("Writing");
                    write.set(session, {{"1.3.6.1.2.1.1.5.0", snmp::kTypeOctetString, "name"}});
                },
                [this] { ends++ ? accept() : void(); });
        }
        // Ends by its time-out, within the write's.
        void walk() { startWalk(walkSession, {.oids = {"1.3.6.1.2.1.1"}, .timeoutMs = 100}, {}, {}, read); }
        CDialogSession& session = addSession("m_cCommonSNMPSet");
        QPushButton* apply = new QPushButton("Apply", this);
        QPushButton* off = new QPushButton("Off", this);
        QPushButton* refresh = new QPushButton("Refresh", this);
        CDialogSession& walkSession = addSession("m_cCommonSNMPTable");
        ReadId read = declareRead("system group", {"1.3.6.1.2.1.1"});
        int ends = 0;
    } dialog;
    dialog.show();

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    WalkEnds walks(dialog);
    dialog.walk();
    dialog.write();
    EXPECT_TRUE(dialog.writing() && !dialog.apply->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor, Qt::BusyCursor);
    ASSERT_TRUE(waitUntil([&] { return ticks >= 5; }, 500)) << "the window froze during the write";
    walks.wait(1);
    EXPECT_FALSE(dialog.refresh->isEnabled() || !dialog.writing()) << "turned on in the middle of the write";
    ASSERT_TRUE(waitUntil([&] { return !dialog.writing(); }));
    // Apply back on, a control that was off still off, no busy cursor, a message shown with the normal one.
    EXPECT_EQ(std::tuple(dialog.apply->isEnabled(), dialog.off->isEnabled(), QApplication::overrideCursor(), prompter.cursor),
              std::tuple(true, false, static_cast<QCursor*>(nullptr), Qt::ArrowCursor));

    dialog.write();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &escape);
    EXPECT_TRUE(dialog.isVisible()) << "closed in the middle of the write";
    ASSERT_TRUE(waitUntil([&] { return !dialog.isVisible(); }));
    EXPECT_EQ(dialog.result(), QDialog::Accepted) << "the close overrode the write's own end";
    EXPECT_EQ(prompter.warnings, std::vector<std::string>{"Could not read the switch."}) << "the walk's, once";

    // Each dialog's read on opening (or on the command that reads) freezes nothing either.
    ticks = 0;
    QElapsedTimer clock;
    clock.start();
    auto* dhcp = new switching::CDhcpScreeningDialog(28);
    auto* surveillance = new management::CSurveillanceVlanDialog;
    std::vector<std::unique_ptr<CDialogBase>> reading;
    // Trunk state, asymmetric flag, LLDP MED and remote state, time range row, aging time, port STP row.
    for (CDialogBase* opened : std::initializer_list<CDialogBase*>{
             dhcp, surveillance, new switching::CTrunkConfigurationDialog(28), new switching::CVlanConfigurationDialog(28, true),
             new management::CLldpMedDialog(10), new management::CLldpRemoteDialog,
             new management::CTimeBasedPoeConfigDialog({{1, "office-hours", "1"}}, 1), new mib::CForwardingTableDialog,
             new mib::CPortStpDialog({{"1", "Forwarding"}}, 0, 28)})
        reading.emplace_back(opened);
    dhcp->refresh();
    surveillance->apply(); // held while its reads are out: no conflict read starts
    // A read that blocked leaves no tick: the wait checks before it processes events.
    waitUntil([&] { return clock.elapsed() > 400; });
    EXPECT_GE(ticks, 5) << "a read froze the window";
    platform::setPrompter(nullptr);
}
