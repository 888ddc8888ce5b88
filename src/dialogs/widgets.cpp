#include "dialogs/widgets.h"

#include "dialogs/ip_address_edit.h"

#include <QApplication>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTreeWidget>

#include <algorithm>

namespace dialogs {

QLabel* captionFor(QWidget* control, const QString& caption)
{
    auto* label = new QLabel(caption, control->parentWidget());
    label->setBuddy(control);
    if (auto* address = qobject_cast<CIpAddressEdit*>(control))
        address->setCaption(caption);
    return label;
}

QPushButton* pushButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLabel* switchTextLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

void setLimitedText(QLineEdit* edit, const std::string& text, int maxLength)
{
    const QString value = QString::fromStdString(text);
    edit->setMaxLength(std::max<int>(maxLength, static_cast<int>(value.size())));
    edit->setText(value);
}

QValidator* digitsOnly(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}

std::string textOf(const QString& text)
{
    return text.toStdString();
}

QStringList qTexts(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& text : texts)
        list << QString::fromStdString(text);
    return list;
}

QTreeWidget* newListView(const std::vector<std::string>& headers, QWidget* parent)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QStringLiteral("list"));
    list->setRootIsDecorated(false);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setAllColumnsShowFocus(true);
    list->setUniformRowHeights(true);
    const QStringList captions = qTexts(headers);
    list->setHeaderLabels(captions);
    const QFontMetrics metrics(list->header()->font());
    for (int i = 0; i < captions.size(); ++i)
        list->setColumnWidth(i, metrics.horizontalAdvance(captions[i]) + 15);
    return list;
}

void appendRow(QTreeWidget* list, const std::vector<std::string>& texts)
{
    list->addTopLevelItem(new QTreeWidgetItem(qTexts(texts)));
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
