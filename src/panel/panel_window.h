#pragma once

#include <QRect>

namespace panel {

enum class CursorShape { Arrow, Port };

// What the panel needs from the window that shows it. The window implements
// it; every call comes on the window's thread.
class PanelWindow {
public:
    virtual ~PanelWindow() = default;

    virtual QRect PanelClientRect() const = 0;
    virtual void SetPanelCursor(CursorShape shape) = 0;
    // Repaint this rectangle of the client area, erasing the background.
    virtual void InvalidatePanelRect(const QRect& rect) = 0;
    // place: the port's 1-based place among the root's port children.
    virtual void OnPortClicked(int place) = 0;
    virtual void OnSocketClicked() = 0;
};

} // namespace panel
