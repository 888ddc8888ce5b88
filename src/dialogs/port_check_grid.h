#pragma once

#include <QString>
#include <QWidget>

#include <vector>

class QCheckBox;

namespace dialogs {

// One check box per port and row ("Tag", "Untag", "Not Member"), with the
// port numbers above them. 48 and 52 ports are laid out in two blocks, split
// after port 24 and port 26; fewer ports in one. Each box's accessible name
// says its row and port ("Untag port 5").
class CPortCheckGrid : public QWidget {
    Q_OBJECT
public:
    struct Row {
        QString name;    // what a box of the row sets: "Untag"
        QString caption; // shown before the row ("Untag Ports:"); may be empty
    };

    CPortCheckGrid(int portCount, std::vector<Row> rows, QWidget* parent = nullptr);

    int portCount() const { return m_portCount; }
    // row 0-based, port 1-based; null outside the grid.
    QCheckBox* box(int row, int port) const;
    bool isChecked(int row, int port) const;
    void setChecked(int row, int port, bool checked);
    // One flag per port of `row`, port 1 first.
    std::vector<bool> checkedPorts(int row) const;

    // The port count after which the second block starts (0: one block).
    static int splitAfter(int portCount);

signals:
    // The user changed a box: by click, key or an assistive tool's toggle.
    // setChecked emits nothing.
    void boxToggled(int row, int port, bool checked);

private:
    int m_portCount;
    std::vector<std::vector<QCheckBox*>> m_boxes; // [row][port - 1]
};

} // namespace dialogs
