#pragma once

#include <QObject>
#include <QString>
#include <QTreeWidget>

#include <string>
#include <vector>

// A dialog's control by its object name.
template <typename T>
T* child(const QObject& parent, const char* name)
{
    return parent.findChild<T*>(QString::fromLatin1(name));
}

// The texts of a list's line, its first `columns` columns (all when
// negative); empty for a line the list does not have.
inline std::vector<std::string> row(const QTreeWidget& list, int index, int columns = -1)
{
    std::vector<std::string> texts;
    const QTreeWidgetItem* item = list.topLevelItem(index);
    for (int column = 0; item && column < (columns < 0 ? list.columnCount() : columns); ++column)
        texts.push_back(item->text(column).toStdString());
    return texts;
}

// The texts of the list's line whose first column is `first`.
inline std::vector<std::string> rowOf(const QTreeWidget& list, const std::string& first)
{
    const auto found = list.findItems(QString::fromStdString(first), Qt::MatchExactly, 0);
    return found.isEmpty() ? std::vector<std::string>{} : row(list, list.indexOfTopLevelItem(found.front()));
}

// The texts of a list's column, line by line.
inline std::vector<std::string> column(const QTreeWidget& list, int index)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        texts.push_back(list.topLevelItem(i)->text(index).toStdString());
    return texts;
}
