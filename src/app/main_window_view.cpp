#include "app/main_window_view.h"

#include "panel/panel_elements.h"
#include "panel/panel_resources.h"

#include <QCursor>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace app {
namespace {

const QCursor& portCursor()
{
    static const QCursor cursor = panel::PortCursor();
    return cursor;
}

} // namespace

MainWindowView::MainWindowView(CDevModule& root, Hooks hooks, QWidget* parent)
    : QWidget(parent), m_root(root), m_hooks(std::move(hooks))
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void MainWindowView::SetPanelCursor(panel::CursorShape shape)
{
    if (shape == panel::CursorShape::Port)
        setCursor(portCursor());
    else
        unsetCursor();
}

void MainWindowView::OnPortClicked(int place)
{
    if (m_hooks.portClicked)
        m_hooks.portClicked(place);
}

void MainWindowView::OnSocketClicked()
{
    if (m_hooks.socketClicked)
        m_hooks.socketClicked();
}

bool MainWindowView::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = m_hooks.toolTip ? m_hooks.toolTip(help->pos()) : QString();
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

void MainWindowView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (m_hooks.paintBackground)
        m_hooks.paintBackground(painter);
    if (m_hooks.paintOverlay)
        m_hooks.paintOverlay(painter);
}

void MainWindowView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_root.OnClick(event->position().toPoint());
    QWidget::mousePressEvent(event);
}

void MainWindowView::mouseMoveEvent(QMouseEvent* event)
{
    // Elements set the port cursor over ports; elsewhere it is the arrow.
    unsetCursor();
    m_root.TrackCursor(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

} // namespace app
