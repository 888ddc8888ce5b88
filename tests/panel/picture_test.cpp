#include "panel_test_support.h"

#include "panel/dib.h"

#include <QPainter>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

using namespace panel_test;

// The box of non-white pixels.
QRect Painted(const QImage& image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white))
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST(Picture, RejectsWhatIsNotAWindowsBitmap)
{
    Folder folder;
    QFile file(QString::fromStdString(folder.WriteBmp("os2.bmp", QSize(4, 4), Qt::red)));
    QByteArray os2 = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QByteArray garbled = os2.left(18) + QByteArray(3, '\xff');
    qToLittleEndian<quint32>(12, os2.data() + 14);
    White(QSize(4, 4)).save(QString::fromStdString(folder.Path("picture.bmp")), "PNG"); // misnamed

    const std::string os2Error = "Error:OS2 PM BMP Format not supported";
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {folder.Write("os2.bmp", os2), {os2Error}},
        {folder.Path("picture.bmp"), {"Error:Unexpected file type, not a DIB"}},
        {folder.Write("short.bmp", "BM"), {os2Error}},
        {folder.Write("garbled.bmp", garbled), {}},
        {folder.Path("missing.bmp"), {}},
        {std::string(), {}},
    };
    for (const auto& [path, lines] : cases) {
        DebugLines debug;
        CDib picture;
        EXPECT_FALSE(picture.Load(path) || picture.IsLoaded()) << path;
        EXPECT_EQ(debug.lines(), lines) << path;
    }
}

TEST(BitmapCache, UnknownIdsDrawTheFirstPictureAndPositionsComeFromTheTable)
{
    CMyBitmapApp cache;
    QImage target = White(QSize(40, 40));
    QPainter painter(&target);
    cache.DrawBitmap(painter, 161, 0, 0); // nothing loaded yet: nothing to draw
    painter.end();
    EXPECT_TRUE(Painted(target).isNull());

    ASSERT_TRUE(cache.LoadBitmap(161));
    ASSERT_TRUE(cache.LoadBitmap(159));
    EXPECT_FALSE(cache.LoadBitmap(4242));
    cache.Positions().Add(20, 30);
    painter.begin(&target);
    cache.DrawBitmap(painter, 999, 1, 1);
    cache.DrawAtPosition(painter, CMyBitmapApp::kFirstPosition | 0, 159);
    cache.DrawAtPosition(painter, CMyBitmapApp::kFirstPosition | 0x7F, 159); // past the table
    painter.end();
    EXPECT_EQ(Classify(target.pixelColor(3, 2)), Shown::Green); // the first picture
    EXPECT_EQ(Painted(target.copy(0, 0, 10, 10)), QRect(1, 1, 6, 4));
    EXPECT_EQ(Painted(target.copy(15, 25, 25, 15)), QRect(5, 5, 5, 4));
}

} // namespace
