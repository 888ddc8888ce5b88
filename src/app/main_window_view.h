#pragma once

#include "panel/panel_window.h"

#include <QWidget>

#include <functional>

class CDevModule;

namespace app {

// The main window's client area: the panel background, the element tree and,
// on top, whatever the window paints last (indicators). Mouse moves and
// clicks go to the element tree.
class MainWindowView final : public QWidget, public panel::PanelWindow {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(QPainter&)> paintBackground; // background and elements
        std::function<void(QPainter&)> paintOverlay;    // extras and indicators
        std::function<void(int place)> portClicked;
        std::function<void()> socketClicked;
        std::function<QString(QPoint)> toolTip; // "" for none at that point
    };

    MainWindowView(CDevModule& root, Hooks hooks, QWidget* parent = nullptr);

    QRect PanelClientRect() const override { return rect(); }
    void SetPanelCursor(panel::CursorShape shape) override;
    void InvalidatePanelRect(const QRect& rect) override { update(rect); }
    void OnPortClicked(int place) override;
    void OnSocketClicked() override;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    CDevModule& m_root;
    Hooks m_hooks;
};

} // namespace app
