#pragma once

#include <QImage>
#include <QPoint>
#include <array>
#include <vector>

class QPainter;

// Positions of the panel elements whose ID is "0", in loading order.
class CPositionTable {
public:
    static constexpr int kSize = 100;
    struct Entry {
        bool used = false;
        QPoint first;
        QPoint second;
    };

    // false once the table is full: the element's position is dropped.
    bool Add(int left, int top);
    int Count() const { return m_nCount; }
    // Null for an index outside the table.
    const Entry* At(int index) const;

private:
    std::array<Entry, kSize> m_entries{};
    int m_nCount = 0;
};

// The small indicator pictures, loaded once from the program's resources.
class CMyBitmapApp {
public:
    // Flag in DrawAtPosition's index: draw at the entry's first position.
    static constexpr int kFirstPosition = 0x80;

    bool LoadBitmap(int resourceId);
    // Draws the picture of that id; an id never loaded draws the first one.
    void DrawBitmap(QPainter& painter, int resourceId, int x, int y, int sx = 0, int sy = 0) const;
    void DrawAtPosition(QPainter& painter, int indexWithFlag, int resourceId) const;
    // The pictures the main window loads, in its order.
    bool LoadPanelBitmaps();

    std::size_t RecordCount() const { return m_records.size(); }
    CPositionTable& Positions() { return m_positions; }
    const CPositionTable& Positions() const { return m_positions; }

private:
    struct Record {
        int resourceId;
        QImage image;
    };
    std::vector<Record> m_records;
    CPositionTable m_positions;
};

namespace panel {
// Resource ids of the cached pictures.
enum BitmapId {
    kBmp7740Legend = 158,
    kBmpOffEven = 159, kBmpOffOdd = 160,
    kBmpGreenEven = 161, kBmpGreenOdd = 162,
    kBmpAmberEven = 163, kBmpAmberOdd = 164,
    kBmpDimEven = 190, kBmpDimOdd = 191,
    kBmpLedGreen = 215, kBmpLedRed = 216, kBmpFanRed = 219, kBmpLedBlack = 225,
};
QImage LoadResourceBitmap(int resourceId);
} // namespace panel
