#include "panel/bitmap_cache.h"

#include <QPainter>
#include <QString>

namespace panel {

QImage LoadResourceBitmap(int resourceId)
{
    return QImage(QStringLiteral(":/qmx/bitmap/%1.xpm").arg(resourceId));
}

} // namespace panel

bool CPositionTable::Add(int left, int top)
{
    if (m_nCount >= kSize)
        return false;
    Entry& entry = m_entries[static_cast<std::size_t>(m_nCount++)];
    entry.used = true;
    entry.first = QPoint(left, top);
    return true;
}

const CPositionTable::Entry* CPositionTable::At(int index) const
{
    if (index < 0 || index >= kSize)
        return nullptr;
    return &m_entries[static_cast<std::size_t>(index)];
}

bool CMyBitmapApp::LoadBitmap(int resourceId)
{
    QImage image = panel::LoadResourceBitmap(resourceId);
    if (image.isNull())
        return false;
    m_records.push_back({resourceId, std::move(image)});
    return true;
}

bool CMyBitmapApp::LoadPanelBitmaps()
{
    using namespace panel;
    bool all = true;
    for (int id : {kBmpOffOdd, kBmpOffEven, kBmpGreenEven, kBmpGreenOdd, kBmp7740Legend, kBmpAmberEven,
                   kBmpAmberOdd, kBmpDimEven, kBmpDimOdd, kBmpLedGreen, kBmpLedRed, kBmpFanRed, kBmpLedBlack})
        all = LoadBitmap(id) && all;
    return all;
}

void CMyBitmapApp::DrawBitmap(QPainter& painter, int resourceId, int x, int y, int sx, int sy) const
{
    if (m_records.empty())
        return;
    const Record* record = &m_records.front();
    for (const Record& candidate : m_records) {
        if (candidate.resourceId == resourceId) {
            record = &candidate;
            break;
        }
    }
    const QImage& image = record->image;
    painter.drawImage(QPoint(x, y), image, QRect(sx, sy, image.width(), image.height()));
}

void CMyBitmapApp::DrawAtPosition(QPainter& painter, int indexWithFlag, int resourceId) const
{
    const CPositionTable::Entry* entry = m_positions.At(indexWithFlag & 0x7F);
    if (entry == nullptr)
        return;
    const QPoint at = (indexWithFlag & kFirstPosition) != 0 ? entry->first : entry->second;
    DrawBitmap(painter, resourceId, at.x(), at.y());
}
