#include "harness.h"

#include "panel/bitmap_cache.h"
#include "panel/panel_drawing.h"
#include "panel/panel_elements.h"
#include "panel/panel_loader.h"
#include "panel/panel_window.h"

#include <QImage>
#include <QPainter>

#include <climits>

namespace fuzz {
namespace {

// Pictures a description may name as "@/p.bmp" (decodes) and "@/q.bmp" (not
// a bitmap at all); "@" stands for the scratch directory.
void preparePictures()
{
    static const bool ready = [] {
        QImage picture(3, 2, QImage::Format_Indexed8);
        picture.setColorTable({qRgb(0, 0, 0), qRgb(0, 255, 0)});
        picture.fill(1);
        writeScratchFile("q.bmp", "BMnot a picture");
        return picture.save(QString::fromStdString(scratchDirectory() + "/p.bmp"), "BMP");
    }();
    require(ready, "the pictures a description names");
}

// The main window as the panel sees it; the client area may change size.
class FuzzWindow final : public panel::PanelWindow {
public:
    QRect client{0, 0, 64, 48};
    QRect PanelClientRect() const override { return client; }
    void SetPanelCursor(panel::CursorShape) override {}
    void InvalidatePanelRect(const QRect&) override {}
    void OnPortClicked(int place) override { require(place >= 1, "ports are counted from 1"); }
    void OnSocketClicked() override {}
};

} // namespace

int panel_description(const std::uint8_t* data, std::size_t size)
{
    preparePictures();
    std::string text(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = text.find("@/"); at != std::string::npos; at = text.find("@/", at + 1))
        text.replace(at, 1, scratchDirectory());
    const std::string path = writeScratchFile("panel.xml", text);

    CDevModule root;
    ModuleList modules;
    CPositionTable positions;
    require(LoadPanelDescription(path, root, modules, positions), "loading never fails");
    require(positions.Count() >= 0 && positions.Count() <= CPositionTable::kSize, "positions within the table");

    QImage canvas(64, 48, QImage::Format_RGB32);
    QPainter painter(&canvas);
    {
        panel::DrawingContextScope scope(root, painter);
        root.DrawChildren();
        panel::ResetPortStatuses(root);
        root.DrawDirtyChildren();
    }
    // The mouse over the panel, before and after the window grows.
    FuzzWindow window;
    root.AttachToWindow(&window);
    for (const QSize size : {QSize(64, 48), QSize(1280, 960)}) {
        window.client.setSize(size);
        for (std::size_t i = 0; i < root.ChildCount(); ++i) {
            const CPanelElement* child = root.ChildAt(i);
            require(child != nullptr, "every child exists");
            const QRect rect = child->Rect();
            require((rect.width() > 0) == (rect.right() >= rect.left()), "a rectangle never wraps around");
            root.TrackCursor(rect.center());
            root.OnClick(rect.center());
        }
        root.TrackCursor(QPoint(INT_MAX, INT_MIN));
    }
    root.AttachToWindow(nullptr);
    return 0;
}

} // namespace fuzz
