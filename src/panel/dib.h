#pragma once

#include <QImage>
#include <QPalette>
#include <QRect>
#include <string>

class QPainter;

// A picture read from a bitmap file. Only Windows bitmaps with a 40-byte
// information header are accepted, as the panel files have always used.
class CDib {
public:
    // Replaces the current picture; false (and no picture) when the file is
    // missing, not such a bitmap, or cannot be decoded. `name` is looked up
    // as platform::locateBesideProgram does.
    bool Load(const std::string& name);
    void Clear() { m_image = QImage(); }

    // Whole picture stretched to (x, y, width, height).
    void DrawStretched(QPainter& painter, int x, int y, int width, int height) const;
    // Source rectangle copied unscaled to the destination point.
    void DrawSource(QPainter& painter, QPoint destination, const QRect& source) const;

    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    bool IsLoaded() const { return !m_image.isNull(); }
    // Colour table of a picture of 8 or fewer bits per pixel, else empty.
    QList<QRgb> Palette() const { return m_image.colorTable(); }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
};

namespace panel {

enum class BitmapCheck { Ok, Unreadable, NotDib, Os2Header };

// Looks only at the file header: "BM" signature and 40-byte information header.
// Writes the rejection texts to the debug output.
BitmapCheck CheckBitmapFile(const std::string& path);

} // namespace panel
