#include "dialogs/port_check_grid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace dialogs {

int CPortCheckGrid::splitAfter(int portCount)
{
    if (portCount == 48)
        return 24;
    if (portCount == 52)
        return 26;
    return 0;
}

CPortCheckGrid::CPortCheckGrid(int portCount, std::vector<Row> rows, QWidget* parent)
    : QWidget(parent), m_portCount(std::max(portCount, 0)), m_boxes(rows.size())
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    const int split = splitAfter(m_portCount);
    const int linesPerBlock = static_cast<int>(rows.size()) + 1;
    for (int port = 1; port <= m_portCount; ++port) {
        const bool second = split > 0 && port > split;
        const int top = second ? linesPerBlock : 0;
        const int column = 1 + (second ? port - split - 1 : port - 1);
        auto* number = new QLabel(QString::number(port), this);
        number->setAlignment(Qt::AlignCenter);
        grid->addWidget(number, top, column);
        for (std::size_t row = 0; row < rows.size(); ++row) {
            auto* box = new QCheckBox(this);
            box->setAccessibleName(QStringLiteral("%1 port %2").arg(rows[row].name).arg(port));
            box->setObjectName(QStringLiteral("%1_%2").arg(rows[row].name).arg(port));
            grid->addWidget(box, top + 1 + static_cast<int>(row), column, Qt::AlignCenter);
            m_boxes[row].push_back(box);
            connect(box, &QCheckBox::toggled, this,
                    [this, row = static_cast<int>(row), port](bool checked) { emit boxToggled(row, port, checked); });
        }
    }
    for (int block = 0; block < (split > 0 ? 2 : 1); ++block)
        for (std::size_t row = 0; row < rows.size(); ++row)
            if (!rows[row].caption.isEmpty())
                grid->addWidget(new QLabel(rows[row].caption, this), block * linesPerBlock + 1 + static_cast<int>(row), 0);
}

QCheckBox* CPortCheckGrid::box(int row, int port) const
{
    if (row < 0 || row >= static_cast<int>(m_boxes.size()) || port < 1 || port > m_portCount)
        return nullptr;
    return m_boxes[static_cast<std::size_t>(row)][static_cast<std::size_t>(port - 1)];
}

bool CPortCheckGrid::isChecked(int row, int port) const
{
    const QCheckBox* found = box(row, port);
    return found && found->isChecked();
}

void CPortCheckGrid::setChecked(int row, int port, bool checked)
{
    if (QCheckBox* found = box(row, port)) {
        const QSignalBlocker quiet(found);
        found->setChecked(checked);
    }
}

std::vector<bool> CPortCheckGrid::checkedPorts(int row) const
{
    std::vector<bool> flags;
    for (int port = 1; port <= m_portCount; ++port)
        flags.push_back(isChecked(row, port));
    return flags;
}

} // namespace dialogs
