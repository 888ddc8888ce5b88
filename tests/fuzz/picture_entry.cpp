#include "harness.h"

#include "panel/dib.h"

#include <QImage>
#include <QPainter>

namespace fuzz {

// Any bytes as a bitmap file named by a panel description.
int picture(const std::uint8_t* data, std::size_t size)
{
    const std::string path = writeScratchFile("picture.bmp", {reinterpret_cast<const char*>(data), size});
    const bool dib = panel::CheckBitmapFile(path) == panel::BitmapCheck::Ok;
    CDib picture;
    const bool loaded = picture.Load(path);
    require(!loaded || dib, "only a bitmap with the 40-byte header loads");
    require(loaded == picture.IsLoaded(), "loaded means a picture");
    if (!loaded)
        return 0;
    require(picture.Width() > 0 && picture.Height() > 0 && picture.Palette().size() <= 256, "a size and at most 256 colours");

    QImage canvas(40, 30, QImage::Format_RGB32);
    QPainter painter(&canvas);
    picture.DrawStretched(painter, 1, 1, 38, 28);
    picture.DrawSource(painter, QPoint(-3, 5), QRect(2, -1, 50, 20));
    picture.Clear();
    require(!picture.IsLoaded(), "cleared");
    return 0;
}

} // namespace fuzz
