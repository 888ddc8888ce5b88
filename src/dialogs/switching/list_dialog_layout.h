#pragma once

#include <initializer_list>

class QDialog;
class QLayout;
class QPushButton;
class QTreeWidget;

namespace dialogs::switching {

// A table dialog's layout: the list on top taking the spare height, its
// controls below it, and the buttons in a row at the bottom right.
void layOutListDialog(QDialog& dialog, QTreeWidget* list, QLayout* controls,
                      std::initializer_list<QPushButton*> buttons);

} // namespace dialogs::switching
