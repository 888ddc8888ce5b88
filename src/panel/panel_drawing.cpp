#include "panel/panel_drawing.h"

#include "panel/bitmap_cache.h"
#include "panel/dib.h"
#include "panel/panel_elements.h"
#include "panel/port.h"

#include <QPainter>
#include <algorithm>
#include <optional>

namespace panel {
namespace {

constexpr std::string_view kExtrasModel = "QMX-7740-ZP";

// Where the indicator of this port element goes: its first child's corner.
std::optional<QPoint> IndicatorPosition(const CDevModule& root, int portElement)
{
    const CPanelElement* port = root.FindNthChild("CPort", portElement);
    const CPanelElement* lamp = port != nullptr ? port->ChildAt(0) : nullptr;
    if (lamp == nullptr)
        return std::nullopt;
    return lamp->Rect().topLeft();
}

void ResetModulePorts(CPanelElement& module)
{
    for (std::size_t i = 0; i < module.ChildCount(); ++i) {
        CPanelElement* child = module.ChildAt(i);
        if (auto* port = dynamic_cast<CPort*>(child))
            port->SetStatus(kPortEnabled);
        else if (dynamic_cast<CModule*>(child) != nullptr)
            ResetModulePorts(*child);
    }
}

} // namespace

bool EraseBackground(QPainter& painter, const QRect& client, BackgroundMode mode, const CDib& background,
                     CDevModule& root, PanelWindow* window)
{
    if (!background.IsLoaded())
        return false;
    const QRect whole(0, 0, background.Width(), background.Height());
    switch (mode) {
    case BackgroundMode::Stretch: {
        background.DrawStretched(painter, client.x(), client.y(), client.width(), client.height());
        root.AttachToWindow(window);
        DrawingContextScope scope(root, painter);
        root.DrawChildren();
        break;
    }
    case BackgroundMode::Centre:
        background.DrawSource(painter,
                              QPoint(client.x() + (client.width() - whole.width()) / 2,
                                     client.y() + (client.height() - whole.height()) / 2),
                              whole);
        break;
    case BackgroundMode::Tile:
        for (int y = client.top(); y < client.y() + client.height(); y += whole.height()) {
            for (int x = client.left(); x < client.x() + client.width(); x += whole.width())
                background.DrawSource(painter, QPoint(x, y), whole);
        }
        break;
    }
    return true;
}

void DrawLinkIndicators(QPainter& painter, const CDevModule& root, const CMyBitmapApp& cache,
                        const PortIndicatorState& state)
{
    const auto count = std::min<std::size_t>({static_cast<std::size_t>(std::max(state.portCount, 0)),
                                              state.portStates.size(), state.mediumTypes.size()});
    for (std::size_t index = 0; index < count; ++index) {
        const int i = static_cast<int>(index);
        const bool even = (i + 1) % 2 == 0;
        const int off = even ? kBmpOffEven : kBmpOffOdd;
        std::optional<QPoint> at = IndicatorPosition(root, i);
        if (at && at->x() != 0)
            cache.DrawBitmap(painter, off, at->x(), at->y());

        const int medium = state.mediumTypes[index];
        if (medium == 3 || medium == 4) {
            at = IndicatorPosition(root, i + 4);
            if (at)
                cache.DrawBitmap(painter, off, at->x(), at->y());
        }
        if (!at)
            continue;

        switch (state.portStates[index]) {
        case 1:
            if (state.blinkPhase == 0)
                cache.DrawBitmap(painter, even ? kBmpGreenEven : kBmpGreenOdd, at->x(), at->y());
            break;
        case 0:
            if (state.blinkPhase == 1)
                cache.DrawBitmap(painter, even ? kBmpAmberEven : kBmpAmberOdd, at->x(), at->y());
            break;
        case 2:
            cache.DrawBitmap(painter, off, at->x(), at->y());
            break;
        default:
            break;
        }
    }
}

void DrawModelExtras(QPainter& painter, const CMyBitmapApp& cache, std::string_view deviceName,
                     const ModelExtrasState& state)
{
    if (deviceName != kExtrasModel)
        return;
    cache.DrawBitmap(painter, kBmp7740Legend, 25, 23);
    cache.DrawBitmap(painter, state.ledLinkMode ? kBmpLedGreen : kBmpLedBlack, 107, 40);
    cache.DrawBitmap(painter, state.ledLinkMode ? kBmpLedBlack : kBmpLedGreen, 107, 51);
    if (state.powerBudgetNearlyUsed)
        cache.DrawBitmap(painter, kBmpLedRed, 63, 40);
    if (state.fanState == "2")
        cache.DrawBitmap(painter, kBmpFanRed, 63, 28);
}

void ResetPortStatuses(CDevModule& root)
{
    int place = 0;
    for (std::size_t i = 0; i < root.ChildCount(); ++i) {
        CPanelElement* child = root.ChildAt(i);
        if (auto* port = dynamic_cast<CPort*>(child)) {
            ++place;
            if (place <= 48)
                port->SetStatus(kPortEnabled);
            else if (place <= 52)
                port->SetStatus(kPortEmpty);
        } else if (dynamic_cast<CModule*>(child) != nullptr) {
            ResetModulePorts(*child);
        }
    }
}

} // namespace panel
