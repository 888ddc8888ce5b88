#include "dialogs/ip_address_edit.h"
#include "dialogs/resizable_dialog.h"
#include "platform/qt_prompter.h"
#include "qt_wait.h"

#include <QApplication>
#include <QKeyEvent>
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
