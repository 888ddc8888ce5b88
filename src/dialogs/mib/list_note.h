#pragma once

class QLabel;
class QWidget;

// The line under a table view's list that says when the list is incomplete.
namespace dialogs::mib {

// Plain text, named "listNote"; hidden while it has nothing to say.
QLabel* newListNote(QWidget* parent);
// Shows listEndNote(walkEndStatus); an empty status text hides the line.
void showListNote(QLabel* note, int walkEndStatus);
// Before a walk: nothing to say yet.
void clearListNote(QLabel* note);

} // namespace dialogs::mib
