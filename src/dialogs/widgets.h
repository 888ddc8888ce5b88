#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

class QLabel;
class QObject;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QValidator;
class QWidget;

namespace dialogs {

// A caption label that is the control's buddy (its mnemonic focuses the control).
// An IP address control's octet fields are named after the caption.
QLabel* captionFor(QWidget* control, const QString& caption);
// A push button with a caption and an object name tests find it by.
QPushButton* pushButton(const QString& caption, const char* name, QWidget* parent);
// A label that shows a text the switch sent: plain text, never taken as markup.
QLabel* switchTextLabel(const char* name, QWidget* parent);
// A value from the switch may be longer than the user may type: shows it
// whole, for Apply to refuse as too long, instead of cutting it.
void setLimitedText(QLineEdit* edit, const std::string& text, int maxLength);
// Digits only, whatever the desktop's locale: a locale-aware integer
// validator takes "32.768" as 32768 under a German one.
QValidator* digitsOnly(QObject* parent);
// The control's text as the rules take it (local text is UTF-8 here).
std::string textOf(const QString& text);
QStringList qTexts(const std::vector<std::string>& texts);

// A list view with full-row selection whose columns are as wide as their
// header texts plus 15 pixels.
QTreeWidget* newListView(const std::vector<std::string>& headers, QWidget* parent);
// Appends one row of texts.
void appendRow(QTreeWidget* list, const std::vector<std::string>& texts);

// Sets the override cursor to the wait cursor for its lifetime.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

} // namespace dialogs
