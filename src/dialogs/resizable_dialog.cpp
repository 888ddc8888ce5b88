#include "dialogs/resizable_dialog.h"

#include <QResizeEvent>

namespace dialogs {

CResizableDialog::CResizableDialog(QWidget* parent) : CDialogBase(parent)
{
    setSizeGripEnabled(true);
}

void CResizableDialog::setLayoutTable(std::vector<LayoutEntry> table)
{
    m_table = std::move(table);
}

QRect CResizableDialog::place(const QRect& original, Mode mode, int percent, QSize delta)
{
    const int dx = delta.width() * percent / 100;
    const int dy = delta.height() * percent / 100;
    QRect rect = original;
    switch (mode) {
    case MoveX: rect.translate(dx, 0); break;
    case MoveY: rect.translate(0, dy); break;
    case MoveXY: rect.translate(dx, dy); break;
    case GrowX: rect.setWidth(rect.width() + dx); break;
    case GrowY: rect.setHeight(rect.height() + dy); break;
    case GrowXY: rect.setSize(rect.size() + QSize(dx, dy)); break;
    }
    return rect;
}

void CResizableDialog::showEvent(QShowEvent* event)
{
    CDialogBase::showEvent(event);
    if (m_firstSize.isValid())
        return;
    m_firstSize = size();
    setMinimumSize(m_firstSize);
    for (const LayoutEntry& entry : m_table)
        m_placed.push_back({entry, entry.control->geometry()});
}

void CResizableDialog::resizeEvent(QResizeEvent* event)
{
    CDialogBase::resizeEvent(event);
    if (!m_firstSize.isValid())
        return;
    const QSize delta = event->size() - m_firstSize;
    for (const Placed& placed : m_placed)
        placed.entry.control->setGeometry(place(placed.original, placed.entry.mode, placed.entry.percent, delta));
}

} // namespace dialogs
