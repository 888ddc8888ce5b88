#include "dialogs/widgets.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace dialogs {

QLabel* captionFor(QWidget* control, const QString& caption)
{
    auto* label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    return label;
}

QPushButton* pushButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

std::string textOf(const QString& text)
{
    return text.toStdString();
}

CWaitCursor::CWaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

CWaitCursor::~CWaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace dialogs
