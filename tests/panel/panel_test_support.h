#pragma once

#include "debug_lines.h"
#include "panel/bitmap_cache.h"
#include "panel/panel_elements.h"
#include "panel/panel_loader.h"
#include "panel/panel_window.h"
#include "test_folder.h"

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

namespace panel_test {

using Folder = TestFolder;

// A panel description file loaded as the main window loads it.
struct Loaded {
    explicit Loaded(const std::string& path) : result(LoadPanelDescription(path, root, modules, positions)) {}
    CDevModule root;
    ModuleList modules;
    CPositionTable positions;
    bool result;
};

// A new child of `parent` with that rectangle and id.
template <typename T>
T* Add(CPanelElement& parent, int left, int top, int width, int height, std::string id = {})
{
    auto* element = static_cast<T*>(parent.AddChild(std::make_unique<T>()));
    element->SetRect(left, top, width, height);
    element->SetID(std::move(id));
    return element;
}

// What a pixel of an indicator shows.
enum class Shown { Nothing, Off, Green, Amber, Red };
inline Shown Classify(QColor c)
{
    if (c == QColor(Qt::white))
        return Shown::Nothing;
    if (c.lightness() < 40)
        return Shown::Off;
    if (c.green() > 150 && c.red() < 100 && c.blue() < 100)
        return Shown::Green;
    if (c.red() > 200 && c.green() > 100 && c.green() < 200 && c.blue() < 60)
        return Shown::Amber;
    return c.red() > 180 && c.green() < 80 ? Shown::Red : Shown::Nothing;
}

inline QImage White(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Stands where the main window does; records what the panel asks of it.
class RecordingWindow : public panel::PanelWindow {
public:
    QRect client{0, 0, 100, 50};
    std::vector<panel::CursorShape> cursors;
    std::vector<QRect> invalidated;
    std::vector<int> portClicks;
    int socketClicks = 0;

    QRect PanelClientRect() const override { return client; }
    void SetPanelCursor(panel::CursorShape shape) override { cursors.push_back(shape); }
    void InvalidatePanelRect(const QRect& rect) override { invalidated.push_back(rect); }
    void OnPortClicked(int place) override { portClicks.push_back(place); }
    void OnSocketClicked() override { ++socketClicks; }
};

} // namespace panel_test
