#pragma once

#include <QRect>
#include <span>
#include <string_view>

class CDevModule;
class CDib;
class CMyBitmapApp;
class QPainter;

namespace panel {

class PanelWindow;

enum class BackgroundMode { Centre = 2, Stretch = 1, Tile = 0 };

// Draws the background picture over the client area, attaches the tree to
// the window and draws the root's children. False when there is no picture:
// the window erases in its default way.
bool EraseBackground(QPainter& painter, const QRect& client, BackgroundMode mode, const CDib& background,
                     CDevModule& root, PanelWindow* window);

// What the window knows of its ports when it paints; it owns the arrays.
struct PortIndicatorState {
    int portCount = 0;
    int blinkPhase = 0;
    std::span<const unsigned char> portStates; // 0 lower speed, 1 full speed, 2 disabled, 3 no link
    std::span<const int> mediumTypes;          // 3 or 4: the fibre side of a combination port
};

// The link indicator of every port: "off" first, then the state's picture
// when the blink phase shows it.
void DrawLinkIndicators(QPainter& painter, const CDevModule& root, const CMyBitmapApp& cache,
                        const PortIndicatorState& state);

struct ModelExtrasState {
    bool ledLinkMode = true;
    bool powerBudgetNearlyUsed = false;
    std::string_view fanState = "1";
};

// The PoE model's legend, LED mode, power budget and fan lamps; nothing for other models.
void DrawModelExtras(QPainter& painter, const CMyBitmapApp& cache, std::string_view deviceName,
                     const ModelExtrasState& state);

// Lost contact: every port back to "no link" (the 49th to 52nd to "empty").
void ResetPortStatuses(CDevModule& root);

} // namespace panel
