#include "dialogs/switching/list_dialog_layout.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>
#include <QTreeWidget>

namespace dialogs::switching {

void layOutListDialog(QDialog& dialog, QTreeWidget* list, QLayout* controls, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(list, 1);
    layout->addLayout(controls);
    layout->addLayout(row);
}

} // namespace dialogs::switching
