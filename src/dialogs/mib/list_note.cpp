#include "dialogs/mib/list_note.h"

#include "dialogs/mib/table_view_rules.h"

#include <QLabel>

namespace dialogs::mib {

QLabel* newListNote(QWidget* parent)
{
    auto* note = new QLabel(parent);
    note->setObjectName(QStringLiteral("listNote"));
    note->setTextFormat(Qt::PlainText);
    note->setWordWrap(true);
    note->hide();
    return note;
}

void showListNote(QLabel* note, int walkEndStatus)
{
    const QString text = QString::fromUtf8(listEndNote(walkEndStatus));
    note->setText(text);
    note->setVisible(!text.isEmpty());
}

void clearListNote(QLabel* note)
{
    note->clear();
    note->hide();
}

} // namespace dialogs::mib
