#include "platform/qt_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

// An empty caption gives the program's name, as the platform's message box does.
QString captionOf(const std::string& caption)
{
    return caption.empty() ? QApplication::applicationDisplayName() : QString::fromStdString(caption);
}

int show(QMessageBox::Icon icon, const std::string& text, const std::string& caption, QMessageBox::StandardButtons buttons,
         QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, captionOf(caption), QString::fromStdString(text), buttons);
    box.setTextFormat(Qt::PlainText); // a text may quote what the switch sent
    box.setDefaultButton(defaultButton);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    return box.exec();
}

} // namespace

void QtPrompter::inform(const std::string& text, const std::string& caption)
{
    show(QMessageBox::Information, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

void QtPrompter::warn(const std::string& text, const std::string& caption)
{
    show(QMessageBox::Warning, text, caption, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtPrompter::askOkCancel(const std::string& text, const std::string& caption)
{
    return show(QMessageBox::Question, text, caption, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
           == QMessageBox::Ok;
}

} // namespace platform
